#pragma once
// Which keypad the poll step's search finds: the USB ids in the order they are tried, applied
// either one enumeration per id or over a single enumeration of every HID device.
#include <QByteArray>
#include <QMetaType>
#include <QString>
#include <QVector>

#include <functional>
#include <optional>

struct hid_device_info;

namespace discovery
{

struct UsbId {
    quint16 vid;
    quint16 pid;
};

// The ids in search order: the first seven product ids of PID_Table under 0x1189 (0x8851 is only
// tried under the second vendor id), then all eight under 0x514C.
constexpr int kSearchOrderSize = 15;
UsbId searchOrder(int i); // 0 <= i < kSearchOrderSize

// The same search over one enumeration of every device (hid_enumerate(0, 0)): the first id in
// search order that some entry of `devices` carries, wherever that entry stands in the list.
std::optional<UsbId> firstListed(const hid_device_info *devices);

// One supported keypad attached: its ids, the path of its interface 0 and the serial number it
// reports (empty if none).
struct Attached {
    quint16 vid = 0, pid = 0;
    QByteArray path;
    QString serial;
    // How a user tells it from the others: its serial number, or its path without one.
    QString name() const { return serial.isEmpty() ? QString::fromLocal8Bit(path) : serial; }
};

// Every supported keypad in `devices` that lists an interface 0, in search order: by USB id in
// the order above, keypads of the same id as the enumeration lists them. The first is the one
// the search takes.
QVector<Attached> attached(const hid_device_info *devices);

// The entries of `devices` that carry `id`, as hid_enumerate(id.vid, id.pid) would have listed
// them: whether there is any, and the first of them with interface number 0 (null if none).
struct Match {
    bool listed = false;
    const hid_device_info *interfaceZero = nullptr;
};
Match match(const hid_device_info *devices, UsbId id);

// The entry of `devices` at `path`, for a link pinned to one keypad: listed when the path is
// there and carries one of the supported ids (a pinned link opens nothing else), and that entry
// as interfaceZero when it is interface 0.
Match atPath(const hid_device_info *devices, const char *path);

} // namespace discovery

Q_DECLARE_METATYPE(discovery::Attached)
