// Delay page: the slider and spin box of standard keypads (one delay per slot) and
// the 18 per-stroke rows of extended keypads.
#include <QSlider>
#include <QSpinBox>

#include "app/edit_step.h"
#include "app/edit_texts.h"
#include "app/editing_log.h"
#include "app/widget.h"
#include "device/store.h"
#include "editing/delay_rules.h"
#include "ui_widget.h"

namespace
{
const QString kNullStyle = QStringLiteral("color: rgb(255, 0, 0);");
const QString kNamedStyle = QStringLiteral("color: rgb(0, 255, 0);");
} // namespace

void Widget::setupDelaySpinBoxes()
{
    for (int n = 1; n <= delays::kStrokeRows; ++n) {
        const QString name = QStringLiteral("delay_spinBox_%1").arg(n);
        auto *box = findChild<QSpinBox *>(name);
        if (!box) {
            qCWarning(lcEditing) << "Could not find" << name;
            continue;
        }
        Delay_SpinBoxes[n] = box;
        connect(box, QOverload<int>::of(&QSpinBox::valueChanged), this, &Widget::onSpinBoxValueChanged);
    }
}

void Widget::slotSpinbox_slider()
{
    ui->spinBox->setValue(ui->horizontalSlider->value());
}

void Widget::slotslider_Spinbox()
{
    ui->horizontalSlider->setValue(ui->spinBox->value());
    assignDelay();
}

void Widget::assignDelay()
{
    const int d = ui->spinBox->value();
    ui->lineEdit->setPlainText(QStringLiteral(" %1 MS").arg(d));

    // Slot 0 of a standard layer is its LED record: without a selected slot the
    // delay has nowhere to go.
    const int slot = Store.Select_PHY_Key;
    if (slot == 0 || slot >= kSlots) {
        qCDebug(lcEditing) << "No key selected, delay not stored:" << d;
        return;
    }
    const int layer = Store.Select_PHY_Key_Layer;
    // a drag of the slider, or typing a value, is one step
    const EditStep step(this, editText(Language, EditText::DelayStep), 1 << 16 | layer << 8 | slot);
    quint8 *record = Store.PHY_KEY_Value[layer][slot];
    delays::storeSlotDelay(record, d, Store.Select_PHY_Key_Mode);
    Store.markChanged(layer, slot);
    qCDebug(lcEditing, "Modify key value Flag: Layer=%d  Key=%d \n", layer, slot);
    for (int i = 0; i < 50; ++i)
        qCDebug(lcEditing, "Key_array %d %x", i, record[i]);
}

void Widget::onSpinBoxValueChanged(int value)
{
    int row = -1;
    for (int n = 1; n <= delays::kStrokeRows; ++n)
        if (Delay_SpinBoxes[n] && sender() == Delay_SpinBoxes[n])
            row = n - 1;
    if (row < 0)
        return;

    // Without a selected slot the row belongs to no record (clearing also moves the
    // rows); storing it into slot 0 would send a record for a key that does not exist.
    const int slot = Store.Select_PHY_Key;
    if (slot == 0 || slot >= kSlots) {
        qCDebug(lcEditing) << "No key selected, delay row" << row + 1 << "not stored:" << value;
        return;
    }
    const int layer = Store.Select_PHY_Key_Layer;
    const EditStep step(this, editText(Language, EditText::DelayStep), (row + 2) << 16 | layer << 8 | slot);
    delays::storeStrokeDelay(Store.PHY2_KEY_Value[layer][slot], row, value);
    Store.markChanged(layer, slot);
    qCDebug(lcEditing, "Modify key value Flag: Layer=%d  Key=%d \n", layer, slot);
    qCDebug(lcEditing).nospace() << "Updated delay_values[" << row << "] =" << value;
}

void Widget::enterDelayPage()
{
    for (int n = 1; n <= delays::kStrokeRows; ++n) {
        QSpinBox *box = Delay_SpinBoxes[n];
        if (!box)
            continue;
        // A value pulled into the new range is not an edit of the selected slot.
        const QSignalBlocker quiet(box);
        box->setRange(n == 1 ? 0 : delays::kOtherStrokeMin, delays::kStrokeDelayMax);
        box->setSuffix(QStringLiteral("   ms"));
    }
    loadDelayRows();
}

void Widget::refreshDelayPage()
{
    const int slot = Store.Select_PHY_Key;
    const bool selected = slot != 0 && slot < kSlots;
    for (int n = 1; n <= delays::kStrokeRows; ++n) {
        if (QSpinBox *box = Delay_SpinBoxes[n]) {
            box->setEnabled(selected);
            if (selected)
                box->setReadOnly(false);
        }
    }
    if (!selected)
        return;

    const quint8 *record = Store.PHY2_KEY_Value[Store.Select_PHY_Key_Layer][slot];
    if (record[3] != 1)
        return;
    for (int n = 1; n <= delays::kStrokeRows; ++n) {
        auto *label = findChild<QPushButton *>(QStringLiteral("pushButton_delay_%1").arg(n));
        if (!label)
            continue;
        const delays::RowLabel l = delays::strokeLabel(delays::strokeCode(record, n - 1), Language);
        if (l.kind == delays::LabelKind::Keep)
            continue;
        label->setText(l.text);
        label->setStyleSheet(l.kind == delays::LabelKind::Null ? kNullStyle : kNamedStyle);
    }
}

void Widget::loadDelayRows()
{
    refreshDelayPage();
    const int slot = Store.Select_PHY_Key;
    if (slot == 0 || slot >= kSlots)
        return;
    const int layer = Store.Select_PHY_Key_Layer;
    if (!Store.extended()) {
        // Shown without the spin box's store, which would make the slot a delay slot.
        quint8 *record = Store.PHY_KEY_Value[layer][slot];
        const int ms = qMin(delays::slotDelay(record), delays::kSlotDelayMax);
        const QSignalBlocker quietBox(ui->spinBox), quietSlider(ui->horizontalSlider);
        ui->spinBox->setValue(ms);
        ui->horizontalSlider->setValue(ms);
        if (ms != delays::slotDelay(record)) {
            delays::storeSlotDelay(record, ms, record[3]);
            Store.markChanged(layer, slot);
        }
        return;
    }
    // Each row writes only its own unit back, so later rows still read what was stored.
    quint8 *record = Store.PHY2_KEY_Value[layer][slot];
    for (int n = 1; n <= delays::kStrokeRows; ++n)
        if (QSpinBox *box = Delay_SpinBoxes[n])
            box->setValue(delays::shownStrokeDelay(record, n - 1));
    // A box that already showed the raised or range-limited value reported no change; the
    // record still takes what the row shows, which is what the next download sends.
    for (int n = 1; n <= delays::kStrokeRows; ++n) {
        const QSpinBox *box = Delay_SpinBoxes[n];
        if (box && delays::strokeDelay(record, n - 1) != box->value()) {
            delays::storeStrokeDelay(record, n - 1, box->value());
            Store.markChanged(layer, slot);
        }
    }
}
