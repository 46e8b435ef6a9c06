// The main window as constructed: form, watched buttons, hidden parts, vocabulary,
// the language switch and the tab bar.
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTranslator>
#include <QWindow>
#include <QtTest>

#include "app/dialog1.h"
#include "app/tab_style.h"
#include "app/widget.h"
#include "device/keypad_link.h"
#include "device/store.h"
#include "views/window_geometry.h"

namespace
{
// The window with a record of every object its event filter was asked about.
class SpyWidget : public Widget
{
  public:
    QSet<QObject *> filtered;

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == probeType())
            filtered.insert(watched);
        return Widget::eventFilter(watched, event);
    }

  public:
    static QEvent::Type probeType()
    {
        static const auto type = QEvent::Type(QEvent::registerEventType());
        return type;
    }
};

const char *const kEnglishTitles[] = {"BaseKeys", "Ctrl Shift Alt", "MutiMedia",
                                      "RGB LED",  "Mouse",          "DelaySetting"};
const char *const kChineseTitles[] = {"基础按键", "Ctrl Shift Alt", "多媒体", "RGB页", "鼠标", "延时"};
} // namespace

class TestWindowShell : public QObject
{
    Q_OBJECT

    QTranslator startupTranslator;
    SpyWidget *w = nullptr;

    template <typename T> T *child(const QString &name)
    {
        T *c = w->findChild<T *>(name);
        if (!c)
            qFatal("no widget %s", qPrintable(name));
        return c;
    }
    QTabWidget *tabs() { return child<QTabWidget>(QStringLiteral("tabWidget")); }
    QList<QPushButton *> pageButtons(int page) { return tabs()->widget(page)->findChildren<QPushButton *>(); }
    void switchLanguage() { QVERIFY(QMetaObject::invokeMethod(w, "on_change_clicked")); }

    // Every function button of the pages 0, 1, 2 and 4 and every LED mode button
    // shows a catalogue name of the language in force.
    void checkFunctionCaptions(const QString *names)
    {
        QList<QPushButton *> buttons;
        for (int page : {0, 1, 2, 4})
            buttons += pageButtons(page);
        for (int m = 0; m < 6; ++m)
            buttons += child<QPushButton>(QStringLiteral("LED_Mode_%1").arg(m));
        QCOMPARE(buttons.size(), 102 + 53 + 21 + 11 + 6);
        for (QPushButton *b : buttons) {
            const int row = w->Key_Index_Map.value(b->text(), -1);
            QVERIFY2(row >= 0, qPrintable(b->objectName() + " " + b->text()));
            QVERIFY2(names[row] == b->text(), qPrintable(b->objectName() + " " + b->text()));
        }
    }

  private slots:
    void initTestCase()
    {
        // as the entry point does before constructing the window
        QVERIFY(startupTranslator.load(QStringLiteral(":/lanague_cn.qm")));
        QApplication::installTranslator(&startupTranslator);
        QVERIFY(QFile::exists(QStringLiteral(":/lanague_en.qm")));
    }

    void init()
    {
        Store.reset();
        Win_Width = 1920;
        Win_Height = 1006;
        w = new SpyWidget;
    }

    void cleanup()
    {
        delete w;
        w = nullptr;
    }

    void startsInEnglishOnPageZero()
    {
        QCOMPARE(w->Language, 1);
        QCOMPARE(tabs()->count(), 6);
        for (int i = 0; i < 6; ++i)
            QCOMPARE(tabs()->tabText(i), QString::fromUtf8(kEnglishTitles[i]));
        QCOMPARE(tabs()->currentIndex(), 0);
        QCOMPARE(tabs()->tabPosition(), QTabWidget::West);
        QCOMPARE(child<QPushButton>("change")->text(), QStringLiteral("中文"));
        QCOMPARE(child<QPushButton>("download")->text(), QStringLiteral("Save settings"));
        QCOMPARE(child<QPushButton>("Read_Configuration")->text(), QStringLiteral("View settings"));
        QCOMPARE(child<QPushButton>("LAYER_SELE")->text(), QStringLiteral("LAYER:"));
        QCOMPARE(child<QLabel>("label")->text(), QStringLiteral("Delay:"));
        // the switch's translator is gone again; only the empty start-up one is left
        QCOMPARE(QCoreApplication::translate("Widget", "停止"), QStringLiteral("停止"));
    }

    void hiddenAndVisibleParts()
    {
        QVERIFY(w->isVisible());
        QVERIFY(child<QPushButton>("change")->isHidden());
        QVERIFY(child<QPushButton>("pushButton_SeleKey")->isHidden());
        QVERIFY(child<QLabel>("KB_6ADD2_QR_CODE")->isHidden());
        for (const char *name : {"LAYER_SELE", "Layer1", "Layer2", "Layer3", "download", "cancel", "cancel_2",
                                 "Read_Configuration", "Dev_Sta_Dsp"})
            QVERIFY2(!child<QWidget>(name)->isHidden(), name);
        QCOMPARE(child<QPushButton>("download")->font().pointSize(), 13);
        QCOMPARE(child<QWidget>("lineEdit")->font().pointSize(), 15);
        QCOMPARE(tabs()->styleSheet(),
                 QStringLiteral("QTabWidget::pane{border:1px solid rgba(108, 117, 125, 65);}"));
    }

    void ownedObjects()
    {
        QVERIFY(w->Poll_Timer && w->Poll_Timer->parent() == w);
        QCOMPARE(w->Poll_Timer->interval(), 100);
        QVERIFY(w->Poll_Timer->isActive());
        QVERIFY(w->Model_Dialog && w->Model_Dialog->parent() == w);
        QVERIFY(w->Model_Dialog->isHidden());
        QVERIFY(w->Keypad_Link && w->Keypad_Link->parent() == w);
        QCOMPARE(w->Key_Slot_Group->buttons().size(), 25);
        for (int n = 1; n <= 27; ++n) {
            auto *b = child<QPushButton>(QStringLiteral("pushButton_K%1").arg(n));
            QCOMPARE(w->Key_Slot_Group->id(b), n <= 25 ? n : -1);
            QCOMPARE(b->isCheckable(), n <= 25);
        }
        QVERIFY(w->Key_Slot_Group->exclusive());
        QCOMPARE(w->Layer_Group->id(child<QPushButton>("Layer3")), 2);
        QVERIFY(child<QPushButton>("Layer1")->isChecked());
        // both base classes answer the meta-object cast
        QCOMPARE(w->qt_metacast("HID_Key_Val"), static_cast<void *>(static_cast<HID_Key_Val *>(w)));
        QCOMPARE(w->qt_metacast("Widget"), static_cast<void *>(w));
        QCOMPARE(w->qt_metacast("QWidget"), static_cast<void *>(static_cast<QWidget *>(w)));
        QCOMPARE(w->qt_metacast("Dialog1"), nullptr);
    }

    void everyFunctionButtonIsWatched()
    {
        const QList<QPushButton *> buttons = tabs()->findChildren<QPushButton *>();
        // keyboard 102, modifiers and symbols 53, media 21, LED 62, mouse 11, delays 18
        QCOMPARE(buttons.size(), 267);
        QCOMPARE(w->Tab_Buttons.size(), 267);
        auto *late = new QPushButton(QStringLiteral("A"), tabs()->widget(0));
        for (QPushButton *b : buttons + QList<QPushButton *>{late}) {
            QEvent probe(SpyWidget::probeType());
            QCoreApplication::sendEvent(b, &probe);
        }
        for (QPushButton *b : buttons)
            QVERIFY2(w->filtered.contains(b), qPrintable(b->objectName()));
        QVERIFY(!w->filtered.contains(late));
        // the top area is not watched
        QEvent probe(SpyWidget::probeType());
        QCoreApplication::sendEvent(child<QPushButton>("pushButton_K1"), &probe);
        QVERIFY(!w->filtered.contains(child<QPushButton>("pushButton_K1")));
    }

    void functionButtonsCarryCatalogueNames()
    {
        checkFunctionCaptions(w->Key_Name_EN);
        QCOMPARE(child<QPushButton>("start_pause")->text(), QStringLiteral("Play/Pause"));
        QCOMPARE(child<QPushButton>("mouse_left")->text(), QStringLiteral("Mouse LeftKey"));
        QCOMPARE(child<QPushButton>("LED_Mode_3")->text(), QStringLiteral("LED Mode3"));
        // full-width symbols keep their form in English
        QCOMPARE(child<QPushButton>("pushButton_ADD")->text(), QStringLiteral("＋"));
        QCOMPARE(child<QPushButton>("spe_h")->text(), QStringLiteral("＆"));
        for (int n = 1; n <= 56; ++n) {
            auto *b = child<QPushButton>(QStringLiteral("LED_color_%1").arg(n));
            QVERIFY(b->text().isEmpty());
            QVERIFY(!w->Key_Code_Map.contains(b->text()));
        }
        for (int n = 1; n <= 18; ++n) {
            QVERIFY(child<QPushButton>(QStringLiteral("pushButton_delay_%1").arg(n))->text().isEmpty());
            auto *spin = child<QSpinBox>(QStringLiteral("delay_spinBox_%1").arg(n));
            QCOMPARE(spin->maximum(), 6000);
        }
    }

    void colourButtonsAndStacking()
    {
        const struct {
            int n;
            const char *rgb;
        } colours[] = {{1, "rgb(255, 0, 0)"},      {7, "rgb(128, 0, 128)"},   {15, "rgb(128, 0, 0)"},
                       {28, "rgb(230, 230, 250)"}, {36, "rgb(255, 69, 0)"},   {43, "rgb(255, 255, 150)"},
                       {53, "rgb(57, 255, 20)"},   {56, "rgb(200, 200, 150)"}};
        for (const auto &c : colours) {
            const QString sheet = child<QPushButton>(QStringLiteral("LED_color_%1").arg(c.n))->styleSheet();
            QVERIFY2(sheet.contains(QLatin1String(c.rgb)), qPrintable(QString::number(c.n)));
            QVERIFY(!sheet.contains(QLatin1String("hover")));
        }
        QVERIFY(child<QPushButton>("LED_Mode_0")->styleSheet().contains(QLatin1String("QPushButton::hover")));
        // later siblings lie above earlier ones: every slot button above its background
        const QObjectList order = w->children();
        for (int n = 1; n <= 27; ++n) {
            const int button = order.indexOf(child<QPushButton>(QStringLiteral("pushButton_K%1").arg(n)));
            const int back = order.indexOf(child<QLabel>(QStringLiteral("pushButton_K%1_BK").arg(n)));
            QVERIFY2(back >= 0 && button > back, qPrintable(QString::number(n)));
        }
        const int panel = order.indexOf(child<QLabel>("ALL_KEY_BK"));
        QVERIFY(panel < order.indexOf(child<QLabel>("pushButton_K12_BK")));
        QVERIFY(order.indexOf(tabs()) < order.indexOf(child<QPushButton>("Dev_Sta_Dsp")));
        QVERIFY(order.indexOf(child<QPushButton>("dowload_kuang")) <
                order.indexOf(child<QPushButton>("download")));
    }

    void keyboardLayout()
    {
        const quint8 mainEnter = w->Key_Code_Map.value(child<QPushButton>("pushButton_Enter")->text());
        const quint8 padEnter = w->Key_Code_Map.value(child<QPushButton>("pushButton_Enter_2")->text());
        QCOMPARE(mainEnter, quint8(0x28));
        QCOMPARE(padEnter, quint8(0x58));
        for (const char *name : {"pushButton_ScrLock", "pushButton_PrtScSysRq", "pushButton_PageUp",
                                 "pushButton_PageDown", "pushButton_Pause", "pushButton_Backspace"})
            QVERIFY2(child<QPushButton>(name)->text().contains('\n'), name);
        QCOMPARE(w->Key_Code_Map.value(child<QPushButton>("pushButton_PrtScSysRq")->text()), quint8(0x46));
        // one row per keyboard line, left to right
        auto *a = child<QPushButton>("pushButton_A");
        auto *m = child<QPushButton>("pushButton_M");
        auto *n = child<QPushButton>("pushButton_N");
        tabs()->setCurrentIndex(0);
        QApplication::processEvents();
        QCOMPARE(a->y(), m->y());
        QVERIFY(a->x() < m->x());
        QVERIFY(n->y() > a->y());
        // the Space bar is stretched three times as wide as Ctrl+
        auto *space = child<QPushButton>("pushButton_Space");
        auto *ctrl = child<QPushButton>("pushButton_Ctrl");
        QVERIFY(space->width() > 2 * ctrl->width());
    }

    void vocabulariesAfterStartUp()
    {
        QCOMPARE(w->Key_Code_Map.value("播放/暂停"), quint8(0xCD));
        QCOMPARE(w->Key_Code_Map.value("Play/Pause"), quint8(0xCD));
        QCOMPARE(w->Key_Code_Map.value("Play/Pause1", 0xFF), quint8(0x00));
        QCOMPARE(w->Key_Index_Map.value("Enter"), 205);
        QCOMPARE(w->Key_Index_Map.value("NULL"), 218);
        QCOMPARE(w->Key_Code_Map.value("Cyan"), quint8(0x50));
        QCOMPARE(w->Led_Color_EN[4], QStringLiteral("Cyan"));
        QCOMPARE(w->Led_Mode_CN[3], QStringLiteral("LED模式3"));
        QCOMPARE(w->Slot_Name_CN[15], QStringLiteral("K1_左"));
        QCOMPARE(w->Slot_Name_EN[15], QStringLiteral("k1_left"));
        QCOMPARE(int(w->Media_End), 81);
        QCOMPARE(int(w->Key_End), 219);
    }

    void languageSwitchesBothWays()
    {
        const QString caps = child<QPushButton>("pushButton_CapsLock")->text();
        switchLanguage();
        QCOMPARE(w->Language, 0);
        for (int i = 0; i < 6; ++i)
            QCOMPARE(tabs()->tabText(i), QString::fromUtf8(kChineseTitles[i]));
        QCOMPARE(child<QPushButton>("change")->text(), QStringLiteral("English"));
        QCOMPARE(child<QPushButton>("download")->text(), QStringLiteral(" 保存配置"));
        QCOMPARE(child<QPushButton>("Dev_Sta_Dsp")->text(), QStringLiteral(" 请连接设备！"));
        QCOMPARE(child<QPushButton>("pushButton_A")->text(), QStringLiteral("A"));
        QCOMPARE(child<QPushButton>("pushButton_F1")->text(), QStringLiteral("F1"));
        QCOMPARE(child<QPushButton>("pushButton_CapsLock")->text(), caps);
        checkFunctionCaptions(w->Key_Name_CN);
        // the maps are never cleared: the English names still resolve
        QCOMPARE(w->Key_Code_Map.value("Mouse Middle"), quint8(0x62));
        QCOMPARE(w->Key_Code_Map.value("鼠标中键"), quint8(0x62));

        switchLanguage();
        QCOMPARE(w->Language, 1);
        for (int i = 0; i < 6; ++i)
            QCOMPARE(tabs()->tabText(i), QString::fromUtf8(kEnglishTitles[i]));
        QCOMPARE(child<QPushButton>("change")->text(), QStringLiteral("中文"));
        checkFunctionCaptions(w->Key_Name_EN);

        // any other value leaves everything as it is
        w->Language = catalogue::Language(2);
        switchLanguage();
        QCOMPARE(w->Language, catalogue::Language(2));
        QCOMPARE(child<QPushButton>("change")->text(), QStringLiteral("中文"));
    }

    void tabsFollowTheWindowSize()
    {
        QCOMPARE(CustomTabStyle::tabSize(1600, 1000), QSize(144, 50));
        QCOMPARE(CustomTabStyle::tabSize(1920, 1006), QSize(172, 50));
        QCOMPARE(CustomTabStyle::tabSize(1000, 719), QSize(90, 35));

        QTabBar *bar = tabs()->tabBar();
        Win_Width = 1600;
        Win_Height = 1000;
        w->refreshTabBarStyle();
        for (int i = 0; i < bar->count(); ++i)
            QCOMPARE(bar->tabRect(i).size(), QSize(144, 50));
        // installing again on every resize does not pile up styles
        Win_Width = 1000;
        Win_Height = 719;
        w->refreshTabBarStyle();
        QCOMPARE(w->findChildren<CustomTabStyle *>(QString(), Qt::FindDirectChildrenOnly).size(), 1);
        // Until the tab widget lays it out again the bar keeps its old height, which expanding
        // tabs would fill; that height comes from the offscreen screen, whose size differs
        // between Qt 5 and Qt 6.
        bar->resize(bar->sizeHint());
        QCOMPARE(bar->tabRect(5).size(), QSize(90, 35));
    }

    void tabsFollowWindowResizes()
    {
        // the platform window is still maximized from construction
        w->windowHandle()->setWindowStates(Qt::WindowNoState);
        QApplication::processEvents();
        w->resize(1600, 1000);
        QApplication::processEvents();
        QCOMPARE(Win_Width, 1600u);
        QCOMPARE(Win_Height, 1000u);
        QTabBar *bar = tabs()->tabBar();
        for (int i = 0; i < bar->count(); ++i)
            QCOMPARE(bar->tabRect(i).size(), QSize(144, 50));
    }
};

QTEST_MAIN(TestWindowShell)
#include "tst_window_shell.moc"
