#pragma once
// The keypad models the tool knows: which picture layout a reported model gets,
// and the six models offered by the model-selection dialog.
#include <QtGlobal>

namespace models
{

// One picture layout per distinct picture. L0_1 serves both the 0-key, 1-knob
// model and the 0-key, 2-knob model of any product id but 0x8850.
enum class LayoutId : quint8 {
    L0_1,
    L0_2,
    L0_3,
    L1_0,
    L2_0,
    L3_0,
    L3_1,
    L4_0,
    L4_1First,
    L4_1Second,
    L4_3,
    L5_0,
    L6_0,
    L6_1,
    L6_2,
    L9_2,
    L9_3,
    L11_3,
    L12_0,
    L12_2,
    L12_3,
    L12_4,
    L16_0,
    L16_3,
    L21_1,
    Default, // 15 keys + 3 knobs and everything not listed
    Count
};
constexpr int kLayoutCount = int(LayoutId::Count);

constexpr quint16 kPidTwoFullKnobs = 0x8850; // 0 + 2 with both knobs pressable
constexpr quint16 kPidSecond4Plus1 = 0x8851; // 4 + 1 variant 0 that uses the second picture

// What a catalogue row asks of the model beyond its key and knob counts.
enum class Extra : quint8 {
    None,
    PidTwoFullKnobs,      // Cur_PID == 0x8850
    OtherPid,             // Cur_PID != 0x8850
    Variant0NotPid8851,   // variant 0 and Cur_PID != 0x8851
    Variant1OrVariant0Pid // variant 1, or variant 0 with Cur_PID == 0x8851
};

struct CatalogueRow {
    quint8 keys;
    quint8 knobs;
    Extra extra;
    LayoutId layout;
};

extern const CatalogueRow kCatalogue[];
extern const int kCatalogueSize;

// The rows are tried top to bottom; a model no row matches gets the default picture.
LayoutId layoutFor(quint8 keys, quint8 knobs, quint8 variant, quint16 pid);

// The choices of the model-selection dialog: button group id, the transparent
// button, the picture label under it, its picture and the model it stands for,
// and where the dialog places button and label (fractions of the main window's
// width W and height H).
struct DialogChoice {
    int id;
    const char *button;
    const char *label;
    const char *picture;
    quint8 keys;
    quint8 knobs;
    double x, y, w, h; // x, w of W; y, h of H
};

extern const DialogChoice kDialogChoices[6];

// The choice with that group id, or nullptr outside 1..6.
const DialogChoice *dialogChoice(int id);

} // namespace models
