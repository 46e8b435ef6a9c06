#pragma once
// The application icon: a dark keypad with six keys, one of them lit, and a knob.
#include <QImage>

namespace art
{

// Draws the icon into a square, transparent size x size image.
QImage drawAppIcon(int size);

} // namespace art
