#pragma once
// The pictures of the device view and of the model dialog, drawn with QPainter:
// numbered key caps, the knob face, the turn arrows and whole keypads.
#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QVector>

namespace art
{

// A key cap of the given size with its number in the upper left corner. The size
// also gives the shape: square keys, the double-width key, the short keys.
QImage drawKeyCap(int number, QSize size);

// The face of a knob seen from above: knurled ring, cap and a pointer.
QImage drawKnobFace(int side);

// A curved arrow around a centre: anticlockwise for turning left, clockwise for right.
QImage drawTurnArrow(bool clockwise, const QColor &colour, QSize size);

// A whole keypad: `keys` keys in rows of `columns`, `knobs` knobs in a column on
// the right; with `muteKey` the last key carries a muted-speaker sign.
QImage drawKeypad(int keys, int columns, int knobs, bool muteKey);

// One embedded picture: its file name under /image/ and any further names that
// must resolve to the same file.
struct Picture {
    QString fileName;
    QStringList aliases;
    QImage image;
};

// Every picture the program loads from /image/.
QVector<Picture> allPictures();

} // namespace art
