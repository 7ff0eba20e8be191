// SPDX-License-Identifier: GPL-3.0-or-later
// Basic types of the print engine: enumerations, sets, the integer
// rectangle in page pixels, margins, the engine's exception and unit
// conversion.
#pragma once

#include <QString>

#include <cstdint>
#include <initializer_list>
#include <stdexcept>

namespace printing {

// A set of enumeration values (the Pascal "set of"): one bit per value.
template <typename E> class EnumSet {
public:
    constexpr EnumSet() = default;
    constexpr EnumSet(std::initializer_list<E> values) {
        for (E v : values)
            bits_ |= bit(v);
    }
    constexpr bool contains(E v) const { return (bits_ & bit(v)) != 0; }
    constexpr EnumSet& insert(E v) {
        bits_ |= bit(v);
        return *this;
    }
    constexpr EnumSet& remove(E v) {
        bits_ &= ~bit(v);
        return *this;
    }
    constexpr bool empty() const { return bits_ == 0; }
    constexpr std::uint32_t bits() const { return bits_; }
    constexpr bool operator==(const EnumSet&) const = default;
    constexpr EnumSet operator|(EnumSet o) const {
        EnumSet r;
        r.bits_ = bits_ | o.bits_;
        return r;
    }
    constexpr EnumSet operator|(E v) const {
        EnumSet r = *this;
        r.insert(v);
        return r;
    }

private:
    static constexpr std::uint32_t bit(E v) { return std::uint32_t{1} << static_cast<unsigned>(v); }
    std::uint32_t bits_ = 0;
};

enum TUnits { unPixels, unPercents, unInches, unMillimeters };
enum TPageMode { pmDefault, pmCustom };
enum TPageOrientation { orDefault, orPortrait, orLandscape };
enum TJobOption { joMargins, joHeader, joFooter };
using TJobOptions = EnumSet<TJobOption>;
enum TMarginsError { meNone, meAutoFix, meMessageBox, meException };
enum TDrawArea { daHeader, daPage, daFooter };
using TDrawAreas = EnumSet<TDrawArea>;
enum TDrawTarget { dtPrint, dtPreview, dtMetaPreview, dtExternal };
enum TViewMode { vmWholePage, vmPageWidth, vmCustom };
enum TButtonKind {
    btnPrint,
    btnPrintDialog,
    btnPrinterSetupDialog,
    btnFirstPage,
    btnPrevPage,
    btnNextPage,
    btnLastPage,
    btnWholePage,
    btnPageWidth,
    btnZoomOut,
    btnZoomIn,
    btnRefresh,
    btnClose,
    btnUser
};
constexpr int ButtonKindCount = btnUser + 1;
using TButtonKinds = EnumSet<TButtonKind>;

// Rectangle in page pixels with exclusive Right and Bottom (as a Windows RECT):
// Width = Right - Left. Lines "on" an edge are placed by the drawing code.
struct TRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    constexpr int Width() const { return Right - Left; }
    constexpr int Height() const { return Bottom - Top; }
    constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    constexpr TRect Translated(int dx, int dy) const { return {Left + dx, Top + dy, Right + dx, Bottom + dy}; }
    constexpr bool operator==(const TRect&) const = default;
};

struct TMargins {
    double Left = 0, Top = 0, Right = 0, Bottom = 0;
    bool operator==(const TMargins&) const = default;
};

class EPrintJobException : public std::runtime_error {
public:
    explicit EPrintJobException(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& Message() const { return message_; }

private:
    QString message_;
};

// Texts of the engine (English).
inline const char* const MarginsOutsideText = "One or more margins are set outside the printable area of the page.";
inline const char* const MarginsFixQuestion = "Do you want to fix them?";

// Unit conversion: value in `from` converted to `to` through
// millimetres. `dpi` is the resolution along the axis (300 without a
// printer), `referencePixels` the page or area length along that axis (for
// percent). The result is rounded (ties to even): whole pixels, 3 decimals for
// percent and inches, 2 decimals for millimetres.
double ConvertUnits(double value, TUnits from, TUnits to, double dpi, double referencePixels);

// Rounds to `decimals` places, ties to even.
double RoundTiesEven(double value, int decimals = 0);

// Whole number, ties to even.
int RoundToInt(double value);

} // namespace printing
