// The worker's exchanges with the open keypad: model query, download, read-back, LED query.
// Every request starts by dropping what is already queued; an answer counts only when it is
// the one awaited, and every wait is bounded.
#include <QDeadlineTimer>
#include <QThread>

#include <hidapi.h>

#include "device/hid_io.h"
#include "device/link_worker.h"
#include "device/reports.h"

namespace device
{

namespace
{

// The keypad answers the model query within a few frames.
constexpr int kModelAnswerWaitMs = 10;
// One read-back answer; answers 200 ms apart still arrive in time.
constexpr int kAnswerWaitMs = 250;
constexpr int kLedAnswerWaitMs = 300;
constexpr int kCommitPauseMs = 200;
constexpr int kProgressEveryMs = 50;
// More queued reports than a whole read-back holds are not answers but a flood.
constexpr int kMaxDrained = 256;

QString head(const quint8 *answer, int n)
{
    return QString::fromLatin1(QByteArray(reinterpret_cast<const char *>(answer), qMin(n, 4)).toHex(' '));
}

int reportsToSend(const SaveJob &job)
{
    bool layerUsed[kLayers] = {};
    for (const RecordCopy &r : job.records)
        layerUsed[r.layer] = true;
    int commits = 0;
    for (bool used : layerUsed)
        commits += used;
    if (job.extended)
        commits = job.records.isEmpty() ? 0 : 1;
    return job.records.size() + (job.led ? kLayers : 0) + commits;
}

} // namespace

bool LinkWorker::drain()
{
    // After a wait that ran out, answers may still be on their way: they are awaited and
    // dropped until the keypad has been quiet for as long as one answer may take.
    quint8 answer[reports::kAnswerSize];
    for (int i = 0; i < kMaxDrained; ++i) {
        const int n = read(answer, int(quietUntil.remainingTime()));
        if (n <= 0)
            return n == 0;
        qCDebug(lcDevice) << "dropped a report queued before the request:" << head(answer, n);
        if (!quietUntil.hasExpired())
            quietUntil.setRemainingTime(kAnswerWaitMs);
    }
    return true;
}

LinkWorker::Await LinkWorker::awaitAnswer(quint8 *answer, int slot, int layerNumber, bool extended)
{
    // Late answers to an earlier request and stray reports are dropped; they do not extend
    // the wait.
    const QDeadlineTimer deadline(kAnswerWaitMs);
    for (;;) {
        const int n = read(answer, int(deadline.remainingTime()));
        if (n < 0)
            return Await::Failed;
        hid_set_nonblocking(dev, 0);
        if (n == 0) {
            quietUntil.setRemainingTime(kAnswerWaitMs);
            return Await::Timeout;
        }
        if (reports::answersSlot(answer, n, slot, layerNumber, extended))
            return Await::Answer;
        qCDebug(lcDevice) << "dropped an answer while awaiting slot" << slot << "of layer" << layerNumber
                          << ":" << n << "bytes" << head(answer, n);
        if (deadline.hasExpired() || stopping) {
            quietUntil.setRemainingTime(kAnswerWaitMs);
            return Await::Timeout;
        }
    }
}

Keypad LinkWorker::queryModel()
{
    Keypad keypad;
    keypad.vid = last.vid;
    keypad.pid = last.pid;
    if (!drain() || !write(reports::encodeModelQuery()))
        return keypad;
    quint8 answer[reports::kAnswerSize] = {};
    const int n = read(answer, kModelAnswerWaitMs);
    if (n <= 0) {
        if (n == 0) {
            qCDebug(lcDevice, "hid_read_timeout = %s", "timeout");
            quietUntil.setRemainingTime(kAnswerWaitMs);
        }
        return keypad;
    }
    qCDebug(lcDevice, "hid_read_timeout = %s", "read ok");
    qCDebug(lcDevice, "hid_read_timeout = %d %d", answer[2], answer[3]);
    if (const std::optional<reports::Model> model = reports::decodeModelAnswer(answer, n)) {
        keypad.answered = true;
        keypad.keys = model->keys;
        keypad.knobs = model->knobs;
        keypad.variant = model->variant;
    } else {
        qCWarning(lcDevice) << "model answer ignored:" << n << "bytes" << head(answer, n);
    }
    return keypad;
}

void LinkWorker::save(const SaveJob &job)
{
    SaveOutcome outcome;
    outcome.failed = !dev;
    progressClock.invalidate();
    const int total = reportsToSend(job);
    int done = 0;
    QVector<int> batch; // records written since the last commit
    const auto sent = [&] { reportProgress(Exchange::Save, ++done, total); };
    const auto commit = [&] {
        if (batch.isEmpty() || !write(reports::encodeCommit()))
            return;
        sent();
        outcome.committed += batch;
        batch.clear();
        pause(kCommitPauseMs);
    };

    for (int layer = 0; layer < kLayers; ++layer) {
        for (int i = 0; i < job.records.size(); ++i) {
            const RecordCopy &r = job.records[i];
            if (r.layer != layer)
                continue;
            const auto *bytes = reinterpret_cast<const quint8 *>(r.bytes.constData());
            if (!write(reports::encodeKeyRecord(bytes, job.extended)))
                break;
            qCDebug(lcDevice, "Witer OKOK Key Num = %d", r.slot);
            batch.append(i);
            sent();
        }
        if (!job.extended)
            commit();
    }
    if (job.extended) {
        if (job.led) {
            int written = 0;
            for (int layer = 0; layer < kLayers; ++layer)
                if (write(reports::encodeLedColours(layer, job.ledModes[layer], job.ledColours[layer]))) {
                    ++written;
                    sent();
                }
            outcome.ledWritten = written == kLayers;
        }
        commit();
    }
    outcome.failed = outcome.failed || broken || stopping;
    emit saved(job, outcome);
    end();
}

ViewOutcome LinkWorker::readBack(const ViewJob &job)
{
    ViewOutcome outcome;
    outcome.extended = job.extended;
    outcome.mark = job.mark;
    const QVector<int> order = reports::readbackSlots(job.keys, job.knobs, job.extended);
    const int layers = qMin<int>(job.layers, kLayers);
    outcome.requested = layers * order.size();
    const bool open = dev != nullptr;
    int done = 0;
    progressClock.invalidate();

    for (int layer = 1; layer <= layers; ++layer) {
        if (!drain() ||
            !write(reports::encodeReadRequest(job.keys, job.extended ? 0 : job.knobs, quint8(layer))))
            break;
        for (int slot : order) {
            quint8 answer[reports::kAnswerSize] = {};
            const Await got = awaitAnswer(answer, slot, layer, job.extended);
            if (got != Await::Answer) {
                if (got == Await::Timeout)
                    qCDebug(lcDevice, "no answer for slot %d of layer %d; layer abandoned", slot, layer);
                done = layer * order.size();
                reportProgress(Exchange::View, done, outcome.requested);
                break;
            }
            if (slot < kSlots)
                outcome.records.append({layer - 1, slot,
                                        QByteArray(reinterpret_cast<const char *>(answer) + 2,
                                                   reports::readbackBytes(job.extended))});
            ++done;
            reportProgress(Exchange::View, done, outcome.requested);
        }
        if (broken || stopping)
            break;
    }
    outcome.failed = broken || !open;
    return outcome;
}

void LinkWorker::view(const ViewJob &job)
{
    emit viewed(readBack(job));
    end();
}

void LinkWorker::queryLed(int layer, quint32 mark)
{
    LedOutcome outcome;
    outcome.layer = layer;
    outcome.mark = mark;
    if (drain() && write(reports::encodeLedQuery(layer))) {
        quint8 answer[reports::kAnswerSize] = {};
        const int n = read(answer, kLedAnswerWaitMs);
        if (n >= reports::kLedAnswerBytes) {
            hid_set_nonblocking(dev, 0);
            outcome.answered = true;
            reports::decodeLedAnswer(answer, &outcome.mode, outcome.colours);
        } else if (n >= 0) {
            qCDebug(lcDevice) << "LED answer missing or short (" << n << "bytes), stored state kept";
            if (n == 0)
                quietUntil.setRemainingTime(kAnswerWaitMs);
        }
    }
    emit ledRead(outcome);
    end();
}

void LinkWorker::reportProgress(Exchange exchange, int done, int total)
{
    // The window shows progress ten times a second at most; fewer signals wake it less often.
    if (done < total && progressClock.isValid() && progressClock.elapsed() < kProgressEveryMs)
        return;
    progressClock.start();
    emit progress(exchange, done, total);
}

void LinkWorker::pause(int ms)
{
    const QDeadlineTimer deadline(ms, Qt::PreciseTimer);
    while (!deadline.hasExpired() && !stopping)
        QThread::msleep(ulong(qBound(qint64(1), deadline.remainingTime(), qint64(20))));
}

} // namespace device
