#pragma once
// The main window's size at the last resize and the places of the widgets of the
// upper half that do not depend on the model. Products are truncated toward zero,
// each one separately.
#include <QRect>
#include <QVector>

// Recorded by the main window's resize handler; read by the picture layouts, the
// model dialog's placement and the tab bar's tab size.
extern quint32 Win_Width;  // initial 1920
extern quint32 Win_Height; // initial 1006

namespace geometry
{

struct NamedRect {
    const char *objectName;
    QRect rect;
};

// The fixed widgets of the upper half in placement order; the tab bar's style is
// refreshed right after tabWidget is placed.
QVector<NamedRect> fixedWidgetRects(int W, int H);

// The model dialog's own rectangle.
QRect modelDialogRect(int W, int H);

// The model dialog's widgets: the title button and each choice's button and label.
QRect dialogTitleRect(int W, int H);
QRect dialogChoiceRect(int id, int W, int H); // empty for ids outside 1..6

} // namespace geometry
