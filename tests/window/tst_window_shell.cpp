// The main window as constructed and as drawn: the language switch over every caption, the
// device picture a model gets, where a resize puts the widgets and pictures (scaled as a fresh
// layout would, for every size), the slot highlight, the tab bar and the model dialog.
#include <QLabel>
#include <QTabBar>
#include <QTabWidget>
#include <QTranslator>
#include <QtTest>

#include "app/dialog1.h"
#include "device/store.h"
#include "support/keypad_fixture.h"
#include "views/window_geometry.h"

namespace
{
const QString kPlain =
    QStringLiteral("QPushButton{background-color: rgba(125, 125, 125, 5);border-radius:10px;color:#FFFFFF;}");
const QString kHighlighted = QString(kPlain).insert(kPlain.size() - 1, "border:4px solid #e1e100;");

// More than one pixel in fifty where `button` lies is the light blue of a knob's turn arrow:
// the button lets its picture show through.
bool showsTurnArrow(const QWidget *button)
{
    const QImage shot = button->window()->grab(button->geometry()).toImage();
    int blue = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            blue += shot.pixelColor(x, y).blue() - shot.pixelColor(x, y).red() > 100;
    return blue * 50 > shot.width() * shot.height();
}

QImage shown(const QLabel *l)
{
    return l->pixmap(Qt::ReturnByValue).toImage();
}

QImage fresh(const char *path, int side)
{
    return QPixmap(path).scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation).toImage();
}
} // namespace

class TestWindowShell : public QObject
{
    Q_OBJECT

    QTranslator startupTranslator;
    KeypadFixture *f = nullptr;

    QPushButton *slot(int n) const { return f->child<QPushButton>(QStringLiteral("pushButton_K%1").arg(n)); }
    QLabel *label(int n) const { return f->child<QLabel>(QStringLiteral("pushButton_K%1_BK").arg(n)); }
    QVector<int> shownSlots() const
    {
        QVector<int> out;
        for (int n = 1; n <= 27; ++n)
            if (!slot(n)->isHidden() && !label(n)->isHidden())
                out << n;
        return out;
    }

  private slots:
    void initTestCase()
    {
        // as the entry point does before constructing the window
        QVERIFY(startupTranslator.load(":/lanague_cn.qm"));
        QApplication::installTranslator(&startupTranslator);
    }
    void init() { f = new KeypadFixture; }
    void cleanup() { delete f; }

    // Every caption of the function pages and the LED modes is a catalogue name of the language
    // in force; the tab titles and texts follow; another value of Language changes nothing.
    void languageSwitchesEveryCaption()
    {
        const char *const titles[2][6] = {
            {"基础按键", "Ctrl Shift Alt", "多媒体", "RGB页", "鼠标", "延时"},
            {"BaseKeys", "Ctrl Shift Alt", "MutiMedia", "RGB LED", "Mouse", "DelaySetting"}};
        Widget *w = f->window();
        auto *tabs = f->child<QTabWidget>("tabWidget");
        for (int language : {1, 0, 1}) {
            QCOMPARE(w->Language, language);
            QList<QPushButton *> buttons;
            for (int page : {0, 1, 2, 4})
                buttons += tabs->widget(page)->findChildren<QPushButton *>();
            for (int m = 0; m < 6; ++m)
                buttons += f->child<QPushButton>(QStringLiteral("LED_Mode_%1").arg(m));
            QCOMPARE(buttons.size(), 193);
            for (QPushButton *b : buttons) {
                const int row = w->Key_Index_Map.value(b->text(), -1);
                QVERIFY2(row >= 0 && (language ? w->Key_Name_EN : w->Key_Name_CN)[row] == b->text(),
                         qPrintable(b->objectName() + " " + b->text()));
            }
            for (int i = 0; i < 6; ++i)
                QCOMPARE(tabs->tabText(i), QString::fromUtf8(titles[language][i]));
            QCOMPARE(f->text("download"), language ? "Save settings" : " 保存配置");
            QVERIFY(QMetaObject::invokeMethod(w, "on_change_clicked"));
        }
        w->Language = catalogue::Language(2);
        QVERIFY(QMetaObject::invokeMethod(w, "on_change_clicked"));
        QCOMPARE(w->Language, catalogue::Language(2));
        QCOMPARE(f->text("change"), QStringLiteral("English"));
    }

    void pictureFollowsTheModel()
    {
        QCOMPARE(shownSlots().size(), 24); // 15 keys, 3 knobs
        for (int n : {16, 18, 22, 24})     // the turn buttons are transparent, with or without a keypad
            QVERIFY2(showsTurnArrow(slot(n)), qPrintable(QString::number(n)));
        QVERIFY(f->connectKeypad(16, 3, 10));
        for (int n : {17, 19, 23, 25})
            QVERIFY2(showsTurnArrow(slot(n)), qPrintable(QString::number(n)));
        QCOMPARE(shown(label(16)).size(), slot(1)->size()); // a key
        f->unplugKeypad();
        QVERIFY(f->connectKeypad(0, 2, 0));
        slot(16)->setText("Ctrl+A"); // laying out again changes nothing, captions included
        (*f)->layoutDevicePicture();
        QCOMPARE(shownSlots(), (QVector<int>{16, 17, 18, 19, 21})); // 1189:8840: knob 2 has no press
        QCOMPARE(slot(16)->text(), QStringLiteral("Ctrl+A"));
    }

    void resizePlacesEverything()
    {
        f->click("pushButton_K7");
        f->resizeWindow(1600, 1000);
        QCOMPARE(QSize(int(Win_Width), int(Win_Height)), QSize(1600, 1000));
        QCOMPARE(f->child("tabWidget")->geometry(), QRect(9, 500, 1580, 500));
        QCOMPARE(f->child("download")->geometry(), QRect(1396, 350, 176, 70));
        QCOMPARE(label(24)->geometry(), QRect(843, 321, 81, 81));
        QCOMPARE(slot(24)->geometry(), QRect(843, 326, 81, 81));
        QCOMPARE((*f)->Model_Dialog->geometry(), QRect(160, 250, 1264, 600));
        // the selection is highlighted again after the layout; the knob presses lose their round style
        QCOMPARE(slot(7)->styleSheet() + slot(23)->styleSheet(), kHighlighted + kPlain);

        // pictures scaled for every size, more sizes than are kept and one again (key side
        // 0.08 H; knob presses at 1.25 S and 1.7 S); the tabs 0.09 W by 0.05 H
        QTabBar *bar = f->child<QTabWidget>("tabWidget")->tabBar();
        for (int H : {900, 1000, 1100, 1000, 1200}) {
            f->resizeWindow(1600, H);
            const int S = int(0.08 * H);
            QCOMPARE(shown(label(1)), fresh(":/image/KEY1.png", S));
            QCOMPARE(shown(label(17)), fresh(":/image/KN_IN150x150.png", int(1.25 * S)));
            QCOMPARE(shown(label(23)), fresh(":/image/KN_IN150x150.png", int(1.7 * S)));
            QCOMPARE(bar->tabRect(5).size(), QSize(144, int(0.05 * H)));
        }
        f->resizeWindow(1200, 750);
        QCOMPARE(slot(1)->geometry(), QRect(126, 112, 60, 60));
        QCOMPARE(slot(7)->styleSheet(), kHighlighted);

        // the tab in front is drawn as a framed block 6 px inside its tab (a 1 px frame around
        // the rectangle, so one column further on the right)
        const QImage shot = bar->grab().toImage();
        for (int i : {0, 1}) {
            const QRect r = bar->tabRect(i);
            const int y = r.top() + r.height() / 4;
            QCOMPARE(shot.pixelColor(r.left() + 6, y) == QColor(0x89, 0xCF, 0xFF), i == 0);
            QCOMPARE(shot.pixelColor(r.left() + 8, y) == QColor(0x17, 0x75, 0xD8), i == 0);
            QCOMPARE(shot.pixelColor(r.right() - 5, y) == QColor(0x89, 0xCF, 0xFF), i == 0);
            QVERIFY(shot.pixelColor(r.left() + 5, y) != QColor(0x89, 0xCF, 0xFF));
            QVERIFY(shot.pixelColor(r.right() - 4, y) != QColor(0x89, 0xCF, 0xFF));
        }
    }

    void highlightFollowsTheSelection()
    {
        f->click("pushButton_K5");
        f->click("pushButton_K17");
        QCOMPARE(slot(17)->styleSheet() + slot(5)->styleSheet(), kHighlighted + kPlain);
        (*f)->highlightSlot(26); // no slot of the picture: the highlight stays
        QCOMPARE(slot(17)->styleSheet(), kHighlighted);
        f->clickTab(3); // the standard LED page selects and highlights no slot
        f->click("pushButton_K6");
        QCOMPARE(slot(17)->styleSheet() + slot(6)->styleSheet(), kPlain + kPlain);
        (*f)->layoutDevicePicture(); // knob presses get their round style back
        QVERIFY(slot(23)->styleSheet().contains("border-radius:") && slot(23)->styleSheet() != kPlain);
    }

    // A click in the middle of a picture lands on its choice button, which sets the device's
    // model only; the picture changes at the next poll step (see the device tests).
    void dialogChoices()
    {
        Dialog1 *dialog = (*f)->Model_Dialog;
        QVERIFY(dialog->windowFlags() & Qt::FramelessWindowHint);
        dialog->show();
        const QPair<const char *, QVector<int>> choices[] = {{"12key_2VT", {12, 2}},    {"5key_Mute", {5, 0}},
                                                             {"3key_1VT_Mute", {3, 1}}, {"6key_2VT", {6, 2}},
                                                             {"6key_0VT", {6, 0}},      {"9key_3VT", {9, 3}}};
        for (const auto &c : choices) {
            f->click(dialog->findChild<QPushButton *>(QStringLiteral("BT_") + c.first));
            QCOMPARE(QVector<int>({Store.Dev_Key_Num, Store.Dev_Knob_Num}), c.second);
        }
        QCOMPARE(QVector<int>({Store.Layout_Key_Num, Store.Layout_Knob_Num}), QVector<int>({15, 3}));
    }
};

QTEST_MAIN(TestWindowShell)
#include "tst_window_shell.moc"
