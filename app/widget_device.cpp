// The window's side of the keypad link: the poll step, first contact, Save settings and View
// settings. The link talks to the keypad on its own thread; these slots hand it copies of the
// store and take its results back into the store.
#include <QPushButton>

#include "app/dialog1.h"
#include "app/edit_step.h"
#include "app/edit_texts.h"
#include "app/widget.h"
#include "device/hid_io.h"
#include "device/keypad_link.h"
#include "device/store.h"
#include "device/store_exchange.h"
#include "editing/record_rules.h"
#include "ui_widget.h"

namespace
{

// dev_list only tells whether a keypad is open.
const char kKeypadOpen = 0;

} // namespace

void Widget::connectKeypadLink()
{
    connect(Keypad_Link, &device::KeypadLink::stateChanged, this, &Widget::showLinkState);
    connect(Keypad_Link, &device::KeypadLink::opened, this, &Widget::onKeypadOpened);
    connect(Keypad_Link, &device::KeypadLink::connected, this, &Widget::onKeypadConnected);
    connect(Keypad_Link, &device::KeypadLink::disconnected, this, &Widget::onKeypadClosed);
    connect(Keypad_Link, &device::KeypadLink::busyChanged, this, &Widget::onLinkBusy);
    connect(Keypad_Link, &device::KeypadLink::progress, this, &Widget::onLinkProgress);
    connect(Keypad_Link, &device::KeypadLink::saved, this, &Widget::onSaved);
    connect(Keypad_Link, &device::KeypadLink::viewed, this, &Widget::onViewed);
    connect(Keypad_Link, &device::KeypadLink::ledRead, this, &Widget::onLedRead);
}

void Widget::timeoutSlot()
{
    Keypad_Link->step(Store.Edit_Serial);
    showLinkState();
    updateUnsavedMarker();
    // A choice in the model dialog takes effect here.
    if (Store.Dev_Connected == 1)
        checkModel();
}

void Widget::onKeypadOpened(quint16 vid, quint16 pid)
{
    Store.Cur_VID = vid;
    Store.Cur_PID = pid;
    Store.dev_list = &kKeypadOpen;
    Store.Dev_Connected = 0;
}

void Widget::onKeypadConnected(const device::Keypad &keypad, const device::ViewOutcome &readBack)
{
    noteKeypadModel(keypad);
    if (keypad.answered) {
        Store.Dev_Key_Num = Store.Layout_Key_Num = keypad.keys;
        Store.Dev_Knob_Num = Store.Layout_Knob_Num = keypad.knobs;
        Store.Dev_Variant = Store.Layout_Variant = keypad.variant;
        layoutDevicePicture();
        Model_Dialog->hide();
    } else {
        // No usable model answer: nothing of it is taken. The dialog offers the model the
        // picture shows, and only standard models; the poll's model check hides it once the
        // user picks a different one.
        Store.Dev_Key_Num = Store.Layout_Key_Num;
        Store.Dev_Knob_Num = Store.Layout_Knob_Num;
        Store.Dev_Variant = 0;
        Model_Dialog->show();
    }
    Model_Answered = keypad.answered;
    updateActionButtons();

    if (Store.extended()) {
        buildPresetPage();
        const EditStep step(this, editText(Language, EditText::ReadBack));
        // The configuration read back never replaces a record edited and not yet saved.
        device::applyView(Store, readBack, true);
        noteRead(readBack);
        refreshLayerNames(Store.Select_PHY_Key_Layer);
        if (Store.Select_PHY_Key_Mode == record_rules::kLedType)
            refreshLedPage();
        setupPagesForFormat(true);
    } else {
        clearSlotHighlights();
        setupPagesForFormat(false);
        // Left by an extended keypad: once removed, the next step makes first contact again.
        if (removePresetPage()) {
            Keypad_Link->recontact();
            return;
        }
    }
    Store.Dev_Connected = 1;
    checkModel();
}

void Widget::onKeypadClosed()
{
    Store.Dev_Connected = 0;
    Store.dev_list = nullptr;
    ui->KB_6ADD2_QR_CODE->hide();
    checkModel();
}

void Widget::checkModel()
{
    if (Store.Dev_Key_Num == Store.Layout_Key_Num && Store.Dev_Knob_Num == Store.Layout_Knob_Num)
        return;
    Store.Layout_Key_Num = Store.Dev_Key_Num;
    Store.Layout_Knob_Num = Store.Dev_Knob_Num;
    Store.Layout_Variant = Store.Dev_Variant;
    layoutDevicePicture();
    Model_Dialog->hide();
}

void Widget::on_confirmButton_clicked()
{
    if (Store.Dev_Connected == 1)
        downloadConfiguration();
}

void Widget::downloadConfiguration()
{
    const device::SaveJob job = device::saveJob(Store);
    if (job.records.isEmpty() && !job.led) {
        showSaveNotice(); // nothing to send
        return;
    }
    if (Keypad_Link->save(job))
        endNoticeForExchange();
}

void Widget::onSaved(const device::SaveJob &job, const device::SaveOutcome &outcome)
{
    // A flag is cleared only for a record written and committed and not edited meanwhile.
    const int kept = device::applySave(Store, job, outcome);
    if (outcome.failed) {
        showSaveFailedNotice(kept);
    } else {
        showSaveNotice();
        qCDebug(lcDevice, "download ok....");
    }
    noteSaved(job, outcome);
}

void Widget::Read_configuration_clicked()
{
    if (Store.Dev_Connected != 1 || !confirmLoss(Loss::View))
        return;
    if (Store.extended())
        readConfiguration(kLayers, kLastKeySlot, 0);
    else
        readConfiguration(3, 15, 3);
}

void Widget::readConfiguration(quint8 layers, quint8 keys, quint8 knobs)
{
    if (Keypad_Link->view({layers, keys, knobs, Store.extended(), Store.Edit_Serial}))
        endNoticeForExchange();
}

void Widget::onViewed(const device::ViewOutcome &outcome)
{
    const EditStep step(this, editText(Language, EditText::ReadBack));
    // Records edited while the read-back ran keep the user's bytes.
    device::applyView(Store, outcome, false);
    noteRead(outcome);
    refreshLayerNames(Store.Select_PHY_Key_Layer);
    showViewNotice(outcome.records.size(), outcome.requested, outcome.complete());
}

void Widget::updateActionButtons()
{
    const bool busy = Keypad_Link->busy();
    ui->download->setEnabled(!busy);
    ui->Read_Configuration->setEnabled(!busy && Model_Answered);
}

void Widget::onLinkBusy(bool busy)
{
    if (busy) {
        Exchange_Clock.start();
        Progress_Shown_At = 0;
    }
    updateActionButtons();
    if (busy)
        return;
    showLinkState();
    if (Led_Query_Wanted) {
        Led_Query_Wanted = false;
        if (Store.extended() && Store.Select_PHY_Key_Mode == record_rules::kLedType)
            refreshLedPage();
    }
}
