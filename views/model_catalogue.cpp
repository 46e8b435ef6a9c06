#include "views/model_catalogue.h"

#include <iterator>

namespace models
{

// clang-format off
const CatalogueRow kCatalogue[] = {
    // keys knobs extra                          picture
    {0,  1, Extra::None,                  LayoutId::L0_1},
    {0,  2, Extra::PidTwoFullKnobs,       LayoutId::L0_2},
    {0,  2, Extra::OtherPid,              LayoutId::L0_1},
    {0,  3, Extra::None,                  LayoutId::L0_3},
    {1,  0, Extra::None,                  LayoutId::L1_0},
    {2,  0, Extra::None,                  LayoutId::L2_0},
    {3,  0, Extra::None,                  LayoutId::L3_0},
    {3,  1, Extra::None,                  LayoutId::L3_1},
    {4,  0, Extra::None,                  LayoutId::L4_0},
    {4,  1, Extra::Variant0NotPid8851,    LayoutId::L4_1First},
    {4,  1, Extra::Variant1OrVariant0Pid, LayoutId::L4_1Second},
    {4,  3, Extra::None,                  LayoutId::L4_3},
    {5,  0, Extra::None,                  LayoutId::L5_0},
    {6,  0, Extra::None,                  LayoutId::L6_0},
    {6,  1, Extra::None,                  LayoutId::L6_1},
    {6,  2, Extra::None,                  LayoutId::L6_2},
    {9,  2, Extra::None,                  LayoutId::L9_2},
    {9,  3, Extra::None,                  LayoutId::L9_3},
    {11, 3, Extra::None,                  LayoutId::L11_3},
    {12, 0, Extra::None,                  LayoutId::L12_0},
    {12, 2, Extra::None,                  LayoutId::L12_2},
    {12, 3, Extra::None,                  LayoutId::L12_3},
    {12, 4, Extra::None,                  LayoutId::L12_4},
    {16, 0, Extra::None,                  LayoutId::L16_0},
    {16, 3, Extra::None,                  LayoutId::L16_3},
    {21, 1, Extra::None,                  LayoutId::L21_1},
};
const int kCatalogueSize = int(std::size(kCatalogue));

const DialogChoice kDialogChoices[6] = {
    // id  button               label                picture                  keys knobs  x      y     w     h
    {1, "BT_12key_2VT",     "KB_12key_2VT",     ":/image/KB_12ADD2",     12, 2, 0.03,  0.08, 0.2,  0.15},
    {2, "BT_5key_Mute",     "KB_5key_Mute",     ":/image/KB_5KEY_MUTE",  5,  0, 0.28,  0.08, 0.2,  0.15},
    {3, "BT_3key_1VT_Mute", "KB_3key_1VT_Mute", ":/image/KB_3ADD1",      3,  1, 0.55,  0.08, 0.2,  0.15},
    {4, "BT_6key_2VT",      "KB_6key_2VT",      ":/image/KB_6ADD2",      6,  2, 0.047, 0.3,  0.25, 0.25},
    {5, "BT_6key_0VT",      "KB_6key_0VT",      ":/image/KB_6KEY",       6,  0, 0.28,  0.31, 0.23, 0.23},
    {6, "BT_9key_3VT",      "KB_9key_3VT",      ":/image/KB_9ADD3.png",  9,  3, 0.56,  0.31, 0.25, 0.25},
};
// clang-format on

static bool extraHolds(Extra extra, quint8 variant, quint16 pid)
{
    switch (extra) {
    case Extra::None:
        return true;
    case Extra::PidTwoFullKnobs:
        return pid == kPidTwoFullKnobs;
    case Extra::OtherPid:
        return pid != kPidTwoFullKnobs;
    case Extra::Variant0NotPid8851:
        return variant == 0 && pid != kPidSecond4Plus1;
    case Extra::Variant1OrVariant0Pid:
        return variant == 1 || (variant == 0 && pid == kPidSecond4Plus1);
    }
    return false;
}

LayoutId layoutFor(quint8 keys, quint8 knobs, quint8 variant, quint16 pid)
{
    for (const CatalogueRow &row : kCatalogue)
        if (row.keys == keys && row.knobs == knobs && extraHolds(row.extra, variant, pid))
            return row.layout;
    return LayoutId::Default;
}

const DialogChoice *dialogChoice(int id)
{
    for (const DialogChoice &c : kDialogChoices)
        if (c.id == id)
            return &c;
    return nullptr;
}

} // namespace models
