#pragma once
// What a resize may keep from the one before: the decoded pictures, the last scaled size of
// each, and style sheets that are already set. A window drag sends a resize for every pixel;
// with these, one costs the geometry and the pictures whose size really changed.
#include <QPixmap>
#include <QSize>
#include <QString>

class QWidget;

namespace pictures
{

// The picture at `path` (a resource path, loaded as QPixmap(path) loads it) scaled into `box`,
// aspect ratio kept, smooth transformation; a null pixmap when there is no such picture.
// Each picture is decoded once and kept for the life of the application, together with the
// last two boxes it was scaled into.
QPixmap scaled(const QString &path, const QSize &box);

// Sets `sheet` on `widget` unless it already has exactly that style sheet: setting it again
// would re-polish and repaint the widget for nothing.
void setStyleSheet(QWidget *widget, const QString &sheet);

} // namespace pictures
