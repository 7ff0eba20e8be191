// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// One entry per parser that reads outside input. Each takes any bytes, lets
// the parser refuse them with its German error, and aborts (so the fuzzer and
// the replay test notice) on anything else: a crash, another exception, or a
// saved form that does not load back as what was saved.
namespace fuzzentry {

using Entry = void (*)(const uint8_t* data, size_t size);

void tableXml(const uint8_t* data, size_t size);
void tableCompact(const uint8_t* data, size_t size);
void vocabularyFile(const uint8_t* data, size_t size);
void settingsFile(const uint8_t* data, size_t size);
void filterExpression(const uint8_t* data, size_t size);

struct Named {
    const char* name; // the folder below fuzz/corpus and fuzz/regressions
    Entry entry;
};
const std::vector<Named>& all();

} // namespace fuzzentry
