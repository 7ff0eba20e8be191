// SPDX-License-Identifier: GPL-3.0-or-later
#include "text.h"

#include <QChar>
#include <array>
#include <memory>

namespace ts::text {
namespace {

struct Tables {
    std::array<char16_t, 65536> lower{};
    std::array<char16_t, 65536> primary{};
    Tables() {
        for (uint32_t c = 0; c < 65536; ++c) {
            const QChar ch(static_cast<char16_t>(c));
            const char16_t lc = ch.isSurrogate() ? char16_t(c) : ch.toLower().unicode();
            lower[c] = lc;
            char16_t base = lc;
            if (!ch.isSurrogate() && ch.decompositionTag() == QChar::Canonical) {
                const QString d = QChar(lc).decomposition();
                if (!d.isEmpty() && d.at(0).unicode() < 0x80)
                    base = d.at(0).unicode();
            }
            primary[c] = base;
        }
    }
};

const Tables& tables() {
    static const auto t = std::make_unique<Tables>();
    return *t;
}

} // namespace

char16_t lower(char16_t c) {
    return tables().lower[c];
}

void appendLower(std::u16string& out, View s) {
    const auto& t = tables().lower;
    const size_t start = out.size();
    out.resize(start + s.size());
    char16_t* dst = out.data() + start;
    for (char16_t c : s)
        *dst++ = c < 0x80 ? ((c >= 'A' && c <= 'Z') ? char16_t(c + 32) : c) : t[c];
}

std::u16string lowered(View s) {
    std::u16string out;
    appendLower(out, s);
    return out;
}

void appendPrimaryKey(std::u16string& out, View s) {
    const auto& t = tables().primary;
    out.reserve(out.size() + s.size());
    for (char16_t c : s) {
        if (c == u'ß' || c == u'ẞ') {
            out.push_back(u's');
            out.push_back(u's');
        } else {
            out.push_back(t[c]);
        }
    }
}

int compareTie(View a, View b) {
    const auto& lt = tables().lower;
    const size_t n = std::min(a.size(), b.size());
    // Accents first: compare the lower-case forms.
    for (size_t i = 0; i < n; ++i) {
        const char16_t la = lt[a[i]], lb = lt[b[i]];
        if (la != lb)
            return la < lb ? -1 : 1;
    }
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    // Then case: the first position that differs decides, lower case first.
    for (size_t i = 0; i < n; ++i) {
        if (a[i] != b[i]) {
            const bool aLower = lt[a[i]] == a[i];
            const bool bLower = lt[b[i]] == b[i];
            if (aLower != bLower)
                return aLower ? -1 : 1;
            return a[i] < b[i] ? -1 : 1;
        }
    }
    return 0;
}

int compareGerman(View a, View b) {
    std::u16string ka, kb;
    appendPrimaryKey(ka, a);
    appendPrimaryKey(kb, b);
    const int c = View(ka).compare(View(kb));
    if (c != 0)
        return c < 0 ? -1 : 1;
    return compareTie(a, b);
}

bool likeMatch(View s, View p) {
    // Iterative wildcard match with a single back-tracking point: linear for
    // the patterns people write, never exponential.
    size_t si = 0, pi = 0, starP = View::npos, starS = 0;
    while (si < s.size()) {
        if (pi < p.size() && p[pi] == u'%') {
            starP = pi++;
            starS = si;
        } else if (pi < p.size() && (p[pi] == u'_' || p[pi] == s[si])) {
            ++si;
            ++pi;
        } else if (starP != View::npos) {
            pi = starP + 1;
            si = ++starS;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p[pi] == u'%')
        ++pi;
    return pi == p.size();
}

} // namespace ts::text
