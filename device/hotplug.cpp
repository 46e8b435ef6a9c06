#include "device/hotplug.h"

#include <QSocketNotifier>

#include <libudev.h>

#include "device/hid_io.h"

namespace device
{

namespace
{

// A keypad's interfaces are announced one after another within a few milliseconds.
constexpr int kSettleMs = 20;

bool daemonActive(struct udev *context)
{
    struct udev_queue *queue = udev_queue_new(context);
    const bool active = queue && udev_queue_get_udev_is_active(queue) > 0;
    if (queue)
        udev_queue_unref(queue);
    return active;
}

} // namespace

HotplugWatch::HotplugWatch(QObject *parent) : QObject(parent)
{
    settle.setSingleShot(true);
    settle.setInterval(kSettleMs);
    connect(&settle, &QTimer::timeout, this, &HotplugWatch::changed);

    context = udev_new();
    if (!context || !daemonActive(context)) {
        qCDebug(lcDevice, "the udev daemon is not active: polling for keypads");
        return;
    }
    // The "udev" source announces a node once its rules (the access rule among them) are applied.
    monitor = udev_monitor_new_from_netlink(context, "udev");
    if (!monitor || udev_monitor_filter_add_match_subsystem_devtype(monitor, "hidraw", nullptr) < 0 ||
        udev_monitor_enable_receiving(monitor) < 0 || udev_monitor_get_fd(monitor) < 0) {
        qCDebug(lcDevice, "no udev monitor: polling for keypads");
        if (monitor)
            udev_monitor_unref(monitor);
        monitor = nullptr;
        return;
    }
    notifier = new QSocketNotifier(udev_monitor_get_fd(monitor), QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &HotplugWatch::receive);
    qCDebug(lcDevice, "listening for keypads plugged in (udev)");
}

HotplugWatch::~HotplugWatch()
{
    delete notifier;
    if (monitor)
        udev_monitor_unref(monitor);
    if (context)
        udev_unref(context);
}

void HotplugWatch::receive()
{
    while (struct udev_device *event = udev_monitor_receive_device(monitor)) {
        qCDebug(lcDevice, "udev: hidraw %s", udev_device_get_action(event));
        udev_device_unref(event);
    }
    if (!settle.isActive())
        settle.start();
}

} // namespace device
