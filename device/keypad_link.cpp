#include "device/keypad_link.h"

#include "device/link_worker.h"

namespace device
{

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

    thread.setObjectName(QStringLiteral("keypad link"));
    worker->moveToThread(&thread);
    // Queued: the worker signals from its thread, the link handles them on the GUI thread.
    connect(worker, &LinkWorker::stateReported, this, &KeypadLink::setState);
    connect(worker, &LinkWorker::opened, this, &KeypadLink::opened);
    connect(worker, &LinkWorker::contacted, this, [this](const Keypad &keypad, const ViewOutcome &readBack) {
        setState(State::Connected);
        emit connected(keypad, readBack);
    });
    connect(worker, &LinkWorker::closed, this, &KeypadLink::disconnected);
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
}

void KeypadLink::step(quint32 mark)
{
    if (!pending.isEmpty())
        return;
    LinkWorker *w = worker;
    if (current == State::Opened)
        post([w, mark] { w->firstContact(mark); }, true);
    else
        post([w] { w->step(); }, false);
}

void KeypadLink::recontact()
{
    if (current == State::Connected)
        setState(State::Opened);
}

bool KeypadLink::save(const SaveJob &job)
{
    if (busy() || current != State::Connected)
        return false;
    LinkWorker *w = worker;
    post([w, job] { w->save(job); }, true);
    return true;
}

bool KeypadLink::view(const ViewJob &job)
{
    if (busy() || current != State::Connected)
        return false;
    LinkWorker *w = worker;
    post([w, job] { w->view(job); }, true);
    return true;
}

bool KeypadLink::queryLed(int layer, quint32 mark)
{
    if (busy() || (current != State::Connected && current != State::Opened))
        return false;
    LinkWorker *w = worker;
    post([w, layer, mark] { w->queryLed(layer, mark); }, true);
    return true;
}

void KeypadLink::setState(State state)
{
    if (state == current)
        return;
    current = state;
    emit stateChanged(state);
}

} // namespace device
