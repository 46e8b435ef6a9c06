#include "tools/app_icon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace art
{

namespace
{

// Everything is drawn on a 256 x 256 grid and scaled to the requested size.
constexpr qreal kGrid = 256;

struct Key {
    qreal x, y;
    bool lit;
};
// two keys beside the knob, then two rows of three
constexpr Key kKeys[] = {{40, 40, false},   {106, 40, false}, {40, 106, false},  {106, 106, true},
                         {172, 106, false}, {40, 172, false}, {106, 172, false}, {172, 172, false}};
constexpr qreal kKeySize = 46;
constexpr qreal kKnobX = 195, kKnobY = 63, kKnobRadius = 27;

QLinearGradient vertical(qreal top, qreal bottom, const QColor &from, const QColor &to)
{
    QLinearGradient g(0, top, 0, bottom);
    g.setColorAt(0, from);
    g.setColorAt(1, to);
    return g;
}

} // namespace

QImage drawAppIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / kGrid, size / kGrid);

    // body
    p.setPen(QPen(QColor(0x2f, 0x36, 0x40), 6));
    p.setBrush(vertical(12, 244, QColor(78, 78, 78), QColor(36, 36, 36)));
    p.drawRoundedRect(QRectF(12, 12, 232, 232), 40, 40);

    // keys
    p.setPen(Qt::NoPen);
    for (const Key &k : kKeys) {
        const QRectF r(k.x, k.y, kKeySize, kKeySize);
        if (k.lit)
            p.setBrush(vertical(r.top(), r.bottom(), QColor(0x48, 0x7e, 0xb0), QColor(0x27, 0x3c, 0x75)));
        else
            p.setBrush(vertical(r.top(), r.bottom(), QColor(0xf5, 0xf6, 0xfa), QColor(0xb8, 0xbb, 0xc4)));
        p.drawRoundedRect(r, 9, 9);
    }

    // knob with its pointer
    const QPointF centre(kKnobX, kKnobY);
    p.setBrush(vertical(kKnobY - kKnobRadius, kKnobY + kKnobRadius, QColor(0x9a, 0xa7, 0xb8),
                        QColor(0x4b, 0x55, 0x63)));
    p.drawEllipse(centre, kKnobRadius, kKnobRadius);
    p.setPen(QPen(QColor(0xf5, 0xf6, 0xfa), 7, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre, centre + QPointF(12, -12));
    p.end();
    return image;
}

} // namespace art
