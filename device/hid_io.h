#pragma once
// Small helpers shared by the device exchanges: the log category, error logging and report
// writing over the hidapi C API.
#include <QByteArray>
#include <QLoggingCategory>

struct hid_device_;
typedef struct hid_device_ hid_device;
struct hid_device_info;

Q_DECLARE_LOGGING_CATEGORY(lcDevice)
// Every stored read-back byte, one line each; off unless enabled with QT_LOGGING_RULES
// ("zorveldeck.device.bytes.debug=true").
Q_DECLARE_LOGGING_CATEGORY(lcDeviceBytes)

namespace hidio
{

// The hidapi error text of `dev` (or the global one for null), whole, as a QString.
QString errorText(hid_device *dev);
// Logs "err_string = " followed by the error text.
void logError(hid_device *dev);
// Writes one report; on failure logs the error text. Returns hid_write's result.
int write(hid_device *dev, const QByteArray &report);

// The calls that touch hidapi's process-wide state (its global error text among it), one
// thread at a time: several links may search and open at once.
hid_device_info *enumerate(quint16 vid, quint16 pid);
void freeEnumeration(hid_device_info *devices);
hid_device *open(const char *path);
// hid_exit; the global error text is read before the next global call (for logging).
void exit();

} // namespace hidio
