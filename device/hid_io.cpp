#include "device/hid_io.h"

#include <hidapi.h>

#include <mutex>

Q_LOGGING_CATEGORY(lcDevice, "zorveldeck.device", QtInfoMsg)
Q_LOGGING_CATEGORY(lcDeviceBytes, "zorveldeck.device.bytes", QtInfoMsg)

namespace hidio
{

namespace
{
std::mutex globalCalls;
}

QString errorText(hid_device *dev)
{
    std::unique_lock<std::mutex> held(globalCalls, std::defer_lock);
    if (!dev)
        held.lock();
    // hid_error returns wchar_t text (UTF-32 on Linux); fromWCharArray keeps all of it.
    const wchar_t *text = hid_error(dev);
    return text ? QString::fromWCharArray(text) : QString();
}

void logError(hid_device *dev)
{
    qCWarning(lcDevice).noquote() << "err_string = " + errorText(dev);
}

int write(hid_device *dev, const QByteArray &report)
{
    const int result =
        hid_write(dev, reinterpret_cast<const unsigned char *>(report.constData()), size_t(report.size()));
    if (result < 0)
        logError(dev);
    return result;
}

hid_device_info *enumerate(quint16 vid, quint16 pid)
{
    std::lock_guard<std::mutex> held(globalCalls);
    return hid_enumerate(vid, pid);
}

void freeEnumeration(hid_device_info *devices)
{
    std::lock_guard<std::mutex> held(globalCalls);
    hid_free_enumeration(devices);
}

hid_device *open(const char *path)
{
    std::lock_guard<std::mutex> held(globalCalls);
    return hid_open_path(path);
}

void exit()
{
    std::lock_guard<std::mutex> held(globalCalls);
    hid_exit();
}

} // namespace hidio
