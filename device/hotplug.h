#pragma once
// Keypads plugged in and unplugged, as the Linux device manager announces them: a udev monitor
// on the hidraw subsystem, its descriptor watched by the event loop. Each burst of events (one
// per interface of a keypad) ends in one changed() signal; nothing wakes while nothing happens.
// Only where the udev daemon runs: elsewhere (containers, sandboxes) active() is false and the
// link's user keeps polling.
#include <QObject>
#include <QTimer>

struct udev;
struct udev_monitor;
class QSocketNotifier;

namespace device
{

class HotplugWatch : public QObject
{
    Q_OBJECT

  public:
    explicit HotplugWatch(QObject *parent = nullptr);
    ~HotplugWatch() override;

    // The monitor receives events.
    bool active() const { return monitor != nullptr; }

  signals:
    void changed();

  private:
    void receive();

    struct udev *context = nullptr;
    struct udev_monitor *monitor = nullptr;
    QSocketNotifier *notifier = nullptr;
    QTimer settle; // the rest of a burst comes within this time
};

} // namespace device
