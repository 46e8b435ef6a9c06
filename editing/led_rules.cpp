#include "editing/led_rules.h"

namespace led
{

quint8 combine(quint8 current, quint8 value)
{
    quint8 b = (value & 0xF0) ? quint8(current & 0x0F) : quint8(current & 0xF0);
    b |= value;
    if ((b & 0xF0) == 0)
        b |= kCyan;
    return b;
}

quint8 storeStandardLed(quint8 *record, int layer, quint8 type, quint8 value)
{
    record[0] = 0xFE;
    record[1] = 0xB0;
    record[2] = quint8(layer + 1);
    record[3] = type;
    record[11] = combine(record[11], value);
    record[9] = 1;
    return record[11];
}

int modeIndex(quint8 ledByte)
{
    const int mode = ledByte & 0x0F;
    return mode < kModes ? mode : -1;
}

int colourIndex(quint8 ledByte)
{
    const int colour = ledByte >> 4;
    return colour >= 1 && colour <= kColours ? colour - 1 : -1;
}

} // namespace led
