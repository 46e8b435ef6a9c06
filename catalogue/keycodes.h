#pragma once
// The key-code catalogue: every assignable function with its Chinese and English
// display names and the one code byte that goes to the keypad.
#include <QtGlobal>

namespace catalogue {

constexpr int kRowCount = 219;

struct KeyRow {
    const char *nameCN; // UTF-8
    const char *nameEN; // UTF-8
    quint8 code;
};

// Filled by the catalogue table (catalogue/keycodes.cpp).
extern const KeyRow kRows[kRowCount];

} // namespace catalogue
