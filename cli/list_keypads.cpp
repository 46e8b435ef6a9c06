// list: every supported keypad attached, found over one enumeration of every HID device and
// ordered as the link searches (by USB id in search order, then as listed), each opened on
// its own through a link pinned to its interface 0 and asked for its model.
#include "cli/commands.h"
#include "cli/console.h"
#include "cli/keypad_session.h"

namespace cli
{

namespace
{

QString hex4(quint16 v)
{
    return QStringLiteral("%1").arg(v, 4, 16, QLatin1Char('0'));
}

} // namespace

int listKeypads(Console &console, QIODevice &out)
{
    const QVector<discovery::Attached> keypads = attachedKeypads();
    if (keypads.isEmpty()) {
        console.say(QStringLiteral("zorveldeck: no keypad found: plug the keypad in and retry"));
        return NoKeypad;
    }

    QVector<QStringList> rows{{QStringLiteral("#"), QStringLiteral("USB"), QStringLiteral("Model"),
                               QStringLiteral("Records"), QStringLiteral("Access"), QStringLiteral("Serial"),
                               QStringLiteral("Interface 0")}};
    int status = Ok;
    bool denied = false;
    for (const discovery::Attached &a : keypads) {
        KeypadSession session(console, a.path);
        QString why;
        const Exit opened = session.open(&why);
        const device::Keypad &k = session.keypad();
        QString model = QStringLiteral("-"), records = QStringLiteral("-"), access;
        if (opened == Ok) {
            model = QStringLiteral("%1 key%2, %3 knob%4, variant %5")
                        .arg(k.keys)
                        .arg(k.keys == 1 ? "" : "s")
                        .arg(k.knobs)
                        .arg(k.knobs == 1 ? "" : "s")
                        .arg(k.variant);
            records = k.extended() ? QStringLiteral("extended") : QStringLiteral("standard");
            access = QStringLiteral("ok");
        } else if (opened == DeviceFailure) {
            model = QStringLiteral("no answer");
            access = QStringLiteral("ok");
        } else {
            access = opened == AccessDenied ? QStringLiteral("denied") : QStringLiteral("gone");
        }
        rows.append({QString::number(rows.size()), hex4(a.vid) + QLatin1Char(':') + hex4(a.pid), model,
                     records, access, a.serial.isEmpty() ? QStringLiteral("-") : a.serial,
                     QString::fromLocal8Bit(a.path)});
        denied = denied || opened == AccessDenied;
        if (status == Ok && opened != Ok) {
            status = opened;
            if (opened == DeviceFailure)
                console.say(QStringLiteral("zorveldeck: %1: %2").arg(QString::fromLocal8Bit(a.path), why));
        }
    }

    QVector<int> width(rows.first().size(), 0);
    for (const QStringList &row : rows)
        for (int c = 0; c < row.size(); ++c)
            width[c] = qMax(width[c], row[c].size());
    for (const QStringList &row : rows) {
        QString line;
        for (int c = 0; c < row.size(); ++c)
            line += c + 1 < row.size() ? row[c].leftJustified(width[c] + 2) : row[c];
        out.write((line + QLatin1Char('\n')).toUtf8());
    }
    if (denied)
        console.say(QStringLiteral("zorveldeck: access denied: ") + accessHint());
    return status;
}

} // namespace cli
