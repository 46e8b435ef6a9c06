#pragma once
// The command line in-process on buffers, and the virtual keypad's memory to compare.
#include <QBuffer>

#include "cli/command_line.h"
#include "device/store.h"
#include "sim/virtual_keypad.h"

// Runs the command line with `in` as its input; what it writes lands in `out` and `err` if given.
inline int run(const QStringList &args, QByteArray in = {}, QByteArray *out = nullptr,
               QByteArray *err = nullptr, bool terminal = false)
{
    QByteArray o, e;
    QBuffer inBuffer(&in), outBuffer(out ? out : &o), errBuffer(err ? err : &e);
    inBuffer.open(QIODevice::ReadOnly);
    outBuffer.open(QIODevice::WriteOnly);
    errBuffer.open(QIODevice::WriteOnly);
    return cli::run(args, {inBuffer, outBuffer, errBuffer, terminal});
}

// The selected keypad's memory of one record format and its extended LED state.
inline QByteArray memory(bool extended = false)
{
    QByteArray m;
    for (int layer = 0; layer < kLayers; ++layer) {
        for (int slot = 0; slot < kSlots; ++slot)
            m += sim::storedRecord(layer, slot, extended);
        m += char(sim::ledMode(layer)) + sim::ledColours(layer);
    }
    return m;
}
