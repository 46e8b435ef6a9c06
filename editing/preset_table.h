#pragma once
// The ready-made shortcuts of the Procreate page: caption in both languages and the
// key strokes (extended entry codes: keyboard usages, 0xF2 Shift, 0xF3 Alt,
// 0xF4 command) written into the selected slot in one step.
#include <QtGlobal>

namespace presets
{

struct Preset {
    const char *nameEN;
    const char *nameCN; // UTF-8
    quint8 count;       // 1..3 strokes
    quint8 codes[3];
};

constexpr int kPresetCount = 31;
constexpr int kColumns = 8;
extern const Preset kPresets[kPresetCount];

// Writes 1..3 stroke codes into entries 0..2 of an extended record (bytes 8, 11, 14),
// sets the counter (byte 5) to the number of strokes and byte 3 to `type`. Delays and
// the entries beyond are left alone. Any other count changes nothing and returns false.
bool apply(quint8 *record, const int *codes, int count, quint8 type);

} // namespace presets
