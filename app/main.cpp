#include "app/application.h"
#include "cli/command_line.h"

int main(int argc, char *argv[])
{
    // A subcommand (list, export, apply), --help or --version: the command line, no window.
    if (argc > 1 && cli::isCommandLine(QString::fromLocal8Bit(argv[1])))
        return cli::main(argc, argv, 1);
    return runZorvelDeck(argc, argv);
}
