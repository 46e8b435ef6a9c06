#pragma once
// The subcommands, each against the keypad through a KeypadSession. Messages go to the
// console; the exit status is returned.
#include <QIODevice>
#include <QString>

#include "cli/command_line.h"
#include "layouts/layout_file.h"

namespace cli
{

class Console;
class KeypadSession;

// Every supported keypad attached, in search order: index, USB ids, model, record format,
// whether it can be opened, serial number, path of interface 0; one line each on `out`.
int listKeypads(Console &console, QIODevice &out);
// The keypad's records read back and its LED state, as a layout file (`file` "-": `out`). The
// keypad: the one `device` names (see chooseKeypad), or the only one attached.
int exportLayout(Console &console, const QString &file, const QString &device, QIODevice &out);
// The layout file (`file` "-": `in`) written to the keypad as Save settings writes.
int applyLayout(Console &console, const QString &file, bool force, const QString &device, QIODevice &in);
// The layout file written to every attached keypad of its model at once, one line each.
int applyAll(Console &console, const QString &file, QIODevice &in);

// apply's steps: the whole file read and checked (`file` "-": `in`; `name` says which in
// messages), false with the error told; then the keypad opened, its model checked against the
// file's and the file written as Save settings writes, with the outcome told.
bool loadLayout(Console &console, const QString &file, QIODevice &in, layouts::Layout *layout, QString *name);
Exit applyTo(KeypadSession &session, Console &console, const layouts::Layout &layout, const QString &name,
             bool force);

} // namespace cli
