#pragma once
// Where the device picture puts its body, information box and slot pictures for
// a picture layout and a window height, and which style each slot button gets.
// All sizes are fractions of the window height H, each product truncated toward
// zero before sums are formed.
#include <QRect>
#include <QSize>
#include <QString>
#include <QVector>

#include "views/model_catalogue.h"

namespace geometry
{

constexpr int kFirstSlot = 1;
constexpr int kLastSlot = 25; // slots of the key-slot group; 26 and 27 are always hidden

enum class SlotRole : quint8 { Unused, Key, TurnLeft, Press, TurnRight };

// What a layout does to the style sheet of a slot button.
enum class ButtonStyle : quint8 {
    Keep,     // left as it is (turn slots of most knobs)
    Plain,    // the plain slot style
    KnobPress // the round knob press style
};

struct SlotPlacement {
    int slot = 0;
    SlotRole role = SlotRole::Unused;
    QRect button;
    QRect label;      // the picture label; equal to button except for two offset labels
    QString picture;  // resource path of the picture
    QSize pictureBox; // the picture is scaled into this box, aspect ratio kept
    ButtonStyle style = ButtonStyle::Keep;
    QString buttonStyle; // the style sheet for Plain and KnobPress
    QString labelStyle;  // a style sheet for the label, empty when the label keeps its own
};

struct PictureGeometry {
    models::LayoutId layout = models::LayoutId::Default;
    int S = 0;                         // side of a key
    int g = 0;                         // gap between keys
    QRect body;                        // ALL_KEY_BK
    QRect info;                        // lineEdit
    QVector<SlotPlacement> placements; // keys in slot order, then each knob left, press, right

    // The placement of a slot, or nullptr when the layout does not use it.
    const SlotPlacement *find(int slot) const;
    bool uses(int slot) const { return find(slot) != nullptr; }
};

PictureGeometry pictureGeometry(models::LayoutId layout, int windowHeight);

QString plainSlotStyle();
QString highlightedSlotStyle();
QString knobPressStyle(int pressSide);

} // namespace geometry
