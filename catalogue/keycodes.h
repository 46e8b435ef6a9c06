#pragma once
// The key-code catalogue: every assignable function with its Chinese and English
// display names and the one code byte that goes to the keypad, plus the LED and
// slot name lists and the small lookups built on them.
#include <QMap>
#include <QString>
#include <QtGlobal>

namespace catalogue
{

constexpr int kRowCount = 219;

struct KeyRow {
    const char *nameCN; // UTF-8
    const char *nameEN; // UTF-8
    quint8 code;
};

// Display name pair of a list entry (LED colours, LED modes, slot names).
struct NamePair {
    const char *cn; // UTF-8
    const char *en; // UTF-8
};

// Category bounds: inclusive row ranges, except that kKeyEnd is the row count.
constexpr quint8 kModBegin = 0;    // first modifier row
constexpr quint8 kModEnd = 40;     // last shifted-symbol row
constexpr quint8 kMediaBegin = 41; // first media row
constexpr quint8 kMediaEnd = 81;   // first row of the last media pair
constexpr quint8 kLedBegin = 82;   // the row just before the first colour row
constexpr quint8 kLedEnd = 95;     // last LED-mode row
constexpr quint8 kMouseBegin = 96;
constexpr quint8 kMouseEnd = 106;
constexpr quint8 kKeyBegin = 107;
constexpr quint8 kKeyEnd = 219;

constexpr int kLedColorCount = 7;
constexpr int kLedModeCount = 6;
constexpr int kSlotNameCount = 27;

extern const KeyRow kRows[kRowCount];
extern const NamePair kLedColors[kLedColorCount]; // colour code (index + 1) << 4
extern const NamePair kLedModes[kLedModeCount];   // mode code = index
extern const NamePair kSlotNames[kSlotNameCount]; // slot n at index n - 1

// A fixed underlying type: the window may hold another value, which the language switch leaves alone.
enum Language : int { Chinese = 0, English = 1 };

// Display name of row `row` in `language`; empty for a row outside 0..218.
QString rowName(int row, Language language);

// First row in first..lastInclusive whose code is `code`, or -1. The range is
// clipped to the table, so a caller may pass a category's bounds unchanged.
int findRowByCode(quint8 code, int first, int lastInclusive);

// Adds every non-empty name of `names` (row-parallel to `codes`, `count` rows) to
// the two lookup maps, later rows replacing earlier ones; existing entries of other
// names stay. Returns the number of non-empty names.
int addNamesToMaps(const QString *names, const quint8 *codes, int count, QMap<QString, int> &indexMap,
                   QMap<QString, quint8> &codeMap);

} // namespace catalogue
