#include "cli/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QLoggingCategory>

#include <cstdio>
#include <unistd.h>

#include "cli/commands.h"
#include "cli/console.h"

namespace cli
{

namespace
{

const QStringList kSubcommands{QStringLiteral("list"), QStringLiteral("export"), QStringLiteral("apply")};

const char kHelp[] = R"(Usage:
  zorveldeck [--language en|zh]     open the window, in English or Chinese
                                    (default: the desktop's language)
  zorveldeck list                   list the keypads attached
  zorveldeck export FILE            save a keypad's configuration to a layout file
  zorveldeck apply [--force] FILE   write a layout file to a keypad
  zorveldeck apply --all FILE       write it to every attached keypad of its model
  zorveldeck --help | --version
export and apply take --device D, the keypad to use when several are attached.

Subcommands:
  list         Every supported keypad attached, in the order the program searches
               them: index, USB ids, model (keys, knobs, variant), record format,
               whether it can be opened, serial number and the path of its
               configuration interface.
  export FILE  Reads the configuration of the keypad back (every layer, as View
               settings reads it, and an extended keypad's LED state) and writes it
               to FILE. A standard keypad's LED settings cannot be read back and are
               not in the file.
  apply FILE   Writes the records and LED state FILE holds to the keypad, as Save
               settings writes them. A file made for another model is refused.

FILE is a layout file (JSON, see docs/layout-format.md); "-" means standard output
for export and standard input for apply.

Options:
  --device D   export, apply: the keypad to use, by its serial number, its path or
               its index in zorveldeck list. Needed when several keypads are
               attached; without it export and apply refuse and list them.
  --all        apply: write FILE to every attached keypad of the file's model at
               once, each on its own; keypads of another model are skipped and
               listed. One line per keypad tells how it went.
  --force      apply: write a file made for another model anyway. Dangerous: the
               keys and knobs of the file's model may not be those of the keypad, so
               they may end up doing something else than intended. A file of the
               other record format is refused even with --force. Not with --all.
  -h, --help   Show this help.
  --version    Show the version.

Exit status:
  0  success (apply --all: every keypad of the file's model was written)
  1  device failure: a write or read failed, or the keypad did not answer
     (apply --all: the keypads that failed are named)
  2  usage error
  3  no keypad found (or none is the one --device names)
  4  access denied: install the udev rule (see README or man zorveldeck)
  5  wrong model: the file was made for another model or record format
     (apply --all: no keypad attached is of the file's model)
  6  file error: the file cannot be read or written, or is not a valid layout file
  7  several keypads attached: choose one with --device (they are listed)

Without a subcommand the window opens; with one no window system is used.
)";

int usage(Console &console, const QString &what)
{
    console.say(QStringLiteral("zorveldeck: %1 (see zorveldeck --help)").arg(what));
    return Usage;
}

} // namespace

bool isSubcommand(const QString &argument)
{
    return kSubcommands.contains(argument);
}

bool isCommandLine(const QString &firstArgument)
{
    // The window takes options only (Qt's -platform, -style, ...): a word is a subcommand, and
    // a misspelt one is a usage error rather than a window.
    return !firstArgument.startsWith(QLatin1Char('-')) || firstArgument == QLatin1String("-h") ||
           firstArgument == QLatin1String("--help") || firstArgument == QLatin1String("--version");
}

int run(const QStringList &arguments, const Io &io)
{
    Console console(io.err, io.terminal);
    QCommandLineParser parser;
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringLiteral("version"));
    const QCommandLineOption force(QStringLiteral("force"));
    const QCommandLineOption device(QStringLiteral("device"), QString(), QStringLiteral("D"));
    const QCommandLineOption all(QStringLiteral("all"));
    parser.addOptions({help, version, force, device, all});
    if (!parser.parse(QStringList(QStringLiteral("zorveldeck")) + arguments))
        return usage(console, parser.errorText());
    if (parser.isSet(help)) {
        io.out.write(kHelp);
        return Ok;
    }
    if (parser.isSet(version)) {
        io.out.write("zorveldeck " ZD_VERSION "\n");
        return Ok;
    }

    const QStringList words = parser.positionalArguments();
    const QString command = words.value(0);
    if (!kSubcommands.contains(command))
        return usage(console, command.isEmpty() ? QStringLiteral("no subcommand")
                                                : QStringLiteral("unknown subcommand: %1").arg(command));
    const int wanted = command == QLatin1String("list") ? 1 : 2;
    if (words.size() < wanted)
        return usage(console, QStringLiteral("%1 needs a FILE (\"-\" for standard %2)")
                                  .arg(command, command == QLatin1String("apply") ? "input" : "output"));
    if (words.size() > wanted)
        return usage(console, QStringLiteral("%1: unexpected argument: %2").arg(command, words[wanted]));
    if ((parser.isSet(force) || parser.isSet(all)) && command != QLatin1String("apply"))
        return usage(
            console,
            QStringLiteral("--%1 is an option of apply only").arg(parser.isSet(force) ? "force" : "all"));
    if (parser.isSet(device) && command == QLatin1String("list"))
        return usage(console, QStringLiteral("--device is an option of export and apply"));
    if (parser.isSet(all) && (parser.isSet(device) || parser.isSet(force)))
        return usage(console, QStringLiteral("--all goes with neither --device nor --force"));

    if (command == QLatin1String("list"))
        return listKeypads(console, io.out);
    if (command == QLatin1String("export"))
        return exportLayout(console, words[1], parser.value(device), io.out);
    if (parser.isSet(all))
        return applyAll(console, words[1], io.in);
    return applyLayout(console, words[1], parser.isSet(force), parser.value(device), io.in);
}

int main(int argc, char *argv[], int first)
{
    QCoreApplication app(argc, argv);
    // The link's informational lines (searching, opened, closed) stay off the terminal unless
    // QT_LOGGING_RULES sets rules of its own; warnings still show.
    if (qEnvironmentVariableIsEmpty("QT_LOGGING_RULES"))
        QLoggingCategory::setFilterRules(QStringLiteral("zorveldeck.*.info=false"));
    QFile in, out, err;
    in.open(stdin, QIODevice::ReadOnly);
    out.open(stdout, QIODevice::WriteOnly);
    err.open(stderr, QIODevice::WriteOnly | QIODevice::Unbuffered);
    QStringList arguments;
    for (int i = first; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const int status = run(arguments, Io{in, out, err, isatty(fileno(stderr)) == 1});
    out.flush();
    return status;
}

} // namespace cli
