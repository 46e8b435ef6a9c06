// Which picture a reported model gets, and what the model dialog's choices stand for.
#include <QtTest>

#include "views/model_catalogue.h"
#include "views/window_geometry.h"

using models::LayoutId;

Q_DECLARE_METATYPE(LayoutId)

class TestModels : public QObject
{
    Q_OBJECT
  private slots:
    void dispatch_data();
    void dispatch();
    void dialogChoices();
    void dialogPlacement();
};

void TestModels::dispatch_data()
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

void TestModels::dispatch()
{
    QFETCH(int, keys);
    QFETCH(int, knobs);
    QFETCH(int, variant);
    QFETCH(int, pid);
    QFETCH(LayoutId, layout);
    QCOMPARE(models::layoutFor(quint8(keys), quint8(knobs), quint8(variant), quint16(pid)), layout);
}

void TestModels::dialogChoices()
{
    struct Expected {
        int id;
        const char *button, *label, *picture;
        int keys, knobs;
    };
    const Expected expected[] = {
        {1, "BT_12key_2VT", "KB_12key_2VT", ":/image/KB_12ADD2", 12, 2},
        {2, "BT_5key_Mute", "KB_5key_Mute", ":/image/KB_5KEY_MUTE", 5, 0},
        {3, "BT_3key_1VT_Mute", "KB_3key_1VT_Mute", ":/image/KB_3ADD1", 3, 1},
        {4, "BT_6key_2VT", "KB_6key_2VT", ":/image/KB_6ADD2", 6, 2},
        {5, "BT_6key_0VT", "KB_6key_0VT", ":/image/KB_6KEY", 6, 0},
        {6, "BT_9key_3VT", "KB_9key_3VT", ":/image/KB_9ADD3.png", 9, 3},
    };
    for (const Expected &e : expected) {
        const models::DialogChoice *c = models::dialogChoice(e.id);
        QVERIFY2(c, qPrintable(QString::number(e.id)));
        QCOMPARE(QString(c->button), QString(e.button));
        QCOMPARE(QString(c->label), QString(e.label));
        QCOMPARE(QString(c->picture), QString(e.picture));
        QCOMPARE(int(c->keys), e.keys);
        QCOMPARE(int(c->knobs), e.knobs);
    }
    for (int id : {0, 7, -1, 255})
        QVERIFY(!models::dialogChoice(id));
}

void TestModels::dialogPlacement()
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

QTEST_APPLESS_MAIN(TestModels)
#include "tst_core_models.moc"
