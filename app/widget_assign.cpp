// The assignment handlers: one clicked catalogue function into the selected slot's
// record of the current layer, in the record format of the connected keypad.
#include "app/editing_log.h"
#include "app/widget.h"
#include "device/store.h"
#include "editing/record_rules.h"
#include "ui_widget.h"

namespace
{

// Catalogue rows 0..19 are modifier masks, 20..40 symbols that need Shift.
constexpr quint8 kFirstShiftedSymbol = 20;
constexpr int kStandardLoggedBytes = 50;
constexpr int kExtendedLoggedBytes = 64;

quint8 *selectedRecord()
{
    return Store.record(Store.Select_PHY_Key_Layer, Store.Select_PHY_Key);
}

bool slotSelected()
{
    return Store.Select_PHY_Key != 0 && Store.Select_PHY_Key < kSlots;
}

bool refused(record_rules::Refusal why, quint8 id)
{
    if (!why)
        return false;
    qCDebug(lcEditing) << "Assignment refused, function" << id << "slot" << Store.Select_PHY_Key << "layer"
                       << Store.Select_PHY_Key_Layer << ":" << why;
    return true;
}

// What every handler does after writing: the record takes the type of the page in
// front and is flagged for the next download.
void finishAssignment(const quint8 *logged, int loggedBytes)
{
    const int layer = Store.Select_PHY_Key_Layer;
    const int slot = Store.Select_PHY_Key;
    record_rules::setFunctionType(selectedRecord(), Store.Select_PHY_Key_Mode);
    Store.markChanged(layer, slot);
    qCDebug(lcEditing, "Modify key value Flag: Layer=%d  Key=%d \n", layer, slot);
    for (int i = 0; i < loggedBytes; ++i)
        qCDebug(lcEditing, "Key_array %d %x", i, logged[i]);
}

} // namespace

bool Widget::assignKeyCode(quint8 id)
{
    if (!slotSelected() || id >= catalogue::kRowCount)
        return false;
    const bool extended = Store.extended();
    if (refused(record_rules::writeKeyCode(selectedRecord(), extended, Key_Code[id]), id))
        return false;
    finishAssignment(selectedRecord(), extended ? kExtendedLoggedBytes : kStandardLoggedBytes);
    return true;
}

bool Widget::assignModifier(quint8 id)
{
    if (!slotSelected() || id > Mod_End)
        return false;
    const bool extended = Store.extended();
    quint8 *r = selectedRecord();
    const record_rules::Refusal why = id < kFirstShiftedSymbol
                                          ? record_rules::writeModifier(r, extended, Key_Code[id])
                                          : record_rules::writeShiftedSymbol(r, extended, Key_Code[id]);
    if (refused(why, id))
        return false;
    // the standard record is the one logged, whatever the format
    finishAssignment(Store.PHY_KEY_Value[Store.Select_PHY_Key_Layer][Store.Select_PHY_Key],
                     kExtendedLoggedBytes);
    return true;
}

bool Widget::assignMediaKey(quint8 id)
{
    if (!slotSelected() || id < Media_Begin || id > Media_End)
        return false;
    // the usage's low byte sits on the function's row, its high byte on the next row
    if (refused(
            record_rules::writeMediaKey(selectedRecord(), Store.extended(), Key_Code[id], Key_Code[id + 1]),
            id))
        return false;
    finishAssignment(selectedRecord(), kStandardLoggedBytes);
    return true;
}

bool Widget::assignMouseAction(quint8 id)
{
    if (!slotSelected() || id < Mouse_Begin || id > Mouse_End)
        return false;
    if (refused(record_rules::writeMouseAction(selectedRecord(), Store.extended(), Key_Code[id]), id))
        return false;
    finishAssignment(selectedRecord(), kStandardLoggedBytes);
    return true;
}

void Widget::showAssignedName(const QString &caption)
{
    const int slot = Store.Select_PHY_Key;
    if (QAbstractButton *button = Key_Slot_Group->button(slot)) {
        const QString old = button->text();
        const QString text = old == QLatin1String("NULL") ? caption : old + QLatin1Char(' ') + caption;
        button->setText(text);
        if (slot != 0)
            ui->lineEdit->setPlainText(text);
    }
    qCDebug(lcEditing) << "Select_PHY_Key the value is " << slot;
}
