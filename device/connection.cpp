// Discovery and connection: the 100 ms poll step, first contact and the model query.
#include <QPushButton>
#include <QTabWidget>

#include <hidapi.h>

#include "app/widget.h"
#include "device/discovery.h"
#include "device/hid_io.h"
#include "device/reports.h"
#include "device/store.h"
#include "ui_widget.h"
#include "views/dialog1.h"

namespace
{

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

// The status is set on every step, ten times a second: a text or style sheet that is already
// there is not set again, which would re-polish and repaint the button each time.
void setStatus(QPushButton *status, const QString &text, const QString &style)
{
    if (status->text() != text)
        status->setText(text);
    if (status->styleSheet() != style)
        status->setStyleSheet(style);
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
    // One enumeration of every HID device per step, searched in the order of the USB ids (see
    // device/discovery.h) rather than one enumeration per id. The first vendor id is searched
    // every time, so a keypad under it is found again even after one under the second vendor id
    // was seen; Cur_VID/Cur_PID keep the last match.
    hid_device_info *devices = hid_enumerate(0, 0);
    if (const std::optional<discovery::UsbId> id = discovery::firstListed(devices)) {
        Store.Cur_VID = id->vid;
        Store.Cur_PID = id->pid;
    }

    const discovery::Match match = discovery::match(devices, {Store.Cur_VID, Store.Cur_PID});
    if (!match.listed) {
        hid_free_enumeration(devices);
        showDisconnectedStatus();
        Store.Dev_Connected = 0;
        return;
    }
    const hid_device_info *entry = match.interfaceZero;
    if (!entry) {
        // Only other interfaces are listed: not the keypad's configuration interface.
        hid_free_enumeration(devices);
        qCDebug(lcDevice, "no interface 0 under %04x:%04x", Store.Cur_VID, Store.Cur_PID);
        showDisconnectedStatus();
        Store.Dev_Connected = 0;
        return;
    }
    qCDebug(lcDevice, "interface_number:%s", entry->path);
    hid_device *dev = hid_open_path(entry->path);
    hid_free_enumeration(devices);
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
    setStatus(ui->Dev_Sta_Dsp,
              Language == 1 ? QStringLiteral("Device Connect") : QStringLiteral("设备已连接"),
              QStringLiteral("color: rgb(255, 255, 255);"));
}

void Widget::showDisconnectedStatus()
{
    if (Store.Save_Notice_Active)
        return;
    setStatus(ui->Dev_Sta_Dsp,
              Language == 1 ? QStringLiteral("Device Disconnect USB")
                            : QStringLiteral("——请用数据线连接设备——"),
              QStringLiteral("color: rgb(220, 0, 0);"));
}

// On Linux the hidraw node belongs to root unless the udev rule grants it to the user.
void Widget::showAccessDeniedStatus()
{
    if (Store.Save_Notice_Active)
        return;
    setStatus(ui->Dev_Sta_Dsp,
              Language == 1
                  ? QStringLiteral("Device found, but access denied: install the udev rule (see README)")
                  : QStringLiteral("已找到设备，但无权访问：请安装 udev 规则（见 README）"),
              QStringLiteral("color: rgb(220, 0, 0);"));
}
