// Slot texts from the records: the information box and the captions of the picture.
#include "app/widget.h"
#include "device/store.h"
#include "editing/record_naming.h"
#include "ui_widget.h"

void Widget::describeSelectedSlot()
{
    const int slot = Store.Select_PHY_Key;
    if (slot >= kSlots)
        return;
    const quint8 *record = Store.record(Store.Select_PHY_Key_Layer, slot);
    ui->lineEdit->setPlainText(record_naming::informationText(record, Store.extended(), Language));
}

void Widget::refreshLayerNames(int layer)
{
    if (layer < 0 || layer >= kLayers)
        return;
    for (int slot = 1; slot <= kLastKeySlot; ++slot) {
        QAbstractButton *button = Key_Slot_Group->button(slot);
        if (!button)
            continue;
        button->setText(record_naming::slotCaption(Store.record(layer, slot), Store.extended(), Language));
    }
}
