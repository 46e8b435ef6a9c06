#include "device/keypad_link.h"

#include "device/hid_io.h"
#include "device/hotplug.h"
#include "device/link_worker.h"

#include <hidapi.h>

namespace device
{

namespace
{
// The poll step's interval: a search after a failure comes no sooner than it would when polling.
constexpr int kRetryMs = 100;
} // namespace

KeypadLink::KeypadLink(const QByteArray &path, QObject *parent)
    : QObject(parent), worker(new LinkWorker(stopping, path))
{
    qRegisterMetaType<device::State>();
    qRegisterMetaType<device::Keypad>();
    qRegisterMetaType<device::SaveJob>();
    qRegisterMetaType<device::SaveOutcome>();
    qRegisterMetaType<device::ViewOutcome>();
    qRegisterMetaType<device::LedOutcome>();
    qRegisterMetaType<device::Exchange>();
    qRegisterMetaType<discovery::Attached>();
    wake.setSingleShot(true);
    connect(&wake, &QTimer::timeout, this, [this] {
        if (idle())
            emit stepWanted();
        else
            stepDue = true;
    });

    thread.setObjectName(QStringLiteral("keypad link"));
    worker->moveToThread(&thread);
    // Queued: the worker signals from its thread, the link handles them on the GUI thread.
    connect(worker, &LinkWorker::stateReported, this, &KeypadLink::setState);
    connect(worker, &LinkWorker::openedAt, this, [this](const discovery::Attached &keypad) {
        current = keypad;
        wantStep(); // first contact
    });
    connect(worker, &LinkWorker::opened, this, &KeypadLink::opened);
    connect(worker, &LinkWorker::contacted, this, [this](const Keypad &keypad, const ViewOutcome &readBack) {
        models.insert(current.path, keypad);
        setState(State::Connected);
        emit connected(keypad, readBack);
    });
    connect(worker, &LinkWorker::closed, this, [this] {
        current = {};
        // Still attached after a failed exchange, or gone: one search tells (no event comes for
        // a keypad that stays); not at once, so that a keypad failing again is not hammered.
        wantStep(kRetryMs);
        emit disconnected();
    });
    connect(worker, &LinkWorker::progress, this, &KeypadLink::progress);
    connect(worker, &LinkWorker::saved, this, &KeypadLink::saved);
    connect(worker, &LinkWorker::viewed, this, &KeypadLink::viewed);
    connect(worker, &LinkWorker::ledRead, this, &KeypadLink::ledRead);
    connect(worker, &LinkWorker::finished, this, &KeypadLink::requestFinished);
    thread.start();
}

KeypadLink::~KeypadLink()
{
    stopping = true;
    LinkWorker *w = worker;
    QMetaObject::invokeMethod(
        w, [w] { w->shutdown(); }, Qt::BlockingQueuedConnection);
    thread.quit();
    thread.wait();
    delete worker;
}

template <typename Request> void KeypadLink::post(Request request, bool exchange)
{
    pending.enqueue(exchange);
    if (exchange && ++exchanges == 1)
        emit busyChanged(true);
    QMetaObject::invokeMethod(worker, std::move(request), Qt::QueuedConnection);
}

void KeypadLink::requestFinished()
{
    if (pending.isEmpty())
        return;
    if (pending.dequeue() && --exchanges == 0)
        emit busyChanged(false);
    if (stepDue && pending.isEmpty()) {
        stepDue = false;
        emit stepWanted();
    }
}

void KeypadLink::step(quint32 mark)
{
    if (!pending.isEmpty())
        return;
    LinkWorker *w = worker;
    if (state_ == State::Opened)
        post([w, mark] { w->firstContact(mark); }, true);
    else
        post([w] { w->step(); }, false);
}

void KeypadLink::recontact()
{
    if (state_ == State::Connected) {
        setState(State::Opened);
        wantStep();
    }
}

bool KeypadLink::listen()
{
    if (!watch) {
        watch = new HotplugWatch(this);
        if (!watch->active()) {
            delete watch;
            watch = nullptr;
            return false;
        }
        connect(watch, &HotplugWatch::changed, this, [this] { wantStep(); });
    }
    return true;
}

void KeypadLink::wantStep(int ms)
{
    if (!watch || (wake.isActive() && wake.remainingTime() <= ms))
        return;
    wake.start(ms);
}

QVector<KeypadLink::Listed> KeypadLink::keypads() const
{
    hid_device_info *devices = hidio::enumerate(0, 0);
    const QVector<discovery::Attached> attached = discovery::attached(devices);
    hidio::freeEnumeration(devices);
    QVector<Listed> listed;
    for (const discovery::Attached &a : attached) {
        const auto known = models.constFind(a.path);
        listed.append({a, known != models.constEnd(), known != models.constEnd() ? *known : Keypad()});
    }
    return listed;
}

std::optional<Keypad> KeypadLink::modelOf(const QByteArray &path) const
{
    const auto known = models.constFind(path);
    return known == models.constEnd() ? std::nullopt : std::optional<Keypad>(*known);
}

void KeypadLink::choose(const QByteArray &path)
{
    LinkWorker *w = worker;
    post([w, path] { w->choose(path); }, false);
    wantStep();
}

bool KeypadLink::save(const SaveJob &job)
{
    if (busy() || state_ != State::Connected)
        return false;
    LinkWorker *w = worker;
    post([w, job] { w->save(job); }, true);
    return true;
}

bool KeypadLink::view(const ViewJob &job)
{
    if (busy() || state_ != State::Connected)
        return false;
    LinkWorker *w = worker;
    post([w, job] { w->view(job); }, true);
    return true;
}

bool KeypadLink::queryLed(int layer, quint32 mark)
{
    if (busy() || (state_ != State::Connected && state_ != State::Opened))
        return false;
    LinkWorker *w = worker;
    post([w, layer, mark] { w->queryLed(layer, mark); }, true);
    return true;
}

void KeypadLink::setState(State state)
{
    if (state == state_)
        return;
    state_ = state;
    emit stateChanged(state);
}

} // namespace device
