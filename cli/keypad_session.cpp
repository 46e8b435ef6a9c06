#include "cli/keypad_session.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include "cli/console.h"
#include "device/hid_io.h"

#include <hidapi.h>

namespace cli
{

namespace
{

using device::KeypadLink;
using device::State;

constexpr int kStepMs = 100;    // the window's poll step
constexpr int kSearchMs = 1000; // how long a keypad may take to show up (or to become accessible)
// Last-resort deadlines on top of the link's own, which end an exchange with a keypad that
// stops answering much sooner: an answer, a written report, a commit pause.
constexpr int kAnswerMs = 300;
constexpr int kReportMs = 100;
constexpr int kCommitMs = 250;
constexpr int kSlackMs = 2000;
// Search, model query and an extended keypad's first read-back (3 layers of 25 slots).
constexpr int kContactMs = kSearchMs + 3 * 25 * kAnswerMs + kSlackMs;

} // namespace

QString accessHint()
{
    return QStringLiteral(
        "install the udev rule 70-zorveldeck.rules (from the package, or packaging/linux in "
        "the sources; see README, \"Access to the keypad\", or man zorveldeck), then unplug "
        "and replug the keypad");
}

QVector<discovery::Attached> attachedKeypads()
{
    hid_device_info *devices = hidio::enumerate(0, 0);
    const QVector<discovery::Attached> found = discovery::attached(devices);
    hidio::freeEnumeration(devices);
    hidio::exit(); // each keypad's link starts hidapi again on its own thread
    return found;
}

QString describeAttached(int index, const discovery::Attached &keypad)
{
    return QStringLiteral("#%1  %2:%3  %4  %5")
        .arg(index)
        .arg(keypad.vid, 4, 16, QLatin1Char('0'))
        .arg(keypad.pid, 4, 16, QLatin1Char('0'))
        .arg(keypad.serial.isEmpty() ? QStringLiteral("-") : keypad.serial,
             QString::fromLocal8Bit(keypad.path));
}

Exit chooseKeypad(Console &console, const QString &device, QByteArray *path)
{
    const QVector<discovery::Attached> keypads = attachedKeypads();
    const auto refuse = [&](Exit status, const QString &why) {
        console.say(QStringLiteral("zorveldeck: %1; the keypads attached (--device SERIAL, PATH or INDEX):")
                        .arg(why));
        for (int i = 0; i < keypads.size(); ++i)
            console.say(QStringLiteral("  ") + describeAttached(i + 1, keypads[i]));
        return status;
    };
    path->clear();
    if (device.isEmpty()) {
        if (keypads.size() > 1)
            return refuse(SeveralKeypads, QStringLiteral("%1 keypads are attached: choose one with --device, "
                                                         "or write to all of them with apply --all")
                                              .arg(keypads.size()));
        return Ok;
    }
    QVector<int> bySerial;
    for (int i = 0; i < keypads.size(); ++i) {
        if (keypads[i].path == device.toLocal8Bit()) {
            *path = keypads[i].path;
            return Ok;
        }
        if (!keypads[i].serial.isEmpty() && keypads[i].serial == device)
            bySerial.append(i);
    }
    if (bySerial.size() > 1)
        return refuse(SeveralKeypads, QStringLiteral("%1 keypads report the serial number %2: choose one "
                                                     "by its path or index")
                                          .arg(bySerial.size())
                                          .arg(device));
    bool number = false;
    const int index = device.toInt(&number);
    if (bySerial.size() == 1)
        *path = keypads[bySerial.first()].path;
    else if (number && index >= 1 && index <= keypads.size())
        *path = keypads[index - 1].path;
    else
        return refuse(NoKeypad, QStringLiteral("no keypad attached is %1").arg(device));
    return Ok;
}

KeypadSession::KeypadSession(Console &console, const QByteArray &path) : console(console), link(path)
{
    connect(&link, &KeypadLink::connected, this, [this](const device::Keypad &keypad) {
        found = keypad;
        contacted = true;
    });
    connect(&link, &KeypadLink::progress, this,
            [this](device::Exchange, int done, int total) { this->console.progress(done, total); });
}

bool KeypadSession::waitFor(const std::function<bool()> &done, int ms, const std::function<void()> &tick)
{
    if (done())
        return true;
    QEventLoop loop;
    const auto check = [&] {
        if (done())
            loop.quit();
    };
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    connect(&link, &KeypadLink::stateChanged, &loop, check);
    connect(&link, &KeypadLink::busyChanged, &loop, check);
    QTimer ticker;
    if (tick) {
        // checked before the next step is posted: a step's request keeps the link busy
        connect(&ticker, &QTimer::timeout, &loop, [&] {
            if (done())
                loop.quit();
            else
                tick();
        });
        ticker.start(kStepMs);
    }
    loop.exec();
    return done();
}

Exit KeypadSession::openOrSay()
{
    QString why;
    const Exit status = open(&why);
    if (status != Ok)
        console.say(QStringLiteral("zorveldeck: ") + why);
    return status;
}

Exit KeypadSession::open(QString *why)
{
    QElapsedTimer clock;
    clock.start();
    const auto settled = [&] {
        if (!link.idle())
            return false;
        const State s = link.state();
        return contacted ||
               ((s == State::Searching || s == State::AccessDenied) && clock.elapsed() >= kSearchMs);
    };
    const auto step = [this] {
        if (!contacted)
            link.step(0);
    };
    step();
    waitFor(settled, kContactMs, step);

    const QString id = QStringLiteral("USB %1:%2")
                           .arg(found.vid, 4, 16, QLatin1Char('0'))
                           .arg(found.pid, 4, 16, QLatin1Char('0'));
    if (contacted && found.answered)
        return Ok;
    if (contacted) {
        *why = QStringLiteral("the keypad (%1) did not say which model it is: unplug it, plug it in again "
                              "and retry")
                   .arg(id);
        return DeviceFailure;
    }
    switch (link.state()) {
    case State::Searching:
        *why = QStringLiteral("no keypad found: plug the keypad in and retry (zorveldeck list shows the "
                              "keypads found)");
        return NoKeypad;
    case State::AccessDenied:
        *why = QStringLiteral("a keypad was found, but access was denied: ") + accessHint();
        return AccessDenied;
    default:
        *why = QStringLiteral("the keypad was opened but did not answer in time: unplug it, plug it in again "
                              "and retry");
        return DeviceFailure;
    }
}

bool KeypadSession::finish(const QString &what, bool posted, const std::function<bool()> &arrived, int ms)
{
    if (!posted)
        return false;
    console.begin(what);
    const bool done = waitFor([&] { return arrived() && link.idle(); }, ms);
    console.end();
    return done;
}

std::optional<device::ViewOutcome> KeypadSession::view(const device::ViewJob &job)
{
    std::optional<device::ViewOutcome> outcome;
    const auto c =
        connect(&link, &KeypadLink::viewed, this, [&](const device::ViewOutcome &o) { outcome = o; });
    const int answers = job.layers * (job.keys + 3 * job.knobs);
    const bool done = finish(
        QStringLiteral("Reading"), link.view(job), [&] { return outcome.has_value(); },
        answers * kAnswerMs + kSlackMs);
    disconnect(c);
    return done ? outcome : std::nullopt;
}

std::optional<device::LedOutcome> KeypadSession::queryLed(int layer)
{
    std::optional<device::LedOutcome> outcome;
    const auto c =
        connect(&link, &KeypadLink::ledRead, this, [&](const device::LedOutcome &o) { outcome = o; });
    const bool done = finish(
        QStringLiteral("Reading"), link.queryLed(layer, 0), [&] { return outcome.has_value(); },
        kAnswerMs + kSlackMs);
    disconnect(c);
    return done ? outcome : std::nullopt;
}

std::optional<device::SaveOutcome> KeypadSession::save(const device::SaveJob &job)
{
    std::optional<device::SaveOutcome> outcome;
    const auto c = connect(&link, &KeypadLink::saved, this,
                           [&](const device::SaveJob &, const device::SaveOutcome &o) { outcome = o; });
    const int reports = job.records.size() + 2 * kLayers;
    const bool done = finish(
        QStringLiteral("Saving"), link.save(job), [&] { return outcome.has_value(); },
        reports * kReportMs + kLayers * kCommitMs + kSlackMs);
    disconnect(c);
    return done ? outcome : std::nullopt;
}

} // namespace cli
