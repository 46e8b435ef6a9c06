// The worker's search, presence check and first contact, and the handle's life.
#include "device/link_worker.h"

#include <hidapi.h>

#include "device/hid_io.h"
#include "device/reports.h"

namespace device
{

LinkWorker::LinkWorker(const std::atomic_bool &stopping, const QByteArray &path)
    : stopping(stopping), pinned(path)
{
}

LinkWorker::~LinkWorker()
{
    if (dev)
        hid_close(dev);
}

void LinkWorker::step()
{
    if (!dev)
        search();
    else
        present();
    end();
}

void LinkWorker::firstContact(quint32 mark)
{
    if (dev && present()) {
        const Keypad keypad = queryModel();
        ViewOutcome records;
        if (keypad.extended() && !broken)
            records = readBack({kLayers, kLastKeySlot, 0, true, mark});
        qCInfo(lcDevice, "keypad %04x:%04x: %s", keypad.vid, keypad.pid,
               keypad.answered ? qPrintable(QStringLiteral("%1 keys, %2 knobs, variant %3")
                                                .arg(keypad.keys)
                                                .arg(keypad.knobs)
                                                .arg(keypad.variant))
                               : "no usable model answer");
        emit contacted(keypad, records);
    }
    end();
}

void LinkWorker::shutdown()
{
    if (dev) {
        hid_close(dev);
        dev = nullptr;
    }
    hid_exit();
}

void LinkWorker::search()
{
    // One enumeration of every HID device, searched in the order of the USB ids (see
    // device/discovery.h), or for the pinned path. `last` keeps the last match, searched when
    // none is listed.
    hid_device_info *devices = hid_enumerate(0, 0);
    discovery::Match match;
    if (pinned.isEmpty()) {
        if (const std::optional<discovery::UsbId> id = discovery::firstListed(devices))
            last = *id;
        match = discovery::match(devices, last);
    } else {
        match = discovery::atPath(devices, pinned.constData());
        if (match.interfaceZero)
            last = {match.interfaceZero->vendor_id, match.interfaceZero->product_id};
    }
    if (!match.interfaceZero) {
        if (match.listed && reported != State::Searching)
            qCDebug(lcDevice, "no interface 0 under %04x:%04x", last.vid, last.pid);
        hid_free_enumeration(devices);
        report(State::Searching);
        return;
    }
    qCDebug(lcDevice, "interface_number:%s", match.interfaceZero->path);
    hid_device *handle = hid_open_path(match.interfaceZero->path);
    hid_free_enumeration(devices);
    if (!handle) {
        // On Linux the hidraw node belongs to root unless the udev rule grants it to the user.
        if (reported != State::AccessDenied)
            hidio::logError(nullptr);
        report(State::AccessDenied);
        return;
    }
    dev = handle;
    emit opened(last.vid, last.pid);
    report(State::Opened);
}

bool LinkWorker::present()
{
    hid_device_info *list = hid_enumerate(last.vid, last.pid);
    const bool listed =
        pinned.isEmpty() ? list != nullptr : discovery::atPath(list, pinned.constData()).listed;
    hid_free_enumeration(list);
    if (!listed) {
        close("unplugged");
        return false;
    }
    return drain();
}

void LinkWorker::end()
{
    if (broken)
        close("a write or read failed");
    emit finished();
}

void LinkWorker::close(const char *why)
{
    hid_close(dev);
    dev = nullptr;
    broken = false;
    hid_exit();
    qCInfo(lcDevice, "keypad %04x:%04x closed (%s)", last.vid, last.pid, why);
    emit closed();
    report(State::Searching);
}

void LinkWorker::report(State state)
{
    if (state == reported)
        return;
    reported = state;
    switch (state) {
    case State::Searching:
        qCInfo(lcDevice, "searching for a keypad");
        break;
    case State::AccessDenied:
        qCInfo(lcDevice, "keypad %04x:%04x found, but access denied", last.vid, last.pid);
        break;
    case State::Opened:
    case State::Connected:
        qCInfo(lcDevice, "keypad %04x:%04x opened", last.vid, last.pid);
        break;
    }
    emit stateReported(state);
}

bool LinkWorker::write(const QByteArray &report)
{
    if (!dev || broken || stopping)
        return false;
    if (hidio::write(dev, report) < 0) {
        broken = true;
        return false;
    }
    return true;
}

int LinkWorker::read(quint8 *answer, int waitMs)
{
    if (!dev || broken)
        return -1;
    const int n = hid_read_timeout(dev, answer, reports::kAnswerSize, waitMs);
    if (n < 0) {
        hidio::logError(dev);
        broken = true;
    }
    return n;
}

} // namespace device
