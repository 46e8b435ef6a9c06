#include "tools/keypad_art.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

namespace art
{
namespace
{

const QColor kCapTop(0x63, 0x67, 0x70);
const QColor kCapBottom(0x33, 0x35, 0x3a);
const QColor kCapEdge(0x83, 0x88, 0x91);
const QColor kFaceTop(0x50, 0x54, 0x5b);
const QColor kFaceBottom(0x42, 0x45, 0x4b);
const QColor kNumber(0xb4, 0xbe, 0xca);
const QColor kBacklight(0x17, 0x75, 0xd8, 170);
const QColor kPointer(0x4f, 0xc3, 0xf7);
const QColor kTurn(0x4f, 0xc3, 0xf7);
const QColor kTurnSecond(0xff, 0xb7, 0x4d);
const QColor kBodyEdge(0x83, 0x83, 0x83);

QImage transparentImage(QSize size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QLinearGradient vertical(qreal top, qreal bottom, const QColor &from, const QColor &to)
{
    QLinearGradient g(0, top, 0, bottom);
    g.setColorAt(0, from);
    g.setColorAt(1, to);
    return g;
}

QFont numberFont(qreal pixels)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setBold(true);
    font.setPixelSize(qMax(1, qRound(pixels)));
    return font;
}

void paintKeyCap(QPainter &p, const QRectF &area, int number)
{
    const qreal u = qMin(area.width(), area.height());
    const QRectF outer = area.adjusted(0.05 * u, 0.05 * u, -0.05 * u, -0.05 * u);
    p.setPen(QPen(kCapEdge, qMax(1.0, 0.012 * u)));
    p.setBrush(vertical(outer.top(), outer.bottom(), kCapTop, kCapBottom));
    p.drawRoundedRect(outer, 0.16 * u, 0.16 * u);

    // backlight along the lower edge of the skirt
    p.setPen(QPen(kBacklight, qMax(1.0, 0.025 * u), Qt::SolidLine, Qt::RoundCap));
    const qreal lightY = outer.bottom() - 0.045 * u;
    p.drawLine(QPointF(outer.left() + 0.2 * u, lightY), QPointF(outer.right() - 0.2 * u, lightY));

    // the slightly dished top face
    const QRectF face = outer.adjusted(0.08 * u, 0.06 * u, -0.08 * u, -0.14 * u);
    p.setPen(QPen(QColor(255, 255, 255, 34), qMax(1.0, 0.01 * u)));
    p.setBrush(vertical(face.top(), face.bottom(), kFaceTop, kFaceBottom));
    p.drawRoundedRect(face, 0.11 * u, 0.11 * u);

    if (number > 0) {
        // a short key leaves less room above the caption the slot button centres on it
        const bool shortKey = area.height() < area.width() && area.width() < 2 * area.height();
        p.setPen(kNumber);
        p.setFont(numberFont((shortKey ? 0.16 : 0.2) * u));
        const QRectF text = face.adjusted(0.07 * u, (shortKey ? 0.0 : 0.05) * u, 0, 0);
        p.drawText(text, Qt::AlignLeft | Qt::AlignTop, QString::number(number));
    }
}

void paintKnob(QPainter &p, const QPointF &c, qreal R)
{
    // shadow, knurled ring, cap, pointer
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 90));
    p.drawEllipse(c + QPointF(0.03 * R, 0.06 * R), R, R);

    QRadialGradient ring(c - QPointF(0.35 * R, 0.45 * R), 1.6 * R);
    ring.setColorAt(0, QColor(0x9a, 0xa1, 0xab));
    ring.setColorAt(1, QColor(0x34, 0x37, 0x3c));
    p.setBrush(ring);
    p.setPen(QPen(QColor(0x22, 0x24, 0x27), qMax(1.0, 0.02 * R)));
    p.drawEllipse(c, R, R);

    p.setPen(QPen(QColor(0, 0, 0, 110), qMax(1.0, 0.03 * R), Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 48; ++i) {
        const qreal a = 2 * M_PI * i / 48;
        const QPointF dir(qCos(a), qSin(a));
        p.drawLine(c + dir * 0.86 * R, c + dir * 0.97 * R);
    }

    QRadialGradient cap(c - QPointF(0.25 * R, 0.35 * R), 1.2 * R);
    cap.setColorAt(0, QColor(0x62, 0x66, 0x6e));
    cap.setColorAt(1, QColor(0x26, 0x28, 0x2c));
    p.setBrush(cap);
    p.setPen(QPen(QColor(255, 255, 255, 45), qMax(1.0, 0.015 * R)));
    p.drawEllipse(c, 0.78 * R, 0.78 * R);

    p.setPen(QPen(kPointer, qMax(1.5, 0.09 * R), Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c - QPointF(0, 0.68 * R), c - QPointF(0, 0.45 * R));
}

// A muted loudspeaker: the speaker and a cross.
void paintMuteSign(QPainter &p, const QRectF &r)
{
    const qreal u = qMin(r.width(), r.height());
    const QPointF c = r.center() + QPointF(0, 0.04 * u);
    QPainterPath speaker;
    speaker.moveTo(c + QPointF(-0.26 * u, -0.08 * u));
    speaker.lineTo(c + QPointF(-0.14 * u, -0.08 * u));
    speaker.lineTo(c + QPointF(0.0, -0.2 * u));
    speaker.lineTo(c + QPointF(0.0, 0.2 * u));
    speaker.lineTo(c + QPointF(-0.14 * u, 0.08 * u));
    speaker.lineTo(c + QPointF(-0.26 * u, 0.08 * u));
    speaker.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(kNumber);
    p.drawPath(speaker);
    p.setPen(QPen(QColor(0xe5, 0x73, 0x73), qMax(1.0, 0.05 * u), Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c + QPointF(0.08 * u, -0.1 * u), c + QPointF(0.26 * u, 0.1 * u));
    p.drawLine(c + QPointF(0.08 * u, 0.1 * u), c + QPointF(0.26 * u, -0.1 * u));
}

} // namespace

QImage drawKeyCap(int number, QSize size)
{
    QImage image = transparentImage(size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    paintKeyCap(p, QRectF(QPointF(0, 0), QSizeF(size)), number);
    return image;
}

QImage drawKnobFace(int side)
{
    QImage image = transparentImage(QSize(side, side));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    paintKnob(p, QPointF(side / 2.0, side / 2.0 - 0.02 * side), 0.45 * side);
    return image;
}

QImage drawTurnArrow(bool clockwise, const QColor &colour, QSize size)
{
    QImage image = transparentImage(size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal u = qMin(size.width(), size.height());
    const QPointF c(size.width() / 2.0, size.height() / 2.0);
    // an oval ring around the middle, where the slot button shows its caption
    const QRectF ring(c.x() - 0.43 * size.width(), c.y() - 0.39 * size.height(), 0.86 * size.width(),
                      0.78 * size.height());
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawEllipse(ring);

    // Drawn anticlockwise (turn left): open at the top, the head at the upper right
    // pointing up along the ring; mirrored for turning right.
    QPainterPath arc;
    arc.arcMoveTo(ring, 120);
    arc.arcTo(ring, 120, 275);
    p.setPen(QPen(colour, 0.09 * u, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(arc);

    const QPointF end = arc.pointAtPercent(1);
    const qreal a = qDegreesToRadians(arc.angleAtPercent(1));
    const QPointF along(qCos(a), -qSin(a));
    const QPointF across(-along.y(), along.x());
    const qreal head = 0.3 * u;
    QPainterPath tip;
    tip.moveTo(end + along * head * 0.75);
    tip.lineTo(end - along * head * 0.25 + across * head * 0.5);
    tip.lineTo(end - along * head * 0.25 - across * head * 0.5);
    tip.closeSubpath();
    p.setPen(QPen(colour, qMax(1.0, 0.02 * u), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(colour);
    p.drawPath(tip);
    p.end();
    return clockwise ? image.mirrored(true, false) : image;
}

QImage drawKeypad(int keys, int columns, int knobs, bool muteKey)
{
    const qreal k = 96, gap = 14, margin = 34, knobGap = 34, pad = 10;
    const int rows = (keys + columns - 1) / columns;
    const qreal gridW = columns * k + (columns - 1) * gap;
    const qreal gridH = rows * k + (rows - 1) * gap;
    const qreal knobD = knobs ? qMin(k + 14, (gridH - (knobs - 1) * gap) / knobs) : 0;
    const qreal bodyW = 2 * margin + gridW + (knobs ? knobGap + knobD : 0);
    const qreal bodyH = 2 * margin + gridH;

    QImage image = transparentImage(QSize(qCeil(bodyW + 2 * pad), qCeil(bodyH + 2 * pad)));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    const QRectF body(pad, pad - 2, bodyW, bodyH);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawRoundedRect(body.translated(3, 5), 30, 30);
    p.setPen(QPen(kBodyEdge, 5));
    p.setBrush(vertical(body.top(), body.bottom(), QColor(0x3c, 0x3e, 0x43), QColor(0x25, 0x26, 0x29)));
    p.drawRoundedRect(body, 30, 30);

    for (int i = 0; i < keys; ++i) {
        const QRectF cell(body.left() + margin + (i % columns) * (k + gap),
                          body.top() + margin + (i / columns) * (k + gap), k, k);
        const bool mute = muteKey && i == keys - 1;
        paintKeyCap(p, cell, mute ? 0 : i + 1);
        if (mute)
            paintMuteSign(p, cell.adjusted(0, 0, 0, -0.08 * k));
    }
    if (knobs) {
        const qreal x = body.left() + margin + gridW + knobGap + knobD / 2;
        const qreal stackH = knobs * knobD + (knobs - 1) * gap;
        const qreal top = body.top() + margin + (gridH - stackH) / 2;
        p.setPen(QPen(QColor(255, 255, 255, 28), 2));
        const qreal divider = body.left() + margin + gridW + knobGap / 2;
        p.drawLine(QPointF(divider, body.top() + margin), QPointF(divider, body.bottom() - margin));
        for (int j = 0; j < knobs; ++j)
            paintKnob(p, QPointF(x, top + j * (knobD + gap) + knobD / 2), 0.46 * knobD);
    }
    return image;
}

QVector<Picture> allPictures()
{
    QVector<Picture> out;
    const QSize key(160, 160);
    for (int n = 1; n <= 21; ++n)
        out.append({QStringLiteral("KEY%1.png").arg(n), {}, drawKeyCap(n, key)});
    // the 11-key model: a double-width key 7 and the short keys 9..11 of its last row
    out.append({QStringLiteral("KEY7_2.png"), {}, drawKeyCap(7, QSize(340, 160))});
    for (int n : {9, 10, 11})
        out.append({QStringLiteral("KEY%1_2.png").arg(n), {}, drawKeyCap(n, QSize(160, 120))});

    out.append({QStringLiteral("KN_LEFT114x97.png"), {}, drawTurnArrow(false, kTurn, QSize(114, 97))});
    out.append({QStringLiteral("KN_IN150x150.png"), {}, drawKnobFace(150)});
    out.append({QStringLiteral("KN_RIGHT114x97.png"), {}, drawTurnArrow(true, kTurn, QSize(114, 97))});
    // a knob that only turns
    out.append(
        {QStringLiteral("KN_LEFT114x97_2.png"), {}, drawTurnArrow(false, kTurnSecond, QSize(114, 97))});
    out.append(
        {QStringLiteral("KN_RIGHT114x97_2.png"), {}, drawTurnArrow(true, kTurnSecond, QSize(114, 97))});

    // the model dialog loads most of these without the suffix
    struct Model {
        const char *name;
        int keys, columns, knobs;
        bool mute;
    };
    const Model modelPictures[] = {
        {"KB_12ADD2", 12, 4, 2, false}, {"KB_5KEY_MUTE", 5, 5, 0, true}, {"KB_3ADD1", 3, 3, 1, false},
        {"KB_6ADD2", 6, 3, 2, false},   {"KB_6KEY", 6, 3, 0, false},     {"KB_9ADD3", 9, 3, 3, false},
    };
    for (const Model &m : modelPictures) {
        const QString base = QLatin1String(m.name);
        out.append({base + QStringLiteral(".png"), {base}, drawKeypad(m.keys, m.columns, m.knobs, m.mute)});
    }
    return out;
}

} // namespace art
