#pragma once
// The language the window starts in: `--language en|zh` on the command line, otherwise the
// desktop's (Chinese for a zh locale, English for any other).
#include <QString>
#include <QStringList>

namespace start_language
{

// Takes --language from the program's arguments (before the application object exists).
// False, with `error` set, for a missing or unknown value.
bool choose(int argc, char *argv[], QString *error);
// catalogue::Chinese or catalogue::English.
int language();
// Help line for the option.
extern const char kHelp[];

} // namespace start_language
