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
    hidio::exit();
}

void LinkWorker::search()
{
    // One enumeration of every HID device; the keypads in it in the order of the USB ids (see
    // device/discovery.h).
    hid_device_info *devices = hidio::enumerate(0, 0);
    const QVector<discovery::Attached> keypads = discovery::attached(devices);
    const discovery::Attached *found = pick(keypads);
    if (!found) {
        if (reported != State::Searching && pinned.isEmpty())
            if (const std::optional<discovery::UsbId> id = discovery::firstListed(devices))
                qCDebug(lcDevice, "no interface 0 under %04x:%04x", id->vid, id->pid);
        hidio::freeEnumeration(devices);
        report(State::Searching);
        return;
    }
    hidio::freeEnumeration(devices);
    last = {found->vid, found->pid};
    qCDebug(lcDevice, "interface_number:%s", found->path.constData());
    hid_device *handle = hidio::open(found->path.constData());
    if (!handle) {
        // On Linux the hidraw node belongs to root unless the udev rule grants it to the user.
        if (reported != State::AccessDenied)
            hidio::logError(nullptr);
        report(State::AccessDenied);
        return;
    }
    dev = handle;
    openPath = found->path;
    emit openedAt(*found);
    emit opened(last.vid, last.pid);
    report(State::Opened);
}

const discovery::Attached *LinkWorker::pick(const QVector<discovery::Attached> &keypads) const
{
    const QByteArray &wanted = pinned.isEmpty() ? chosenPath : pinned;
    for (const discovery::Attached &k : keypads)
        if (!wanted.isEmpty() && k.path == wanted && (chosenSerial.isEmpty() || k.serial == chosenSerial))
            return &k;
    if (!pinned.isEmpty())
        return nullptr;
    // The chosen keypad plugged in elsewhere, or else the first in search order, as a replacement.
    for (const discovery::Attached &k : keypads)
        if (!chosenSerial.isEmpty() && k.serial == chosenSerial)
            return &k;
    return keypads.isEmpty() ? nullptr : &keypads.first();
}

void LinkWorker::choose(const QByteArray &path)
{
    hid_device_info *devices = hidio::enumerate(0, 0);
    chosenPath = path;
    chosenSerial.clear();
    for (const discovery::Attached &k : discovery::attached(devices))
        if (k.path == path)
            chosenSerial = k.serial;
    hidio::freeEnumeration(devices);
    if (dev && openPath != path)
        close("another keypad chosen");
    emit finished();
}

bool LinkWorker::present()
{
    hid_device_info *list = hidio::enumerate(last.vid, last.pid);
    const bool listed = discovery::atPath(list, openPath.constData()).listed;
    hidio::freeEnumeration(list);
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
    openPath.clear();
    broken = false;
    hidio::exit();
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
