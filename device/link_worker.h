#pragma once
// The keypad link's worker: it lives on the link's thread, owns the hidapi handle and runs every
// exchange with the keypad. KeypadLink posts one request at a time; each ends with finished(),
// after the signals that carry its results (and closed() when a write or read failed).
#include <QByteArray>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QObject>

#include <atomic>

#include "device/discovery.h"
#include "device/link_types.h"
#include "device/usb_ids.h"

struct hid_device_;
typedef struct hid_device_ hid_device;

namespace device
{

class LinkWorker : public QObject
{
    Q_OBJECT

  public:
    // An empty `path`: the first keypad in search order; otherwise only the keypad whose
    // interface 0 is listed at that path.
    LinkWorker(const std::atomic_bool &stopping, const QByteArray &path);
    ~LinkWorker() override;

    // Searching: looks for a keypad and opens its interface 0. Open: checks that the keypad is
    // still listed and that the handle still answers (a keypad plugged back in between two
    // steps is listed again, but the handle is stale).
    void step();
    // Presence, the model query and, for an extended keypad, the read-back of 3 layers x 25
    // slots (`mark` travels with it).
    void firstContact(quint32 mark);
    void save(const SaveJob &job);
    void view(const ViewJob &job);
    void queryLed(int layer, quint32 mark);
    // From now on the search takes the keypad at `path` while it is attached (by its serial
    // number, wherever it is plugged in, when it reports one); another one open is closed.
    void choose(const QByteArray &path);
    // Closes the handle and shuts hidapi down.
    void shutdown();

  signals:
    void stateReported(device::State state);          // Searching, AccessDenied or Opened, when it changes
    void openedAt(const discovery::Attached &keypad); // just before opened()
    void opened(quint16 vid, quint16 pid);
    void contacted(const device::Keypad &keypad, const device::ViewOutcome &readBack);
    void closed();
    // During a download or read-back, every 50 ms at most and at its last report.
    void progress(device::Exchange exchange, int done, int total);
    void saved(const device::SaveJob &job, const device::SaveOutcome &outcome);
    void viewed(const device::ViewOutcome &outcome);
    void ledRead(const device::LedOutcome &outcome);
    void finished();

  private:
    enum class Await { Answer, Timeout, Failed };

    void search();
    // The keypad the search takes among those attached (null: none).
    const discovery::Attached *pick(const QVector<discovery::Attached> &keypads) const;
    bool present();
    // Ends a request: closes the handle if a write or read failed, then finished().
    void end();
    void close(const char *why);
    void report(State state);

    // The exchanges' building blocks. A failed write or read is logged and marks the handle
    // broken; nothing more is written or read until the request ends.
    bool write(const QByteArray &report);
    int read(quint8 *answer, int waitMs);
    // Drops every report already queued (non-blocking reads until none is left) and, after a
    // wait for an answer ran out, every report that comes until the keypad is quiet.
    bool drain();
    Await awaitAnswer(quint8 *answer, int slot, int layerNumber, bool extended);
    Keypad queryModel();
    ViewOutcome readBack(const ViewJob &job);
    void pause(int ms);
    void reportProgress(Exchange exchange, int done, int total);

    const std::atomic_bool &stopping;
    const QByteArray pinned;
    QByteArray chosenPath;
    QString chosenSerial;
    QByteArray openPath; // of the keypad open
    hid_device *dev = nullptr;
    bool broken = false;
    QDeadlineTimer quietUntil; // expired unless answers may still be on their way
    QElapsedTimer progressClock;
    discovery::UsbId last{usb_ids::kDefault.vid, usb_ids::kDefault.pid};
    State reported = State::Searching;
};

} // namespace device
