// The yellow frame of the selected slot on the device picture.
#include <QPushButton>

#include "app/picture_cache.h"
#include "app/widget.h"
#include "device/store.h"
#include "editing/record_rules.h"
#include "views/slot_geometry.h"

namespace
{
constexpr int kAllSlots = 0xFF; // clears every highlight
} // namespace

void Widget::clearSlotHighlights()
{
    if (!Key_Slot_Group)
        return;
    const QString plain = geometry::plainSlotStyle();
    for (int id = geometry::kFirstSlot; id <= geometry::kLastSlot; ++id)
        if (QAbstractButton *b = Key_Slot_Group->button(id))
            pictures::setStyleSheet(b, plain);
}

void Widget::rehighlightSelectedSlot()
{
    if (!Key_Slot_Group)
        return;
    if (QAbstractButton *b = Key_Slot_Group->button(Store.Select_PHY_Key))
        pictures::setStyleSheet(b, geometry::highlightedSlotStyle());
}

void Widget::highlightSlot(int id)
{
    if (id == kAllSlots) {
        clearSlotHighlights();
        return;
    }
    if (id < geometry::kFirstSlot || id > geometry::kLastSlot ||
        Store.Select_PHY_Key_Mode == record_rules::kLedType) // the LED page selects no slot
        return;
    clearSlotHighlights();
    if (Key_Slot_Group)
        if (QAbstractButton *b = Key_Slot_Group->button(id))
            pictures::setStyleSheet(b, geometry::highlightedSlotStyle());
}
