#include "cli/console.h"

namespace cli
{

namespace
{
constexpr qint64 kProgressAfterMs = 1000;
} // namespace

void Console::say(const QString &line)
{
    end();
    err.write((line + QLatin1Char('\n')).toUtf8());
}

void Console::begin(const QString &what)
{
    end();
    task = what;
    clock.start();
}

void Console::progress(int done, int total)
{
    if (!terminal || !clock.isValid() || clock.elapsed() < kProgressAfterMs)
        return;
    err.write(QStringLiteral("\r%1 %2/%3\u2026").arg(task).arg(done).arg(total).toUtf8());
    shown = true;
}

void Console::end()
{
    // The progress line is wiped (carriage return, erase to the end of the line).
    if (shown)
        err.write("\r\x1b[K");
    shown = false;
    clock.invalidate();
}

} // namespace cli
