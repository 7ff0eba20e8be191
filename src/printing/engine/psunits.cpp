// SPDX-License-Identifier: GPL-3.0-or-later
#include "pstypes.h"

#include <cfenv>
#include <algorithm>
#include <cmath>

namespace printing {

double RoundTiesEven(double value, int decimals) {
    const double factor = std::pow(10.0, decimals);
    // The product can sit a hair off an exact tie (0.125 * 1000 is exact, but
    // 2.675 * 100 is 267.49999...). Snap values within a tiny relative
    // distance of a half to the half so that decimal ties are treated as ties.
    double scaled = value * factor;
    const double frac = scaled - std::floor(scaled);
    if (std::fabs(frac - 0.5) < 1e-9 * std::max(1.0, std::fabs(scaled)))
        scaled = std::floor(scaled) + 0.5;
    return std::nearbyint(scaled) / factor; // default rounding mode: ties to even
}

int RoundToInt(double value) {
    return static_cast<int>(RoundTiesEven(value, 0));
}

namespace {
double ToMillimetres(double value, TUnits from, double dpi, double ref) {
    switch (from) {
    case unPixels:
        return value * 25.4 / dpi;
    case unPercents:
        return (value * ref / 100.0) * 25.4 / dpi;
    case unInches:
        return value * 25.4;
    case unMillimeters:
        return value;
    }
    return value;
}

double FromMillimetres(double mm, TUnits to, double dpi, double ref) {
    switch (to) {
    case unPixels:
        return mm * dpi / 25.4;
    case unPercents:
        return ref != 0 ? (mm * dpi / 25.4) * 100.0 / ref : 0.0;
    case unInches:
        return mm / 25.4;
    case unMillimeters:
        return mm;
    }
    return mm;
}

int Decimals(TUnits u) {
    switch (u) {
    case unPixels:
        return 0;
    case unPercents:
        return 3;
    case unInches:
        return 3;
    case unMillimeters:
        return 2;
    }
    return 0;
}
} // namespace

double ConvertUnits(double value, TUnits from, TUnits to, double dpi, double referencePixels) {
    if (dpi <= 0)
        dpi = 300;
    double result = value;
    if (from != to)
        result = FromMillimetres(ToMillimetres(value, from, dpi, referencePixels), to, dpi, referencePixels);
    return RoundTiesEven(result, Decimals(to));
}

} // namespace printing
