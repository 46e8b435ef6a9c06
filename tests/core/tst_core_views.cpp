// Which picture a reported model gets and which slots it shows, the slot geometry of the
// pictures for a window height (each product truncated on its own), and where the model
// dialog sits.
#include <QtTest>

#include "views/model_catalogue.h"
#include "views/slot_geometry.h"
#include "views/window_geometry.h"

using namespace geometry;
using models::LayoutId;

Q_DECLARE_METATYPE(LayoutId)

namespace
{
PictureGeometry layoutOf(int keys, int knobs, int variant, int pid, int H = 1000)
{
    return pictureGeometry(models::layoutFor(quint8(keys), quint8(knobs), quint8(variant), quint16(pid)), H);
}

QRect at(const PictureGeometry &g, int slot)
{
    const SlotPlacement *p = g.find(slot);
    return p ? p->button : QRect(-1, -1, 0, 0);
}
} // namespace

class TestCoreViews : public QObject
{
    Q_OBJECT
  private slots:
    // Keys are slots 1..keys; each knob shows its left, press and right slots (0: no press).
    void modelsShowTheirSlots_data()
    {
        QTest::addColumn<QVector<int>>("model"); // keys, knobs, variant, product id
        QTest::addColumn<LayoutId>("layout");
        QTest::addColumn<int>("keySlots");
        QTest::addColumn<QVector<int>>("knobSlots");
        using V = QVector<int>;
        using L = LayoutId;
        const V k1 = {16, 17, 18}, k2 = {16, 17, 18, 19, 20, 21}, k3 = {16, 17, 18, 19, 20, 21, 22, 23, 24};
        QTest::newRow("15+3") << V{15, 3, 0, 0x8840} << L::Default << 15 << k3;
        QTest::newRow("unlisted 7+1") << V{7, 1, 0, 0x8840} << L::Default << 15 << k3;
        QTest::newRow("0+1") << V{0, 1, 0, 0x8850} << L::L0_1 << 0 << V{16, 17, 18, 19, 0, 21};
        QTest::newRow("0+2 8850") << V{0, 2, 0, 0x8850} << L::L0_2 << 0 << k2;
        QTest::newRow("0+3") << V{0, 3, 0, 0x8840} << L::L0_3 << 0 << k3;
        QTest::newRow("4+1 v0 8850") << V{4, 1, 0, 0x8850} << L::L4_1First << 4 << k1;
        QTest::newRow("4+1 v0 8851") << V{4, 1, 0, 0x8851} << L::L4_1Second << 4 << k1;
        QTest::newRow("4+1 v1") << V{4, 1, 1, 0x8840} << L::L4_1Second << 4 << k1;
        QTest::newRow("4+1 v2") << V{4, 1, 2, 0x8840} << L::Default << 15 << k3;
        QTest::newRow("12+4 v10") << V{12, 4, 10, 0x8842} << L::L12_4 << 12 << (k3 + V{13, 14, 15});
        QTest::newRow("16+3") << V{16, 3, 0, 0x8840} << L::L16_3 << 16
                              << V{17, 18, 19, 20, 21, 22, 23, 24, 25};
        QTest::newRow("21+1") << V{21, 1, 0, 0x8840} << L::L21_1 << 21 << V{24, 23, 22};
    }
    void modelsShowTheirSlots()
    {
        QFETCH(QVector<int>, model);
        QFETCH(LayoutId, layout);
        QFETCH(int, keySlots);
        QFETCH(QVector<int>, knobSlots);
        QCOMPARE(models::layoutFor(quint8(model[0]), quint8(model[1]), quint8(model[2]), quint16(model[3])),
                 layout);
        QVector<int> expected;
        for (int n = 1; n <= keySlots; ++n)
            expected << n;
        for (int s : knobSlots)
            if (s)
                expected << s;
        const SlotRole parts[] = {SlotRole::TurnLeft, SlotRole::Press, SlotRole::TurnRight};
        for (int H : {1006, 777}) {
            const PictureGeometry g = layoutOf(model[0], model[1], model[2], model[3], H);
            QVector<int> shown;
            for (const SlotPlacement &p : g.placements) {
                shown << p.slot;
                const int knob = knobSlots.indexOf(p.slot);
                QCOMPARE(p.role, knob < 0 ? SlotRole::Key : parts[knob % 3]);
                QVERIFY(!p.button.isEmpty() && p.picture.startsWith(":/image/"));
            }
            QCOMPARE(shown, expected); // keys in slot order, then each knob left, press, right
            QVERIFY(!g.uses(26) && !g.uses(27));
        }
    }

    void geometryAtHeight1000AndOthers()
    {
        const PictureGeometry d = layoutOf(15, 3, 0, 0x8840);
        QCOMPARE(QVector<int>({d.S, d.g}), QVector<int>({80, 10}));
        QCOMPARE(at(d, 2), QRect(259, 150, 80, 80)); // 3 rows of 5 at pitch 90 from (169, 150)
        QCOMPARE(at(d, 17), QRect(640, 160, 100, 100));
        QCOMPARE(at(d, 22), QRect(622, 326, 81, 81));
        const PictureGeometry second = layoutOf(4, 1, 1, 0x8840); // key 1 above the middle of 2..4
        QCOMPARE(at(second, 1), QRect(500, 230, 80, 80));
        QCOMPARE(at(second, 4), QRect(605, 335, 80, 80));
        const PictureGeometry eleven = layoutOf(11, 3, 0, 0x8840); // key 7 double width, 9..11 short
        QCOMPARE(at(eleven, 7), QRect(250, 270, 170, 80));
        QCOMPARE(at(eleven, 11), QRect(430, 360, 80, 60));
        const PictureGeometry t = layoutOf(21, 1, 0, 0x8840); // the knob numbered right to left
        QCOMPARE(at(t, 9), QRect(732, 196, 70, 70));
        QCOMPARE(at(t, 24), QRect(173, 76, 63, 63));
        QCOMPARE(t.find(22)->label, QRect(339, 74, 63, 63));
        const PictureGeometry half = layoutOf(0, 2, 0, 0x8842);
        QCOMPARE(at(half, 19), QRect(405, 295, 75, 75));
        QCOMPARE(half.find(19)->picture, QStringLiteral(":/image/KN_LEFT114x97_2.png"));

        // other heights
        const PictureGeometry g = layoutOf(15, 3, 0, 0x8840, 1006);
        QCOMPARE(at(g, 1).topLeft(), QPoint(170, 150));
        QCOMPARE(at(g, 23), QRect(709, 271, 136, 136));
        QCOMPARE(g.body, QRect(130, 100, 824, 352));
        const PictureGeometry s = layoutOf(15, 3, 0, 0x8840, 500);
        QCOMPARE(at(s, 15), QRect(264, 165, 40, 40));
        QCOMPARE(modelDialogRect(1921, 1007), QRect(192, 251, 1517, 604));
        QCOMPARE(dialogChoiceRect(4, 1921, 1007).x(), 90); // 0.047 * 1921 = 90.287
        QVERIFY(dialogChoiceRect(7, 1600, 1000).isNull());
    }

    void styles()
    {
        const QString plain = plainSlotStyle(); // its text is checked on the window
        const PictureGeometry d = layoutOf(15, 3, 0, 0x8840);
        QCOMPARE(d.find(3)->style, ButtonStyle::Plain);
        QCOMPARE(d.find(23)->buttonStyle, QString(plain).replace("10px", "68px"));
        QCOMPARE(d.find(16)->style, ButtonStyle::Keep);
        const PictureGeometry t = layoutOf(12, 4, 0, 0x8840); // the fourth knob turns with plain buttons
        QCOMPARE(QVector<ButtonStyle>({t.find(13)->style, t.find(14)->style, t.find(22)->style}),
                 QVector<ButtonStyle>({ButtonStyle::Plain, ButtonStyle::KnobPress, ButtonStyle::Keep}));
        QCOMPARE(layoutOf(0, 3, 0, 0x8840).find(23)->labelStyle, QStringLiteral("border-radius:62px;}"));
        QVERIFY(layoutOf(0, 3, 0, 0x8840).find(20)->labelStyle.isEmpty());
    }
};

QTEST_APPLESS_MAIN(TestCoreViews)
#include "tst_core_views.moc"
