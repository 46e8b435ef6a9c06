#include "device/discovery.h"

#include <hidapi.h>

#include "device/store.h"

namespace discovery
{
namespace
{

constexpr quint16 kVendorIds[2] = {0x1189, 0x514C};
constexpr int kFirstVendorProducts = 7; // 0x8851 exists only under the second vendor id

bool carries(const hid_device_info *entry, UsbId id)
{
    return entry->vendor_id == id.vid && entry->product_id == id.pid;
}

} // namespace

UsbId searchOrder(int i)
{
    return i < kFirstVendorProducts ? UsbId{kVendorIds[0], PID_Table[i]}
                                    : UsbId{kVendorIds[1], PID_Table[i - kFirstVendorProducts]};
}

std::optional<UsbId> firstPresent(const std::function<bool(UsbId)> &present)
{
    for (int i = 0; i < kSearchOrderSize; ++i)
        if (present(searchOrder(i)))
            return searchOrder(i);
    return std::nullopt;
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

} // namespace discovery
