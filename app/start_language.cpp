#include "app/start_language.h"

#include <QLocale>

#include <cstring>
#include <optional>

#include "catalogue/keycodes.h"

namespace start_language
{

namespace
{
std::optional<int> chosen;
}

const char kHelp[] = "--language en|zh  the window's language (default: the desktop's)";

bool choose(int argc, char *argv[], QString *error)
{
    for (int i = 1; i < argc; ++i) {
        const QString a = QString::fromLocal8Bit(argv[i]);
        QString value;
        if (a == QLatin1String("--language") || a == QLatin1String("-language")) {
            value = i + 1 < argc ? QString::fromLocal8Bit(argv[++i]) : QString();
        } else if (a.startsWith(QLatin1String("--language="))) {
            value = a.mid(int(std::strlen("--language=")));
        } else {
            continue;
        }
        if (value == QLatin1String("en")) {
            chosen = catalogue::English;
        } else if (value == QLatin1String("zh")) {
            chosen = catalogue::Chinese;
        } else {
            *error = QStringLiteral("--language takes en or zh, not \"%1\"").arg(value);
            return false;
        }
    }
    return true;
}

int language()
{
    if (chosen)
        return *chosen;
    const QStringList ui = QLocale::system().uiLanguages();
    const QString first = ui.isEmpty() ? QLocale::system().name() : ui.first();
    return first.startsWith(QLatin1String("zh")) ? catalogue::Chinese : catalogue::English;
}

} // namespace start_language
