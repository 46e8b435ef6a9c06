// The device picture on the main window: resize placement, re-layout on a model
// change, slot highlights and the model dialog.
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>

#include "device/store.h"
#include "sim/virtual_keypad.h"
#include "support/keypad_fixture.h"
#include "app/dialog1.h"
#include "views/window_geometry.h"

namespace
{

const QString kPlain =
    QStringLiteral("QPushButton{background-color: rgba(125, 125, 125, 5);border-radius:10px;color:#FFFFFF;}");
const QString kHighlighted =
    QStringLiteral("QPushButton{background-color: rgba(125, 125, 125, 5);border-radius:10px;"
                   "color:#FFFFFF;border:4px solid #e1e100;}");

QString pressStyle(int P)
{
    return QStringLiteral(
               "QPushButton{background-color: rgba(125, 125, 125, 5);border-radius:%1px;color:#FFFFFF;}")
        .arg(P / 2);
}

// More than one pixel in fifty of the window's picture where `button` lies is the light
// blue of a knob's turn arrow: the button lets its picture show through.
bool showsTurnArrow(const QWidget *button)
{
    const QImage shot = button->window()->grab(button->geometry()).toImage();
    int blue = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x) {
            const QColor c = shot.pixelColor(x, y);
            blue += c.blue() - c.red() > 100;
        }
    return blue * 50 > shot.width() * shot.height();
}

QPixmap pixmapOf(const QLabel *l)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return l->pixmap();
#else
    return l->pixmap(Qt::ReturnByValue);
#endif
}

} // namespace

class TestWindowViews : public QObject
{
    Q_OBJECT
    KeypadFixture *f = nullptr;

    QPushButton *slot(int n) const { return f->child<QPushButton>(QStringLiteral("pushButton_K%1").arg(n)); }
    QLabel *label(int n) const { return f->child<QLabel>(QStringLiteral("pushButton_K%1_BK").arg(n)); }
    QRect rectOf(const char *name) const { return f->child<QWidget>(QLatin1String(name))->geometry(); }
    // the slots 1..27 whose button is shown; a shown button always has its label shown
    QVector<int> shownSlots() const
    {
        QVector<int> out;
        for (int n = 1; n <= 27; ++n) {
            if (!slot(n)->isHidden())
                out << n;
            if (slot(n)->isHidden() != label(n)->isHidden())
                qWarning("slot %d: button and label disagree", n);
        }
        return out;
    }
    void layOut(quint8 keys, quint8 knobs, quint8 variant = 0, quint16 pid = 0x8840)
    {
        Store.Layout_Key_Num = keys;
        Store.Layout_Knob_Num = knobs;
        Store.Layout_Variant = variant;
        Store.Cur_PID = pid;
        f->window()->layoutDevicePicture();
    }

  private slots:
    void init() { f = new KeypadFixture; }
    void cleanup()
    {
        delete f;
        f = nullptr;
    }

    void startsWithFifteenKeysAndThreeKnobs()
    {
        const QVector<int> expected = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12,
                                       13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24};
        QCOMPARE(shownSlots(), expected);
        // the pictures come from the embedded resources
        for (int n : {1, 15, 16, 17, 18, 24}) {
            QVERIFY2(!pixmapOf(label(n)).isNull(), qPrintable(QString::number(n)));
        }
        // the knob turn buttons are transparent from the start, with or without a keypad
        for (int n : {16, 18, 22, 24})
            QVERIFY2(showsTurnArrow(slot(n)), qPrintable(QString::number(n)));
        QVERIFY(f->connectKeypad(16, 3, 10));
        for (int n : {17, 19, 23, 25})
            QVERIFY2(showsTurnArrow(slot(n)), qPrintable(QString::number(n)));
        QVERIFY(!QPixmap(QStringLiteral(":/image/KEY21.png")).isNull());
        QVERIFY(!QPixmap(QStringLiteral(":/image/KB_12ADD2")).isNull());
        QCOMPARE(QPixmap(QStringLiteral(":/image/KB_6KEY")).size(),
                 QPixmap(QStringLiteral(":/image/KB_6KEY.png")).size());
    }

    void resizePlacesFixedWidgetsAndRehighlights()
    {
        Store.Select_PHY_Key = 7;
        f->window()->clearSlotHighlights();
        QCOMPARE(slot(7)->styleSheet(), kPlain);

        f->resizeWindow(1600, 1000);
        QCOMPARE(Win_Width, 1600u);
        QCOMPARE(Win_Height, 1000u);

        QCOMPARE(rectOf("LAYER_SELE"), QRect(1080, 40, 72, 35));
        QCOMPARE(rectOf("Layer1"), QRect(1152, 40, 35, 35));
        QCOMPARE(rectOf("Layer2"), QRect(1200, 40, 35, 35));
        QCOMPARE(rectOf("Layer3"), QRect(1248, 40, 35, 35));
        QCOMPARE(rectOf("tabWidget"), QRect(9, 500, 1580, 500));
        QCOMPARE(rectOf("pushButton_SeleKey"), QRect(11, 458, 108, 40));
        QCOMPARE(rectOf("Dev_Sta_Dsp"), QRect(0, 0, 1600, 35));
        QCOMPARE(rectOf("cancel"), QRect(1396, 110, 176, 70));
        QCOMPARE(rectOf("cancel_2"), QRect(1396, 190, 176, 70));
        QCOMPARE(rectOf("Read_Configuration"), QRect(1396, 270, 176, 70));
        QCOMPARE(rectOf("download"), QRect(1396, 350, 176, 70));
        QCOMPARE(rectOf("dowload_kuang"), QRect(1376, 30, 216, 470));

        // the tab bar asked for its sizes anew
        QTabBar *bar = f->child<QTabWidget>(QStringLiteral("tabWidget"))->tabBar();
        QCOMPARE(bar->tabRect(0).size(), QSize(144, 50));

        // the model dialog and its pictures
        Dialog1 *dialog = f->window()->Model_Dialog;
        QCOMPARE(dialog->geometry(), QRect(160, 250, 1264, 600));
        auto *bt9 = dialog->findChild<QPushButton *>(QStringLiteral("BT_9key_3VT"));
        auto *kb9 = dialog->findChild<QLabel *>(QStringLiteral("KB_9key_3VT"));
        QCOMPARE(bt9->geometry(), QRect(896, 310, 400, 250));
        QCOMPARE(kb9->geometry(), QRect(896, 310, 400, 250));
        QVERIFY(!pixmapOf(kb9).isNull());
        QVERIFY(pixmapOf(kb9).width() <= 400 && pixmapOf(kb9).height() <= 250);
        QVERIFY(pixmapOf(kb9).width() == 400 || pixmapOf(kb9).height() == 250);
        auto *kb12 = dialog->findChild<QLabel *>(QStringLiteral("KB_12key_2VT"));
        QVERIFY(!pixmapOf(kb12).isNull()); // loaded without its suffix

        // the picture at H = 1000
        QCOMPARE(rectOf("ALL_KEY_BK"), QRect(130, 100, 820, 350));
        QCOMPARE(rectOf("lineEdit"), QRect(1000, 100, 150, 350));
        QCOMPARE(slot(1)->geometry(), QRect(169, 150, 80, 80));
        QCOMPARE(label(1)->geometry(), QRect(169, 150, 80, 80));
        QCOMPARE(pixmapOf(label(1)).size(), QSize(80, 80));
        QCOMPARE(slot(23)->geometry(), QRect(705, 270, 136, 136));
        QCOMPARE(slot(24)->geometry(), QRect(843, 326, 81, 81));
        QCOMPARE(label(24)->geometry(), QRect(843, 321, 81, 81));

        // the selected slot is highlighted again, the others plain: the highlight
        // runs after the layout, so the knob press buttons lose their round style too
        QCOMPARE(slot(7)->styleSheet(), kHighlighted);
        for (int n : {1, 6, 8, 15, 16, 23})
            QCOMPARE(slot(n)->styleSheet(), kPlain);

        // without a selection the layout's styles stay
        Store.Select_PHY_Key = 0;
        f->resizeWindow(1600, 1001);
        QCOMPARE(slot(23)->styleSheet(), pressStyle(int(1.7 * 80)));
        QCOMPARE(slot(17)->styleSheet(), pressStyle(100));
        QCOMPARE(slot(7)->styleSheet(), kPlain);
        Store.Select_PHY_Key = 7;

        // a smaller window scales the picture with the height
        f->resizeWindow(1200, 750);
        QCOMPARE(slot(1)->geometry(), QRect(126, 112, 60, 60));
        QCOMPARE(rectOf("Dev_Sta_Dsp"), QRect(0, 0, 1200, 26));
        QCOMPARE(slot(7)->styleSheet(), kHighlighted);
    }

    void relayoutShowsOnlyTheModelsSlots()
    {
        Widget *w = f->window();
        slot(1)->setText(QStringLiteral("Ctrl+A"));

        layOut(16, 3);
        QVector<int> expected;
        for (int n = 1; n <= 25; ++n)
            expected << n;
        QCOMPARE(shownSlots(), expected);
        QCOMPARE(slot(16)->size(), slot(1)->size()); // a key
        QCOMPARE(pixmapOf(label(16)).size(), slot(16)->size());

        layOut(12, 4);
        QCOMPARE(shownSlots(), expected.mid(0, 24)); // 1..24
        QCOMPARE(slot(13)->styleSheet(), kPlain);
        QVERIFY(slot(14)->styleSheet().contains(QStringLiteral("border-radius:")));
        QVERIFY(slot(14)->width() > slot(13)->width()); // press larger than its turns

        layOut(21, 1);
        expected = {};
        for (int n = 1; n <= 24; ++n)
            expected << n;
        QCOMPARE(shownSlots(), expected);
        QVERIFY(slot(24)->x() < slot(23)->x() && slot(23)->x() < slot(22)->x()); // right to left

        layOut(0, 2, 0, 0x8850);
        QCOMPARE(shownSlots(), (QVector<int>{16, 17, 18, 19, 20, 21}));
        layOut(0, 2, 0, 0x8842);
        QCOMPARE(shownSlots(), (QVector<int>{16, 17, 18, 19, 21}));

        layOut(4, 1, 2);
        QCOMPARE(shownSlots().size(), 24); // the default picture

        // running it again changes nothing; the slot texts are never touched
        layOut(6, 2);
        const QRect k5 = slot(5)->geometry(), k20 = slot(20)->geometry();
        const QVector<int> shown = shownSlots();
        w->layoutDevicePicture();
        QCOMPARE(slot(5)->geometry(), k5);
        QCOMPARE(slot(20)->geometry(), k20);
        QCOMPARE(shownSlots(), shown);
        QCOMPARE(slot(1)->text(), QStringLiteral("Ctrl+A"));
        QVERIFY(slot(26)->isHidden() && slot(27)->isHidden());
    }

    void highlightRules()
    {
        Widget *w = f->window();
        w->highlightSlot(5);
        QCOMPARE(slot(5)->styleSheet(), kHighlighted);
        w->highlightSlot(17);
        QCOMPARE(slot(17)->styleSheet(), kHighlighted);
        QCOMPARE(slot(5)->styleSheet(), kPlain);
        // knob press buttons lose their round style until the next layout
        QCOMPARE(slot(23)->styleSheet(), kPlain);

        w->highlightSlot(0);
        w->highlightSlot(26);
        QCOMPARE(slot(17)->styleSheet(), kHighlighted);

        Store.Select_PHY_Key_Mode = 8; // LED page
        w->highlightSlot(6);
        QCOMPARE(slot(6)->styleSheet(), kPlain);
        QCOMPARE(slot(17)->styleSheet(), kHighlighted);
        w->highlightSlot(0xFF);
        QCOMPARE(slot(17)->styleSheet(), kPlain);
        Store.Select_PHY_Key_Mode = 1;

        Store.Select_PHY_Key = 9;
        w->rehighlightSelectedSlot();
        QCOMPARE(slot(9)->styleSheet(), kHighlighted);

        w->layoutDevicePicture();
        QVERIFY(slot(23)->styleSheet().contains(QStringLiteral("border-radius:")));
        QVERIFY(slot(23)->styleSheet() != kPlain);
    }

    void dialogChoiceChangesOnlyTheDeviceModel()
    {
        Dialog1 *dialog = f->window()->Model_Dialog;
        QVERIFY(dialog->windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(dialog->isHidden());
        dialog->show();
        Store.Dev_Variant = 1;
        const QRect k7 = slot(7)->geometry();

        struct Choice {
            const char *button;
            int keys, knobs;
        };
        const Choice choices[] = {{"BT_12key_2VT", 12, 2}, {"BT_5key_Mute", 5, 0}, {"BT_3key_1VT_Mute", 3, 1},
                                  {"BT_6key_2VT", 6, 2},   {"BT_6key_0VT", 6, 0},  {"BT_9key_3VT", 9, 3}};
        for (const Choice &c : choices) {
            // a click in the middle of the picture (KB_...) lands on its button (BT_...)
            auto *button = dialog->findChild<QPushButton *>(QLatin1String(c.button));
            const QString picture = QStringLiteral("KB_") + QLatin1String(c.button + 3);
            QCOMPARE(dialog->childAt(dialog->findChild<QLabel *>(picture)->geometry().center()), button);
            f->click(button);
            QCOMPARE(int(Store.Dev_Key_Num), c.keys);
            QCOMPARE(int(Store.Dev_Knob_Num), c.knobs);
        }
        QCOMPARE(int(Store.Dev_Variant), 1);
        QCOMPARE(int(Store.Layout_Key_Num), 15);
        QCOMPARE(int(Store.Layout_Knob_Num), 3);
        QCOMPARE(slot(7)->geometry(), k7);
        QVERIFY(!slot(24)->isHidden());
        QVERIFY(dialog->isVisible());

        // an id outside 1..6 leaves the choice alone but is logged
        LogCapture log;
        QMetaObject::invokeMethod(dialog, "on_changeButtonGroup", Qt::DirectConnection, Q_ARG(int, 7));
        QCOMPARE(int(Store.Dev_Key_Num), 9);
        QVERIFY(log.contains(QStringLiteral("Select_PHY_Key value is  7 ")));
    }

    // While a keypad is connected, the poll step applies the dialog's choice.
    void dialogChoiceTakesEffectAtTheNextPoll()
    {
        sim::setModelAnswer(false);
        QVERIFY(f->connectKeypad(15, 3, 0));
        Dialog1 *dialog = f->window()->Model_Dialog;
        QVERIFY(dialog->isVisible());

        f->click(dialog->findChild<QPushButton *>(QStringLiteral("BT_6key_2VT")));
        QVERIFY(!slot(12)->isHidden()); // not yet
        f->poll();
        QCOMPARE(int(Store.Layout_Key_Num), 6);
        QCOMPARE(int(Store.Layout_Knob_Num), 2);
        QCOMPARE(shownSlots(), (QVector<int>{1, 2, 3, 4, 5, 6, 16, 17, 18, 19, 20, 21}));
        QVERIFY(dialog->isHidden());
    }
};

QTEST_MAIN(TestWindowViews)
#include "tst_window_views.moc"
