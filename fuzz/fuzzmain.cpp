// SPDX-License-Identifier: GPL-3.0-or-later
// One libFuzzer program per parser; VT_FUZZ_ENTRY names its entry.
#include "entries.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzentry::VT_FUZZ_ENTRY(data, size);
    return 0;
}
