// apply --all: one layout file to every attached keypad of its model at once. Each keypad has
// a thread of its own running the same steps as apply (its own link, so its own worker thread):
// the pauses after one keypad's commits never hold up another. Keypads of another model are
// skipped; one line per keypad tells how it went, in the order of zorveldeck list.
#include <QBuffer>
#include <QThread>

#include <memory>
#include <vector>

#include "cli/commands.h"
#include "cli/console.h"
#include "cli/keypad_session.h"

namespace cli
{

namespace
{

struct Outcome {
    Exit status = DeviceFailure;
    QString told; // what apply told, first line, without the program's name
};

Outcome applyOne(const QByteArray &path, const layouts::Layout &layout, const QString &name)
{
    QByteArray text;
    QBuffer buffer(&text);
    buffer.open(QIODevice::WriteOnly);
    Console console(buffer, false);
    Outcome outcome;
    {
        KeypadSession session(console, path);
        outcome.status = applyTo(session, console, layout, name, false);
    }
    outcome.told = QString::fromUtf8(text).section(QLatin1Char('\n'), 0, 0);
    if (outcome.told.startsWith(QLatin1String("zorveldeck: ")))
        outcome.told = outcome.told.mid(12);
    return outcome;
}

} // namespace

int applyAll(Console &console, const QString &file, QIODevice &in)
{
    layouts::Layout layout;
    QString name;
    if (!loadLayout(console, file, in, &layout, &name))
        return FileError;
    const QVector<discovery::Attached> keypads = attachedKeypads();
    if (keypads.isEmpty()) {
        console.say(QStringLiteral("zorveldeck: no keypad found: plug the keypads in and retry"));
        return NoKeypad;
    }

    QVector<Outcome> outcomes(keypads.size());
    std::vector<std::unique_ptr<QThread>> threads;
    for (int i = 0; i < keypads.size(); ++i) {
        threads.emplace_back(
            QThread::create([&, i] { outcomes[i] = applyOne(keypads[i].path, layout, name); }));
        threads.back()->start();
    }
    for (const auto &t : threads)
        t->wait();

    QStringList failed, skipped;
    int written = 0;
    Exit status = Ok;
    for (int i = 0; i < keypads.size(); ++i) {
        const Outcome &o = outcomes[i];
        const QString who = QStringLiteral("#%1 %2").arg(i + 1).arg(keypads[i].name());
        const char *verdict = o.status == Ok ? "ok" : o.status == WrongModel ? "skipped" : "FAILED";
        console.say(QStringLiteral("%1: %2: %3").arg(who, QLatin1String(verdict), o.told));
        if (o.status == Ok)
            ++written;
        else if (o.status == WrongModel)
            skipped << who;
        else {
            failed << who;
            if (status == Ok)
                status = o.status;
        }
    }
    const int matching = written + failed.size();
    console.say(QStringLiteral("apply --all: %1 of %2 keypad%3 of the file's model written")
                    .arg(written)
                    .arg(matching)
                    .arg(matching == 1 ? "" : "s"));
    if (!skipped.isEmpty())
        console.say(QStringLiteral("Skipped, of another model: %1").arg(skipped.join(QLatin1String(", "))));
    if (!failed.isEmpty())
        console.say(QStringLiteral("zorveldeck: failed: %1; run apply --device for each of them again")
                        .arg(failed.join(QLatin1String(", "))));
    return status != Ok ? status : matching == 0 ? WrongModel : Ok;
}

} // namespace cli
