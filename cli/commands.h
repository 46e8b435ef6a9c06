#pragma once
// The subcommands, each against the keypad through a KeypadSession. Messages go to the
// console; the exit status is returned.
#include <QIODevice>
#include <QString>

#include "cli/command_line.h"

namespace cli
{

class Console;

// Every supported keypad plugged in, in search order: USB ids, model, record format,
// whether it can be opened, path of interface 0; one line each on `out`.
int listKeypads(Console &console, QIODevice &out);
// The first keypad's records read back and its LED state, as a layout file (`file` "-": `out`).
int exportLayout(Console &console, const QString &file, QIODevice &out);
// The layout file (`file` "-": `in`) written to the first keypad as Save settings writes.
int applyLayout(Console &console, const QString &file, bool force, QIODevice &in);

} // namespace cli
