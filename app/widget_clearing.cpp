// Clearing the selected slot, or every key slot of the current layer, in memory.
#include <QSpinBox>

#include "app/edit_step.h"
#include "app/editing_log.h"
#include "app/widget.h"
#include "device/store.h"
#include "editing/record_rules.h"
#include "ui_widget.h"

namespace
{
constexpr int kSlotButtons = 27;
constexpr int kClearedStrokeDelay = 50;
} // namespace

void Widget::on_CleanButton_clicked()
{
    const EditStep step(this, ui->cancel->text().trimmed());
    const int slot = Store.Select_PHY_Key;
    const int layer = Store.Select_PHY_Key_Layer;
    ui->lineEdit->clear();
    // Slot 0 is no key; on a standard keypad it holds the layer's LED record.
    if (slot == 0 || slot >= kSlots) {
        qCDebug(lcEditing) << "No key selected, nothing cleared";
        return;
    }
    // A cleared record reaches the keypad with the next download, like any edit.
    const bool changedStandard = record_rules::clearSlot(Store.PHY_KEY_Value[layer][slot]);
    const bool changedExtended = record_rules::clearSlot(Store.PHY2_KEY_Value[layer][slot]);
    if (changedStandard || changedExtended)
        Store.markChanged(layer, slot);
    if (QAbstractButton *button = Key_Slot_Group->button(slot))
        button->setText(QStringLiteral("NULL"));

    // The rows report their changes, so the cleared record takes the values they now show.
    for (QSpinBox *box : Delay_SpinBoxes)
        if (box)
            box->setValue(kClearedStrokeDelay);
    if (Delay_SpinBoxes[1])
        Delay_SpinBoxes[1]->setValue(0);
}

void Widget::on_CleanALLButton_clicked()
{
    const EditStep step(this, ui->cancel_2->text().trimmed());
    const int layer = Store.Select_PHY_Key_Layer;
    // The rows first: whatever they write into the selected slot is cleared with the layer.
    for (QSpinBox *box : Delay_SpinBoxes)
        if (box)
            box->setValue(kClearedStrokeDelay);
    for (int slot = 1; slot <= kLastKeySlot; ++slot) {
        const bool changedStandard = record_rules::clearLayerStandard(Store.PHY_KEY_Value[layer][slot]);
        const bool changedExtended = record_rules::clearLayerExtended(Store.PHY2_KEY_Value[layer][slot]);
        if (changedStandard || changedExtended)
            Store.markChanged(layer, slot);
    }
    for (int n = 1; n <= kSlotButtons; ++n)
        if (auto *button = findChild<QPushButton *>(QStringLiteral("pushButton_K%1").arg(n)))
            button->setText(QStringLiteral("NULL"));
    ui->lineEdit->clear();
}
