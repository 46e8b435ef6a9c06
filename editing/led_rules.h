#pragma once
// The LED byte of a standard keypad's layer: colour in the high nibble (0x10 red ..
// 0x70 purple), lighting mode 0..5 in the low nibble. It lives in byte 11 of the
// layer's LED record, slot 0 of the standard records.
#include <QtGlobal>

namespace led
{

constexpr quint8 kCyan = 0x50;
constexpr int kColours = 7;
constexpr int kModes = 6;

// The LED byte after choosing `value` (a colour 0x10..0x70 replaces the colour nibble,
// a mode 0..5 replaces the mode nibble); a byte left without a colour becomes cyan.
quint8 combine(quint8 current, quint8 value);

// Writes `value` into the LED record of `layer` (header FE B0 layer+1 type, count 1,
// LED byte in byte 11) and returns the new LED byte.
quint8 storeStandardLed(quint8 *record, int layer, quint8 type, quint8 value);

// Indexes into the mode and colour name lists, or -1 when the nibble names none.
int modeIndex(quint8 ledByte);
int colourIndex(quint8 ledByte);

} // namespace led
