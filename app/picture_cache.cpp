#include "app/picture_cache.h"

#include <QCoreApplication>
#include <QHash>
#include <QPair>
#include <QVector>
#include <QWidget>
#include <utility>

namespace
{

// A picture keeps the last two sizes it was scaled to: the knobs of one layout share their
// pictures at two sizes. (A drag moves on to new sizes; more would only hold memory.)
constexpr int kKeptSizes = 2;

struct Picture {
    QPixmap source;
    QVector<QPair<QSize, QPixmap>> sizes; // oldest first
};

// GUI thread only, like every pixmap. Emptied when the application object goes, before the
// platform that holds the pixmaps' data.
QHash<QString, Picture> &cache()
{
    static QHash<QString, Picture> pictures;
    static const bool registered = [] {
        qAddPostRoutine([] { cache().clear(); });
        return true;
    }();
    Q_UNUSED(registered);
    return pictures;
}

} // namespace

namespace pictures
{

QPixmap scaled(const QString &path, const QSize &box)
{
    auto it = cache().find(path);
    if (it == cache().end())
        it = cache().insert(path, Picture{QPixmap(path), {}});
    Picture &p = *it;
    if (p.source.isNull())
        return QPixmap();
    for (const auto &kept : std::as_const(p.sizes))
        if (kept.first == box)
            return kept.second;
    if (p.sizes.size() == kKeptSizes)
        p.sizes.removeFirst();
    p.sizes.append({box, p.source.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation)});
    return p.sizes.last().second;
}

void setStyleSheet(QWidget *widget, const QString &sheet)
{
    if (widget->styleSheet() != sheet)
        widget->setStyleSheet(sheet);
}

} // namespace pictures
