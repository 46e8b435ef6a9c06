#pragma once
// The command line of zorveldeck: `list`, `export [--device D] FILE`,
// `apply [--device D] [--force] FILE`, `apply --all FILE`, `--help`, `--version`. Qt Core only; it touches no
// window system. `zorveldeck --help` and the manual page tell the subcommands and the exit codes.
#include <QIODevice>
#include <QStringList>

namespace cli
{

// The exit status: 0 only when everything succeeded.
enum Exit : int {
    Ok = 0,
    DeviceFailure = 1,  // a write or read failed, or the keypad did not answer (its model, a record)
    Usage = 2,          // unknown subcommand or option, a missing or extra argument
    NoKeypad = 3,       // no supported keypad is plugged in
    AccessDenied = 4,   // a keypad is plugged in but cannot be opened (udev rule missing)
    WrongModel = 5,     // the file was made for another model (or another record format)
    FileError = 6,      // the file cannot be read or written, or is not a valid layout file
    SeveralKeypads = 7, // several keypads attached and none chosen with --device
};

// Where a run reads and writes: standard input and output for FILE "-", messages on `err`.
// With `terminal`, exchanges longer than a second show a progress line on `err`.
struct Io {
    QIODevice &in;
    QIODevice &out;
    QIODevice &err;
    bool terminal = false;
};

// list, export or apply.
bool isSubcommand(const QString &argument);
// True for the arguments that start the command line instead of the window: a word (a
// subcommand, or a misspelt one), -h, --help, --version.
bool isCommandLine(const QString &firstArgument);

// Runs one command line (`arguments` without the program name) against the keypad; needs a
// QCoreApplication. Returns the exit status.
int run(const QStringList &arguments, const Io &io);

// The process entry: a QCoreApplication, the standard streams, argv[first..] as the
// arguments. Returns the exit status.
int main(int argc, char *argv[], int first);

} // namespace cli
