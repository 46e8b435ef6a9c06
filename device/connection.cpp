// Discovery and connection: the 100 ms poll step, first contact and the model query.
#include <QTabWidget>

#include <hidapi.h>

#include "app/widget.h"
#include "device/hid_io.h"
#include "device/reports.h"
#include "device/store.h"
#include "ui_widget.h"
#include "views/dialog1.h"

namespace
{

constexpr quint16 kVendorIds[2] = {0x1189, 0x514C};
// Product ids tried under the first vendor id: 0x8851 exists only under the second one.
constexpr int kFirstVendorProducts = 7;
constexpr int kModelAnswerWaitMs = 10;

// dev_list only tells whether a keypad is open; the enumeration itself is freed at once.
const char kKeypadOpen = 0;

bool present(quint16 vid, quint16 pid)
{
    hid_device_info *list = hid_enumerate(vid, pid);
    const bool found = list != nullptr;
    hid_free_enumeration(list);
    return found;
}

} // namespace

void Widget::timeoutSlot()
{
    if (!Store.dev_list) {
        searchKeypad();
        return;
    }
    if (!present(Store.Cur_VID, Store.Cur_PID)) {
        closeKeypad();
        checkModel();
        return;
    }
    showConnectedStatus();
    if (!Store.Dev_Connected) {
        firstContact();
    } else {
        Store.Dev_Connected = 1;
        checkModel();
    }
}

void Widget::searchKeypad()
{
    // The first vendor id is searched every time, so a keypad under it is found again even
    // after one under the second vendor id was seen; Cur_VID/Cur_PID keep the last match.
    bool found = false;
    for (int v = 0; v < 2 && !found; ++v) {
        const int products = v == 0 ? kFirstVendorProducts : 8;
        for (int i = 0; i < products && !found; ++i)
            if (present(kVendorIds[v], PID_Table[i])) {
                Store.Cur_VID = kVendorIds[v];
                Store.Cur_PID = PID_Table[i];
                found = true;
            }
    }

    hid_device_info *list = hid_enumerate(Store.Cur_VID, Store.Cur_PID);
    if (!list) {
        showDisconnectedStatus();
        Store.Dev_Connected = 0;
        return;
    }
    const hid_device_info *entry = list;
    while (entry && entry->interface_number != 0)
        entry = entry->next;
    if (!entry) {
        // Only other interfaces are listed: not the keypad's configuration interface.
        hid_free_enumeration(list);
        qCDebug(lcDevice, "no interface 0 under %04x:%04x", Store.Cur_VID, Store.Cur_PID);
        showDisconnectedStatus();
        Store.Dev_Connected = 0;
        return;
    }
    qCDebug(lcDevice, "interface_number:%s", entry->path);
    hid_device *dev = hid_open_path(entry->path);
    hid_free_enumeration(list);
    if (!dev) {
        // The keypad is there but cannot be opened: searched again at the next step.
        hidio::logError(nullptr);
        showAccessDeniedStatus();
        Store.Dev_Connected = 0;
        return;
    }
    Device_Handle = dev;
    Store.dev_list = &kKeypadOpen;
}

void Widget::closeKeypad()
{
    hid_close(Device_Handle);
    Device_Handle = nullptr;
    hid_exit();
    Store.Dev_Connected = 0;
    Store.dev_list = nullptr;
    ui->KB_6ADD2_QR_CODE->hide();
}

void Widget::firstContact()
{
    queryModel();
    if (Store.extended()) {
        buildPresetPage();
        readConfiguration(3, 25, 0);
        if (Store.Select_PHY_Key_Mode == 8)
            refreshLedPage();
        setupPagesForFormat(true);
    } else {
        clearSlotHighlights();
        setupPagesForFormat(false);
        // Left by an extended keypad: once removed, the next step makes first contact again.
        if (removePresetPage())
            return;
    }
    Store.Dev_Connected = 1;
    checkModel();
}

void Widget::queryModel()
{
    if (hidio::write(Device_Handle, reports::encodeModelQuery()) < 0)
        return;
    quint8 answer[reports::kAnswerSize] = {};
    const int n = hid_read_timeout(Device_Handle, answer, sizeof answer, kModelAnswerWaitMs);
    if (n < 0) {
        hidio::logError(Device_Handle);
        return;
    }
    if (n == 0) {
        qCDebug(lcDevice, "hid_read_timeout = %s", "timeout");
        // The dialog offers the model the picture shows; the poll's model check hides it only
        // once the user picks a different one.
        Store.Dev_Key_Num = Store.Layout_Key_Num;
        Store.Dev_Knob_Num = Store.Layout_Knob_Num;
        Model_Dialog->show();
        ui->Read_Configuration->setEnabled(false);
        return;
    }
    qCDebug(lcDevice, "hid_read_timeout = %s", "read ok");
    qCDebug(lcDevice, "hid_read_timeout = %d %d", answer[2], answer[3]);
    const reports::Model model = reports::decodeModelAnswer(answer);
    Store.Dev_Key_Num = Store.Layout_Key_Num = model.keys;
    Store.Dev_Knob_Num = Store.Layout_Knob_Num = model.knobs;
    Store.Dev_Variant = Store.Layout_Variant = model.variant;
    layoutDevicePicture();
    Model_Dialog->hide();
    ui->Read_Configuration->setEnabled(true);
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

void Widget::showConnectedStatus()
{
    if (Store.Save_Notice_Active)
        return;
    ui->Dev_Sta_Dsp->setText(Language == 1 ? QStringLiteral("Device Connect") : QStringLiteral("设备已连接"));
    ui->Dev_Sta_Dsp->setStyleSheet(QStringLiteral("color: rgb(255, 255, 255);"));
}

void Widget::showDisconnectedStatus()
{
    if (Store.Save_Notice_Active)
        return;
    ui->Dev_Sta_Dsp->setText(Language == 1 ? QStringLiteral("Device Disconnect USB")
                                           : QStringLiteral("——请用数据线连接设备——"));
    ui->Dev_Sta_Dsp->setStyleSheet(QStringLiteral("color: rgb(220, 0, 0);"));
}

// On Linux the hidraw node belongs to root unless the udev rule grants it to the user.
void Widget::showAccessDeniedStatus()
{
    if (Store.Save_Notice_Active)
        return;
    ui->Dev_Sta_Dsp->setText(
        Language == 1 ? QStringLiteral("Device found, but access denied: install the udev rule (see README)")
                      : QStringLiteral("已找到设备，但无权访问：请安装 udev 规则（见 README）"));
    ui->Dev_Sta_Dsp->setStyleSheet(QStringLiteral("color: rgb(220, 0, 0);"));
}
