#pragma once
// The keypad link: one object on the GUI thread that talks to the keypad for the window. It
// owns a worker thread, which owns the hidapi handle and runs the search, first contact
// (model query; an extended keypad's configuration read back), downloads, read-backs and LED
// queries. Requests carry copies of what to send; results come back as signals on the GUI
// thread. The link never touches the configuration store.
//
//   link.step(mark);  // every poll step: search, presence, or first contact once opened
//   link.save(job);   // false while another exchange runs or no keypad is connected
//
// A failed write or read closes the handle and the link searches again, so a keypad plugged
// back in (also one that never left the list) is found and first contacted at the next steps.
//
// Several keypads: keypads() lists every supported keypad attached; the search takes the one
// chosen with choose() while it is attached (known by its serial number, or by its path), else
// the first in search order.
//
// Steps by events: after listen() succeeds (Linux, udev daemon active) the user stops polling
// and runs a step at each stepWanted() instead: a keypad plugged in or unplugged, first contact
// after a keypad was opened, a first contact to repeat, a reconnection after a failed exchange.
#include <QHash>
#include <QObject>
#include <QQueue>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <optional>

#include "device/discovery.h"
#include "device/link_types.h"

namespace device
{

class LinkWorker;
class HotplugWatch;

class KeypadLink : public QObject
{
    Q_OBJECT

  public:
    explicit KeypadLink(QObject *parent = nullptr) : KeypadLink(QByteArray(), parent) {}
    // Pinned to one keypad: only the keypad whose interface 0 hid_enumerate lists at `path` is
    // searched for and opened (an empty path: the first keypad in search order).
    explicit KeypadLink(const QByteArray &path, QObject *parent = nullptr);
    // Closes the handle and shuts hidapi down (an exchange still running is cut short).
    ~KeypadLink() override;

    State state() const { return state_; }
    // An exchange runs: first contact, download, read-back or LED query.
    bool busy() const { return exchanges > 0; }
    // Nothing asked of the worker is still outstanding.
    bool idle() const { return pending.isEmpty(); }

    // One poll step, unless the previous request is still outstanding: the search or the
    // presence check, or first contact once a keypad was opened (`mark` travels with the
    // configuration it reads back).
    void step(quint32 mark);
    // The next step makes first contact again.
    void recontact();

    // Listens for keypads plugged in and unplugged; false where the system does not announce
    // them (the caller polls then).
    bool listen();
    bool listening() const { return watch != nullptr; }

    // Every supported keypad attached now, in search order (one enumeration, on the calling
    // thread), with the model of those contacted before; and the keypad in use (open), if any.
    struct Listed {
        discovery::Attached keypad;
        bool known = false; // first contact was made: `model` holds what it learned
        Keypad model;
    };
    QVector<Listed> keypads() const;
    const discovery::Attached &inUse() const { return current; }
    std::optional<Keypad> modelOf(const QByteArray &path) const;
    // Works with the keypad at `path` from now on: the keypad in use, if another, is closed
    // (disconnected()) and the next step opens the chosen one.
    void choose(const QByteArray &path);
    // The exchanges; each is refused (false) while another runs or no keypad is connected
    // (the LED query: open).
    bool save(const SaveJob &job);
    bool view(const ViewJob &job);
    bool queryLed(int layer, quint32 mark);

  signals:
    // Only after listen(): a step is due now.
    void stepWanted();
    void stateChanged(device::State state);
    void opened(quint16 vid, quint16 pid);
    void connected(const device::Keypad &keypad, const device::ViewOutcome &readBack);
    void disconnected();
    void busyChanged(bool busy);
    void progress(device::Exchange exchange, int done, int total);
    void saved(const device::SaveJob &job, const device::SaveOutcome &outcome);
    void viewed(const device::ViewOutcome &outcome);
    void ledRead(const device::LedOutcome &outcome);

  private:
    template <typename Request> void post(Request request, bool exchange);
    void requestFinished();
    void setState(State state);
    // Listening: asks for a step after `ms` (an earlier one already asked for stands).
    void wantStep(int ms = 0);

    QThread thread;
    LinkWorker *worker;
    std::atomic_bool stopping{false};
    State state_ = State::Searching;
    QQueue<bool> pending; // requests posted and not finished; true for exchanges
    int exchanges = 0;
    HotplugWatch *watch = nullptr;
    QTimer wake;          // a step asked for (listening only)
    bool stepDue = false; // asked for while a request was outstanding
    discovery::Attached current;
    QHash<QByteArray, Keypad> models; // by interface-0 path, from first contact
};

} // namespace device
