// Layer, page and slot selection, and the list of function buttons the assignment
// filter watches.
#include <iterator>
#include <utility>

#include "app/editing_log.h"
#include "app/widget.h"
#include "device/store.h"
#include "editing/record_rules.h"
#include "ui_widget.h"

namespace
{

const QString kLayerSelected = QStringLiteral("QPushButton{background-color: #FFFFFF;color:#383838;}");
const QString kLayerUnselected = QStringLiteral("QPushButton{background-color: #383838;color:#FFFFFF;}");

constexpr int kLedPage = 3;
constexpr int kDelayPage = 5;
using namespace record_rules;
// Function type of each page: keys, modifiers, media, LED, mouse, delay, Procreate.
constexpr quint8 kPageType[] = {kKeyboardType, kKeyboardType, kMultimediaType, kLedType,
                                kMouseType,    kDelayType,    kKeyboardType};
constexpr int kPages = int(sizeof kPageType);

} // namespace

void Widget::SendLayer(int index)
{
    Store.Select_PHY_Key_Layer = quint8(index);
    QPushButton *layers[kLayers] = {ui->Layer1, ui->Layer2, ui->Layer3};
    if (index >= 0 && index < kLayers)
        for (int i = 0; i < kLayers; ++i)
            layers[i]->setStyleSheet(i == index ? kLayerSelected : kLayerUnselected);

    Store.Select_PHY_Key = 0;
    ui->pushButton_SeleKey->setText(QStringLiteral("NULL"));
    ui->lineEdit->clear();
    refreshLayerNames(index);
    qCDebug(lcEditing, "Select_PHY_Key_Layer = %d\n", index);
    clearSlotHighlights(); // the frame goes with the selection
    if (Store.extended() && Store.Select_PHY_Key_Mode == kLedType)
        refreshLedPage();
}

void Widget::on_tabWidget_currentChanged(int index)
{
    ui->tabWidget->setCurrentIndex(index);
    qCDebug(lcEditing, "ui->tabWidget->setCurrentIndex = %d\n", index);

    // leaving the LED page of an extended keypad: the key colours give way to the
    // selection highlight
    if (Store.extended() && Store.Select_PHY_Key_Mode == kLedType && index != kLedPage) {
        clearSlotHighlights();
        if (Store.Select_PHY_Key != 0)
            rehighlightSelectedSlot();
    }

    if (index >= 0 && index < kPages)
        Store.Select_PHY_Key_Mode = kPageType[index];
    if (index == kLedPage) {
        if (Store.extended()) {
            refreshLedPage();
        } else {
            // a standard keypad's LED page edits the layer, not a key
            Store.Select_PHY_Key = 0;
            clearSlotHighlights();
        }
    } else if (index == kDelayPage) {
        enterDelayPage();
    }
    qCDebug(lcEditing, "Select_PHY_Key_Mode = %d\n", Store.Select_PHY_Key_Mode);
}

void Widget::on_changeButtonGroup(int id)
{
    if (!Store.extended() && Store.Select_PHY_Key_Mode == kLedType)
        return;
    if (id < 1 || id >= kSlots)
        return;
    const QAbstractButton *checked = Key_Slot_Group->checkedButton();
    qCDebug(lcEditing).noquote()
        << QStringLiteral("被选中按钮的objectName==%1").arg(checked ? checked->objectName() : QString());

    if (id <= int(std::size(Slot_Name_EN)))
        ui->pushButton_SeleKey->setText(slotName(id));
    qCDebug(lcEditing, "Select_PHY_Key value is  %d ", id);
    Store.selectSlot(id);
    describeSelectedSlot();
    if (Store.Select_PHY_Key_Mode == kDelayType)
        loadDelayRows();
    highlightSlot(id);
}

void Widget::collectFunctionButtons(int page)
{
    Tab_Buttons.clear();
    ui->tabWidget->setCurrentIndex(page);
    Tab_Buttons = ui->tabWidget->findChildren<QPushButton *>();
    for (QPushButton *button : std::as_const(Tab_Buttons)) {
        qCDebug(lcEditing) << "all ley is " << button->text();
        button->installEventFilter(this);
    }
    qCDebug(lcEditing) << "the  count is " << Tab_Buttons.size();
}

QString Widget::slotName(int slot) const
{
    return Language != catalogue::Chinese ? Slot_Name_EN[slot - 1] : Slot_Name_CN[slot - 1];
}
