#include "device/hid_io.h"

#include <hidapi.h>

Q_LOGGING_CATEGORY(lcDevice, "zorveldeck.device", QtInfoMsg)
Q_LOGGING_CATEGORY(lcDeviceBytes, "zorveldeck.device.bytes", QtInfoMsg)

namespace hidio
{

QString errorText(hid_device *dev)
{
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

} // namespace hidio
