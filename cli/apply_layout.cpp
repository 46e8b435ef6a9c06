// apply: a layout file written to the keypad through the configuration store and the same
// download as Save settings (every record the file holds flagged, then saveJob and the link's
// save: the same reports, commits and pauses).
#include <QBuffer>

#include "cli/commands.h"
#include "cli/console.h"
#include "cli/keypad_session.h"
#include "device/store_exchange.h"
#include "layouts/layout_file.h"
#include "layouts/layout_store.h"

#include <memory>

namespace cli
{

namespace
{

// Standard input may come through a pipe in pieces: everything up to its end (or past the
// largest layout file) is read before the layout reader sees it.
layouts::ReadResult readInput(QIODevice &in, const QString &name)
{
    QByteArray all;
    char chunk[16384];
    qint64 n = 0;
    while (all.size() <= layouts::kMaxFileSize && (n = in.read(chunk, sizeof chunk)) > 0)
        all.append(chunk, int(n));
    if (n < 0)
        return layouts::Error{layouts::ErrorKind::Unreadable,
                              QStringLiteral("%1: %2").arg(name, in.errorString())};
    QBuffer buffer(&all);
    buffer.open(QIODevice::ReadOnly);
    return layouts::read(buffer, name);
}

const char *formatName(const layouts::Model &model)
{
    return model.extended() ? "extended" : "standard";
}

} // namespace

bool loadLayout(Console &console, const QString &file, QIODevice &in, layouts::Layout *layout, QString *name)
{
    *name = file == QLatin1String("-") ? QStringLiteral("standard input") : file;
    // The whole file is checked before the keypad is even searched for.
    const layouts::ReadResult read =
        file == QLatin1String("-") ? readInput(in, *name) : layouts::readFile(file);
    if (!read.ok()) {
        QString message = read.error().message;
        if (!message.startsWith(*name + QLatin1Char(':')))
            message = *name + QLatin1String(": ") + message;
        console.say(QStringLiteral("zorveldeck: %1\nNothing was written to the keypad.").arg(message));
        return false;
    }
    *layout = read.layout();
    return true;
}

Exit applyTo(KeypadSession &session, Console &console, const layouts::Layout &layout, const QString &name,
             bool force)
{
    if (const Exit status = session.openOrSay(); status != Ok)
        return status;
    const layouts::Model model = session.model();
    const QString models = QStringLiteral("%1 was made for %2; the keypad is %3")
                               .arg(name, layouts::describe(layout.model), layouts::describe(model));
    if (layout.model.extended() != model.extended()) {
        console.say(
            QStringLiteral("zorveldeck: %1.\nRefused: records of the %2 format are never written to a "
                           "keypad that takes %3 records, not even with --force. Nothing was written.")
                .arg(models, formatName(layout.model), formatName(model)));
        return WrongModel;
    }
    if (!layouts::sameModel(layout.model, model)) {
        if (!force) {
            console.say(
                QStringLiteral("zorveldeck: %1.\nRefused: nothing was written. Use a file exported from "
                               "a keypad of this model, or --force to write it anyway (dangerous: "
                               "see zorveldeck --help).")
                    .arg(models));
            return WrongModel;
        }
        console.say(QStringLiteral("zorveldeck: warning: %1; writing it anyway (--force).").arg(models));
    }

    auto store = std::make_unique<ConfigStore>();
    store->reset();
    store->Dev_Variant = session.keypad().variant;
    if (layouts::toStore(layout, *store) < 0) { // checked above; refused here all the same
        console.say(QStringLiteral("zorveldeck: %1: the layout does not fit the keypad. Nothing was written.")
                        .arg(name));
        return WrongModel;
    }
    const device::SaveJob job = device::saveJob(*store);
    if (job.records.isEmpty() && !job.led) {
        console.say(QStringLiteral("%1 holds no records: nothing to write.").arg(name));
        return Ok;
    }
    const std::optional<device::SaveOutcome> saved = session.save(job);
    if (!saved) {
        console.say(
            QStringLiteral("zorveldeck: the keypad (%1) did not finish taking the layout in time; it may "
                           "hold part of it. Unplug it, plug it in again and run the same apply again.")
                .arg(layouts::describe(model)));
        return DeviceFailure;
    }
    if (saved->failed || saved->committed.size() != job.records.size() || (job.led && !saved->ledWritten)) {
        console.say(
            QStringLiteral("zorveldeck: writing to the keypad (%1) failed after %2 of %3 records; it may "
                           "hold part of the layout. Check the cable and run the same apply again.")
                .arg(layouts::describe(model))
                .arg(saved->committed.size())
                .arg(job.records.size()));
        return DeviceFailure;
    }
    console.say(QStringLiteral("Applied %1 records%2 from %3 to the keypad; keypad: %4.")
                    .arg(job.records.size())
                    .arg(job.led ? QStringLiteral(" and the LED state") : QString())
                    .arg(name, layouts::describe(model)));
    return Ok;
}

int applyLayout(Console &console, const QString &file, bool force, const QString &device, QIODevice &in)
{
    layouts::Layout layout;
    QString name;
    if (!loadLayout(console, file, in, &layout, &name))
        return FileError;
    QByteArray path;
    if (const Exit status = chooseKeypad(console, device, &path); status != Ok)
        return status;
    KeypadSession session(console, path);
    return applyTo(session, console, layout, name, force);
}

} // namespace cli
