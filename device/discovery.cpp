#include "device/discovery.h"

#include <hidapi.h>

#include <cstring>
#include <iterator>

#include "device/usb_ids.h"

namespace discovery
{
namespace
{

static_assert(std::size(usb_ids::kSearchOrder) == kSearchOrderSize,
              "kSearchOrderSize is the length of device/usb_ids.txt");

bool carries(const hid_device_info *entry, UsbId id)
{
    return entry->vendor_id == id.vid && entry->product_id == id.pid;
}

} // namespace

UsbId searchOrder(int i)
{
    return {usb_ids::kSearchOrder[i].vid, usb_ids::kSearchOrder[i].pid};
}

std::optional<UsbId> firstListed(const hid_device_info *devices)
{
    // The order of the ids decides, not the order of the list: one pass notes the best rank.
    int best = kSearchOrderSize;
    for (const hid_device_info *e = devices; e; e = e->next)
        for (int i = 0; i < best; ++i)
            if (carries(e, searchOrder(i)))
                best = i;
    if (best == kSearchOrderSize)
        return std::nullopt;
    return searchOrder(best);
}

QVector<Attached> attached(const hid_device_info *devices)
{
    QVector<Attached> found;
    for (int i = 0; i < kSearchOrderSize; ++i)
        for (const hid_device_info *e = devices; e; e = e->next)
            if (carries(e, searchOrder(i)) && e->interface_number == 0 && e->path)
                found.append({e->vendor_id, e->product_id, QByteArray(e->path),
                              e->serial_number ? QString::fromWCharArray(e->serial_number) : QString()});
    return found;
}

Match match(const hid_device_info *devices, UsbId id)
{
    Match m;
    for (const hid_device_info *e = devices; e; e = e->next) {
        if (!carries(e, id))
            continue;
        m.listed = true;
        if (e->interface_number == 0) {
            m.interfaceZero = e;
            break;
        }
    }
    return m;
}

Match atPath(const hid_device_info *devices, const char *path)
{
    Match m;
    for (const hid_device_info *e = devices; e; e = e->next) {
        if (!e->path || std::strcmp(e->path, path) != 0)
            continue;
        for (int i = 0; i < kSearchOrderSize && !m.listed; ++i)
            m.listed = carries(e, searchOrder(i));
        if (m.listed && e->interface_number == 0)
            m.interfaceZero = e;
        break;
    }
    return m;
}

} // namespace discovery
