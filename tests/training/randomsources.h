// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/services.h"

#include <deque>
#include <vector>

namespace trainingtest {

// A fair generator with a chosen seed (splitmix64), recording the range of
// every integer draw; scripted integers, when given, come first.
class SeededRandom : public core::RandomSource {
public:
    explicit SeededRandom(quint64 seed = 1) : state_(seed) {}
    std::deque<int> scripted;
    std::vector<int> ranges;
    int below(int n) override {
        ranges.push_back(n);
        if (!scripted.empty()) {
            const int v = scripted.front();
            scripted.pop_front();
            return n <= 0 ? 0 : v % n;
        }
        return n <= 0 ? 0 : int(raw() % quint64(n));
    }
    double real() override { return double(raw() >> 11) * (1.0 / 9007199254740992.0); }
    void seedFromClock() override {}

private:
    quint64 state_;
    quint64 raw() {
        quint64 z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
};

} // namespace trainingtest
