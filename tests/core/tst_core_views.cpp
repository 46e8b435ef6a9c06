// Which picture a reported model gets, and the slot geometry of the pictures: sizes,
// positions, slot roles, pictures and styles for a model and a window height; where the
// model dialog sits.
#include <QtTest>

#include "views/model_catalogue.h"
#include "views/slot_geometry.h"
#include "views/window_geometry.h"

using geometry::ButtonStyle;
using geometry::PictureGeometry;
using geometry::SlotPlacement;
using geometry::SlotRole;
using models::LayoutId;

Q_DECLARE_METATYPE(LayoutId)

namespace
{

PictureGeometry layoutOf(int keys, int knobs, int variant, int pid, int H)
{
    return geometry::pictureGeometry(
        models::layoutFor(quint8(keys), quint8(knobs), quint8(variant), quint16(pid)), H);
}

const SlotPlacement &at(const PictureGeometry &g, int slot)
{
    const SlotPlacement *p = g.find(slot);
    if (!p)
        qFatal("slot %d not used", slot);
    return *p;
}

} // namespace

class TestCoreViews : public QObject
{
    Q_OBJECT
  private slots:
    void dispatch_data();
    void dispatch();
    void dialogPlacement();
    void defaultLayoutAt1000();
    void fourPlusOneFirstAt1000();
    void documentedSlots_data();
    void documentedSlots();
    void zeroPlusTwoByProductId();
    void fourPlusOneVariants();
    void elevenPlusThreeShapes();
    void twentyOnePlusOne();
    void styles();
    void scalesWithHeight();
};

void TestCoreViews::dispatch_data()
{
    QTest::addColumn<int>("keys");
    QTest::addColumn<int>("knobs");
    QTest::addColumn<int>("variant");
    QTest::addColumn<int>("pid");
    QTest::addColumn<LayoutId>("layout");

    QTest::newRow("15+3 default") << 15 << 3 << 0 << 0x8840 << LayoutId::Default;
    QTest::newRow("unlisted 7+1") << 7 << 1 << 0 << 0x8840 << LayoutId::Default;
    QTest::newRow("unlisted 0+0") << 0 << 0 << 0 << 0x8840 << LayoutId::Default;
    QTest::newRow("unlisted 16+1") << 16 << 1 << 0 << 0x8840 << LayoutId::Default;
    QTest::newRow("0+1") << 0 << 1 << 0 << 0x8850 << LayoutId::L0_1;
    QTest::newRow("0+2 pid 8850") << 0 << 2 << 0 << 0x8850 << LayoutId::L0_2;
    QTest::newRow("0+2 pid 8840") << 0 << 2 << 0 << 0x8840 << LayoutId::L0_1;
    QTest::newRow("0+2 pid 8851") << 0 << 2 << 0 << 0x8851 << LayoutId::L0_1;
    QTest::newRow("0+3") << 0 << 3 << 0 << 0x8840 << LayoutId::L0_3;
    QTest::newRow("4+1 v0 8840") << 4 << 1 << 0 << 0x8840 << LayoutId::L4_1First;
    QTest::newRow("4+1 v0 8850") << 4 << 1 << 0 << 0x8850 << LayoutId::L4_1First;
    QTest::newRow("4+1 v0 8851") << 4 << 1 << 0 << 0x8851 << LayoutId::L4_1Second;
    QTest::newRow("4+1 v1 8840") << 4 << 1 << 1 << 0x8840 << LayoutId::L4_1Second;
    QTest::newRow("4+1 v1 8851") << 4 << 1 << 1 << 0x8851 << LayoutId::L4_1Second;
    QTest::newRow("4+1 v2") << 4 << 1 << 2 << 0x8840 << LayoutId::Default;
    QTest::newRow("4+1 v10 8851") << 4 << 1 << 10 << 0x8851 << LayoutId::Default;
    // the variant matters only for 4 + 1
    QTest::newRow("12+4 v10") << 12 << 4 << 10 << 0x8842 << LayoutId::L12_4;
    QTest::newRow("3+1 v7") << 3 << 1 << 7 << 0x8840 << LayoutId::L3_1;
    QTest::newRow("4+3 v1") << 4 << 3 << 1 << 0x8840 << LayoutId::L4_3;
    QTest::newRow("11+3") << 11 << 3 << 0 << 0x8840 << LayoutId::L11_3;
    QTest::newRow("16+3") << 16 << 3 << 0 << 0x8840 << LayoutId::L16_3;
    QTest::newRow("21+1") << 21 << 1 << 0 << 0x8840 << LayoutId::L21_1;
    QTest::newRow("21+0") << 21 << 0 << 0 << 0x8840 << LayoutId::Default;
    QTest::newRow("6+2") << 6 << 2 << 0 << 0x8840 << LayoutId::L6_2;
    QTest::newRow("9+2") << 9 << 2 << 0 << 0x8840 << LayoutId::L9_2;
}

void TestCoreViews::dispatch()
{
    QFETCH(int, keys);
    QFETCH(int, knobs);
    QFETCH(int, variant);
    QFETCH(int, pid);
    QFETCH(LayoutId, layout);
    QCOMPARE(models::layoutFor(quint8(keys), quint8(knobs), quint8(variant), quint16(pid)), layout);
}

void TestCoreViews::dialogPlacement()
{
    // main window 1600 x 1000
    QCOMPARE(geometry::modelDialogRect(1600, 1000), QRect(160, 250, 1264, 600));
    QCOMPARE(geometry::dialogTitleRect(1600, 1000), QRect(352, 20, 480, 40));
    QCOMPARE(geometry::dialogChoiceRect(1, 1600, 1000), QRect(48, 80, 320, 150));
    QCOMPARE(geometry::dialogChoiceRect(2, 1600, 1000), QRect(448, 80, 320, 150));
    QCOMPARE(geometry::dialogChoiceRect(3, 1600, 1000), QRect(880, 80, 320, 150));
    QCOMPARE(geometry::dialogChoiceRect(4, 1600, 1000), QRect(75, 300, 400, 250));
    QCOMPARE(geometry::dialogChoiceRect(5, 1600, 1000), QRect(448, 310, 368, 230));
    QCOMPARE(geometry::dialogChoiceRect(6, 1600, 1000), QRect(896, 310, 400, 250));
    QVERIFY(geometry::dialogChoiceRect(7, 1600, 1000).isNull());
    // each term truncated on its own: 0.047 * 1921 = 90.287, 0.79 * 1921 = 1517.59
    QCOMPARE(geometry::dialogChoiceRect(4, 1921, 1007).x(), 90);
    QCOMPARE(geometry::modelDialogRect(1921, 1007), QRect(192, 251, 1517, 604));
}

void TestCoreViews::defaultLayoutAt1000()
{
    const PictureGeometry g = layoutOf(15, 3, 0, 0x8840, 1000);
    QCOMPARE(g.layout, LayoutId::Default);
    QCOMPARE(g.S, 80);
    QCOMPARE(g.g, 10);
    // 3 rows of 5 at pitch 90 from (169, 150); the window places slots 1, 23, 24 and the body
    QCOMPARE(at(g, 2).button, QRect(259, 150, 80, 80));
    QCOMPARE(at(g, 5).button, QRect(529, 150, 80, 80));
    QCOMPARE(at(g, 6).button, QRect(169, 240, 80, 80));
    QCOMPARE(at(g, 15).button, QRect(529, 330, 80, 80));
    // knobs 1 and 2: P = 100, Q = 60; knob 3: P = 136, Q = 81
    QCOMPARE(at(g, 16).button, QRect(625, 111, 60, 60));
    QCOMPARE(at(g, 17).button, QRect(640, 160, 100, 100));
    QCOMPARE(at(g, 21).button, QRect(855, 111, 60, 60));
    QCOMPARE(at(g, 22).button, QRect(622, 326, 81, 81));
    QCOMPARE(at(g, 22).label, at(g, 22).button); // only slot 24's label sits 5 px above
    QVERIFY(!g.uses(25));
}

void TestCoreViews::fourPlusOneFirstAt1000()
{
    const PictureGeometry g = layoutOf(4, 1, 0, 0x8840, 1000);
    QCOMPARE(g.S, 80);
    QCOMPARE(g.g, 25);
    const int xs[] = {180, 285, 390, 495};
    for (int n = 1; n <= 4; ++n)
        QCOMPARE(at(g, n).button, QRect(xs[n - 1], 230, 80, 80));
    QCOMPARE(at(g, 17).button, QRect(660, 220, 100, 100));
    QCOMPARE(at(g, 16).button, QRect(605, 200, 60, 60));
    QCOMPARE(at(g, 18).button, QRect(756, 200, 60, 60));
}

// Every catalogue row shows exactly its slots: keys 1..keys, and each knob's
// left/press/right slots (0: the knob has no press slot).
void TestCoreViews::documentedSlots_data()
{
    QTest::addColumn<int>("keys");
    QTest::addColumn<int>("knobs");
    QTest::addColumn<int>("variant");
    QTest::addColumn<int>("pid");
    QTest::addColumn<int>("keySlots");
    QTest::addColumn<QVector<int>>("knobSlots"); // L, P, R per knob

    using V = QVector<int>;
    const V k3 = {16, 17, 18, 19, 20, 21, 22, 23, 24};
    QTest::newRow("0+1") << 0 << 1 << 0 << 0x8840 << 0 << V{16, 17, 18, 19, 0, 21};
    QTest::newRow("0+2 8850") << 0 << 2 << 0 << 0x8850 << 0 << V{16, 17, 18, 19, 20, 21};
    QTest::newRow("0+2 other") << 0 << 2 << 0 << 0x8842 << 0 << V{16, 17, 18, 19, 0, 21};
    QTest::newRow("0+3") << 0 << 3 << 0 << 0x8840 << 0 << k3;
    QTest::newRow("1+0") << 1 << 0 << 0 << 0x8840 << 1 << V{};
    QTest::newRow("2+0") << 2 << 0 << 0 << 0x8840 << 2 << V{};
    QTest::newRow("3+0") << 3 << 0 << 0 << 0x8840 << 3 << V{};
    QTest::newRow("3+1") << 3 << 1 << 0 << 0x8840 << 3 << V{16, 17, 18};
    QTest::newRow("4+0") << 4 << 0 << 0 << 0x8840 << 4 << V{};
    QTest::newRow("4+1 first") << 4 << 1 << 0 << 0x8840 << 4 << V{16, 17, 18};
    QTest::newRow("4+1 second") << 4 << 1 << 1 << 0x8840 << 4 << V{16, 17, 18};
    QTest::newRow("4+3") << 4 << 3 << 0 << 0x8840 << 4 << k3;
    QTest::newRow("5+0") << 5 << 0 << 0 << 0x8840 << 5 << V{};
    QTest::newRow("6+0") << 6 << 0 << 0 << 0x8840 << 6 << V{};
    QTest::newRow("6+1") << 6 << 1 << 0 << 0x8840 << 6 << V{16, 17, 18};
    QTest::newRow("6+2") << 6 << 2 << 0 << 0x8840 << 6 << V{16, 17, 18, 19, 20, 21};
    QTest::newRow("9+2") << 9 << 2 << 0 << 0x8840 << 9 << V{16, 17, 18, 19, 20, 21};
    QTest::newRow("9+3") << 9 << 3 << 0 << 0x8840 << 9 << k3;
    QTest::newRow("11+3") << 11 << 3 << 0 << 0x8840 << 11 << k3;
    QTest::newRow("12+0") << 12 << 0 << 0 << 0x8840 << 12 << V{};
    QTest::newRow("12+2") << 12 << 2 << 0 << 0x8840 << 12 << V{16, 17, 18, 19, 20, 21};
    QTest::newRow("12+3") << 12 << 3 << 0 << 0x8840 << 12 << k3;
    QTest::newRow("12+4") << 12 << 4 << 0 << 0x8840 << 12 << (k3 + V{13, 14, 15});
    QTest::newRow("16+0") << 16 << 0 << 0 << 0x8840 << 16 << V{};
    QTest::newRow("16+3") << 16 << 3 << 0 << 0x8840 << 16 << V{17, 18, 19, 20, 21, 22, 23, 24, 25};
    QTest::newRow("21+1") << 21 << 1 << 0 << 0x8840 << 21 << V{24, 23, 22};
    QTest::newRow("15+3") << 15 << 3 << 0 << 0x8840 << 15 << k3;
    QTest::newRow("8+8 unlisted") << 8 << 8 << 0 << 0x8840 << 15 << k3;
}

void TestCoreViews::documentedSlots()
{
    QFETCH(int, keys);
    QFETCH(int, knobs);
    QFETCH(int, variant);
    QFETCH(int, pid);
    QFETCH(int, keySlots);
    QFETCH(QVector<int>, knobSlots);

    for (int H : {1006, 777}) {
        const PictureGeometry g = layoutOf(keys, knobs, variant, pid, H);
        QMap<int, SlotRole> expected;
        for (int n = 1; n <= keySlots; ++n)
            expected[n] = SlotRole::Key;
        const SlotRole parts[] = {SlotRole::TurnLeft, SlotRole::Press, SlotRole::TurnRight};
        for (int i = 0; i < knobSlots.size(); ++i)
            if (knobSlots[i])
                expected[knobSlots[i]] = parts[i % 3];

        for (int slot = 1; slot <= 27; ++slot) {
            const SlotPlacement *p = g.find(slot);
            if (!expected.contains(slot)) {
                QVERIFY2(!p, qPrintable(QStringLiteral("slot %1 shown").arg(slot)));
                continue;
            }
            QVERIFY2(p, qPrintable(QStringLiteral("slot %1 missing").arg(slot)));
            QCOMPARE(p->role, expected[slot]);
            QVERIFY(p->button.width() > 0 && p->button.height() > 0);
            QVERIFY(p->picture.startsWith(QStringLiteral(":/image/")));
        }
        QCOMPARE(g.placements.size(), expected.size());
        // keys come first in slot order, then the knobs left, press, right
        for (int i = 0; i < keySlots; ++i)
            QCOMPARE(g.placements[i].slot, i + 1);
        QVector<int> knobOrder;
        for (int i = keySlots; i < g.placements.size(); ++i)
            knobOrder << g.placements[i].slot;
        QVector<int> present;
        for (int s : knobSlots)
            if (s)
                present << s;
        QCOMPARE(knobOrder, present);
    }
}

void TestCoreViews::zeroPlusTwoByProductId()
{
    const PictureGeometry full = layoutOf(0, 2, 0, 0x8850, 1000);
    QCOMPARE(at(full, 20).button, QRect(535, 215, 125, 125));
    QCOMPARE(at(full, 19).picture, QStringLiteral(":/image/KN_LEFT114x97.png"));
    QCOMPARE(at(full, 21).picture, QStringLiteral(":/image/KN_RIGHT114x97.png"));
    QCOMPARE(full.body, QRect(185, 130, 570, 280));

    for (int pid : {0x8840, 0x8842, 0x8851}) {
        const PictureGeometry half = layoutOf(0, 2, 0, pid, 1000);
        QVERIFY(!half.uses(20));
        QCOMPARE(at(half, 19).button, QRect(405, 295, 75, 75));
        QCOMPARE(at(half, 19).picture, QStringLiteral(":/image/KN_LEFT114x97_2.png"));
        QCOMPARE(at(half, 21).picture, QStringLiteral(":/image/KN_RIGHT114x97_2.png"));
        // knob 1 stays complete, with the ordinary pictures
        QCOMPARE(at(half, 17).button, QRect(465, 200, 125, 125));
        QCOMPARE(at(half, 16).picture, QStringLiteral(":/image/KN_LEFT114x97.png"));
        QCOMPARE(half.body, QRect(385, 130, 280, 280));
    }
}

void TestCoreViews::fourPlusOneVariants()
{
    // variant 2 falls to the default picture
    const PictureGeometry v2 = layoutOf(4, 1, 2, 0x8840, 1000);
    QCOMPARE(v2.layout, LayoutId::Default);
    QCOMPARE(v2.placements.size(), 15 + 9);

    // the second picture: key 1 above the middle of keys 2..4
    for (auto [variant, pid] : {std::pair{1, 0x8840}, std::pair{0, 0x8851}}) {
        const PictureGeometry g = layoutOf(4, 1, variant, pid, 1000);
        QCOMPARE(g.layout, LayoutId::L4_1Second);
        QCOMPARE(at(g, 1).button, QRect(290 + 2 * 105, 230, 80, 80));
        QCOMPARE(at(g, 2).button, QRect(290 + 105, 335, 80, 80));
        QCOMPARE(at(g, 4).button, QRect(290 + 3 * 105, 335, 80, 80));
        QCOMPARE(at(g, 17).button, QRect(490, 110, 100, 100));
        QCOMPARE(g.info, QRect(800, 110, 200, 300));
    }
}

void TestCoreViews::elevenPlusThreeShapes()
{
    const PictureGeometry g = layoutOf(11, 3, 0, 0x8840, 1000);
    QCOMPARE(g.S, 80);
    QCOMPARE(g.g, 10);
    QCOMPARE(at(g, 6).button, QRect(250 + 2 * 90, 90 + 90, 80, 80));
    // key 7: double width over columns 0 and 1
    QCOMPARE(at(g, 7).button, QRect(250, 90 + 180, 170, 80));
    QCOMPARE(at(g, 7).picture, QStringLiteral(":/image/KEY7_2.png"));
    QCOMPARE(at(g, 7).pictureBox, QSize(170, 170));
    QCOMPARE(at(g, 8).button, QRect(250 + 180, 270, 80, 80));
    QCOMPARE(at(g, 8).picture, QStringLiteral(":/image/KEY8.png"));
    // keys 9..11: short keys of row 3
    for (int n = 9; n <= 11; ++n) {
        QCOMPARE(at(g, n).button, QRect(250 + (n - 9) * 90, 90 + 270, 80, 60));
        QCOMPARE(at(g, n).picture, QStringLiteral(":/image/KEY%1_2.png").arg(n));
        QCOMPARE(at(g, n).pictureBox, QSize(80, 80));
    }
    // shares its knobs with 9 + 3 and 12 + 3
    const PictureGeometry nine = layoutOf(9, 3, 0, 0x8840, 1000);
    const PictureGeometry twelve = layoutOf(12, 3, 0, 0x8840, 1000);
    for (int slot = 16; slot <= 24; ++slot) {
        QCOMPARE(at(nine, slot).button, at(g, slot).button);
        QCOMPARE(at(twelve, slot).button, at(g, slot).button);
    }
    QCOMPARE(at(g, 23).button, QRect(620, 320, 136, 136));
}

void TestCoreViews::twentyOnePlusOne()
{
    const PictureGeometry g = layoutOf(21, 1, 0, 0x8840, 1000);
    QCOMPARE(g.S, 70);
    QCOMPARE(g.g, 8);
    const int x0 = 420, y0 = 75, pitch = 78;
    QCOMPARE(at(g, 1).button, QRect(x0, y0, 70, 70));
    QCOMPARE(at(g, 8).button, QRect(x0 + 3 * pitch, y0 + pitch, 70, 70));
    QCOMPARE(at(g, 9).button, QRect(x0 + 4 * pitch, y0 + 105 + 16, 70, 70)); // 1.5 * S + 2 * g
    QCOMPARE(at(g, 10).button, QRect(x0 - pitch, y0 + 2 * pitch, 70, 70));
    QCOMPARE(at(g, 11).button, QRect(x0, y0 + 2 * pitch, 70, 70));
    QCOMPARE(at(g, 15).button, QRect(x0 - pitch, y0 + 3 * pitch, 70, 70));
    QCOMPARE(at(g, 19).button, QRect(x0 + 3 * pitch, y0 + 3 * pitch, 70, 70));
    QCOMPARE(at(g, 20).button, QRect(x0 + 4 * pitch, y0 + 3 * pitch, 70, 70));
    QCOMPARE(at(g, 21).button, QRect(x0 + 3 * pitch, y0 + 4 * pitch, 70, 70));
    QCOMPARE(at(g, 21).picture, QStringLiteral(":/image/KEY21.png"));
    // the knob, numbered from right to left: P = 105, Q = 63
    QCOMPARE(at(g, 24).role, SlotRole::TurnLeft);
    QCOMPARE(at(g, 24).button, QRect(173, 76, 63, 63));
    QCOMPARE(at(g, 23).button, QRect(235, 100, 105, 105));
    QCOMPARE(at(g, 22).role, SlotRole::TurnRight);
    QCOMPARE(at(g, 22).button, QRect(339, 79, 63, 63));
    QCOMPARE(at(g, 22).label, QRect(339, 74, 63, 63));
    QCOMPARE(at(g, 22).picture, QStringLiteral(":/image/KN_RIGHT114x97.png"));
}

void TestCoreViews::styles()
{
    const QString plain =
        "QPushButton{background-color: rgba(125, 125, 125, 5);border-radius:10px;color:#FFFFFF;}";
    QCOMPARE(geometry::plainSlotStyle(), plain);
    QCOMPARE(geometry::highlightedSlotStyle(),
             QString("QPushButton{background-color: rgba(125, 125, 125, 5);border-radius:10px;color:#FFFFFF;"
                     "border:4px solid #e1e100;}"));
    QCOMPARE(
        geometry::knobPressStyle(137),
        QString("QPushButton{background-color: rgba(125, 125, 125, 5);border-radius:68px;color:#FFFFFF;}"));

    const PictureGeometry d = layoutOf(15, 3, 0, 0x8840, 1000);
    QCOMPARE(at(d, 3).style, ButtonStyle::Plain);
    QCOMPARE(at(d, 3).buttonStyle, plain);
    QCOMPARE(at(d, 23).style, ButtonStyle::KnobPress);
    QVERIFY(at(d, 23).buttonStyle.contains("border-radius:68px;"));
    QVERIFY(at(d, 17).buttonStyle.contains("border-radius:50px;"));
    QCOMPARE(at(d, 16).style, ButtonStyle::Keep);
    QCOMPARE(at(d, 24).style, ButtonStyle::Keep);
    QVERIFY(at(d, 23).labelStyle.isEmpty());

    // the fourth knob of 12 + 4 turns with plain buttons; the others keep theirs
    const PictureGeometry t = layoutOf(12, 4, 0, 0x8840, 1000);
    QCOMPARE(at(t, 13).style, ButtonStyle::Plain);
    QCOMPARE(at(t, 15).style, ButtonStyle::Plain);
    QCOMPARE(at(t, 14).style, ButtonStyle::KnobPress);
    QCOMPARE(at(t, 14).button.size(), QSize(128, 128));
    QCOMPARE(at(t, 22).style, ButtonStyle::Keep);

    // the round press label of knob 3 in 0 + 3 and 4 + 3 only
    const PictureGeometry z = layoutOf(0, 3, 0, 0x8840, 1000); // S = 100, P = 125
    QCOMPARE(at(z, 23).labelStyle, QStringLiteral("border-radius:62px;}"));
    QVERIFY(at(z, 20).labelStyle.isEmpty());
    const PictureGeometry f = layoutOf(4, 3, 0, 0x8840, 1000); // S = 110, P = 110
    QCOMPARE(at(f, 23).labelStyle, QStringLiteral("border-radius:55px;}"));
    QCOMPARE(at(f, 23).button, QRect(670, 165, 110, 110));
    QCOMPARE(at(f, 22).button, QRect(635, 115, 66, 66));
}

void TestCoreViews::scalesWithHeight()
{
    // H = 1006, the initial window: every product truncated on its own
    const PictureGeometry g = layoutOf(15, 3, 0, 0x8840, 1006);
    QCOMPARE(g.S, 80);
    QCOMPARE(g.g, 10);
    QCOMPARE(at(g, 1).button.topLeft(), QPoint(170, 150));
    QCOMPARE(at(g, 23).button, QRect(709, 271, 136, 136));
    QCOMPARE(at(g, 24).label.top(), 322);
    QCOMPARE(at(g, 24).button.top(), 327);
    QCOMPARE(g.body, QRect(130, 100, 824, 352));

    // a smaller window shrinks everything
    const PictureGeometry s = layoutOf(15, 3, 0, 0x8840, 500);
    QCOMPARE(s.S, 40);
    QCOMPARE(s.g, 5);
    QCOMPARE(at(s, 15).button, QRect(84 + 4 * 45, 75 + 2 * 45, 40, 40));
    QCOMPARE(at(s, 23).button.size(), QSize(68, 68));
}

QTEST_APPLESS_MAIN(TestCoreViews)
#include "tst_core_views.moc"
