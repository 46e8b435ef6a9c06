// Edits are never lost silently: the unsaved marker, the confirmations, undo and redo, keyboard
// use, the window menu with layout files and the start language, through the real window on
// the virtual keypad.
#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QUndoStack>
#include <QtTest>

#include <cstdio>

#include "app/start_language.h"
#include "device/keypad_link.h"
#include "device/store.h"
#include "device/store_exchange.h"
#include "sim/virtual_keypad.h"
#include "support/keypad_fixture.h"

using namespace zd_test;

namespace
{

// Answers every message box that opens while it exists with `button`, keeping its texts.
struct BoxAnswers {
    explicit BoxAnswers(QMessageBox::StandardButton button)
    {
        QObject::connect(&timer, &QTimer::timeout, [this, button] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                texts << box->text() + QLatin1Char('\n') + box->informativeText();
                box->button(button)->click();
            }
        });
        timer.start(10);
    }
    QTimer timer;
    QStringList texts;
};

} // namespace

class TestWindowEdits : public QObject
{
    Q_OBJECT
    KeypadFixture *f = nullptr;

    QPushButton *function(const QString &caption) const
    {
        for (QPushButton *b : (*f)->Tab_Buttons)
            if (b->text() == caption)
                return b;
        qFatal("no function button %s", qPrintable(caption));
    }
    // Selects the slot, brings the function's page to the front and clicks the function.
    void assign(int slot, const QString &caption)
    {
        f->click(QStringLiteral("pushButton_K%1").arg(slot));
        QPushButton *b = function(caption);
        auto *tabs = f->child<QTabWidget>("tabWidget");
        for (int page = 0; page < tabs->count(); ++page)
            if (tabs->widget(page)->isAncestorOf(b) && tabs->currentIndex() != page)
                f->clickTab(page);
        f->click(b);
    }
    // Key clicks where the focus is. The offscreen platform does not give the window its
    // activation back when a message box closes, which a shortcut needs.
    void keys(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier, int times = 1)
    {
        (*f)->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f->window()));
        for (int i = 0; i < times; ++i) {
            QWidget *focus = QApplication::focusWidget();
            QTest::keyClick(focus ? focus : f->window(), key, modifiers);
        }
        f->waitIdle();
    }
    // The standard records without the slot and layer bytes of their headers (which selecting
    // a slot stamps), the layer in front and the captions of the picture.
    QByteArray state() const
    {
        QByteArray all = QByteArray::number(Store.Select_PHY_Key_Layer);
        for (const auto &layer : Store.PHY_KEY_Value)
            for (const auto &record : layer)
                all += recordBytes(record).mid(3);
        for (int n = 1; n <= 25; ++n)
            all += f->slotText(n).toUtf8() + '|';
        return all;
    }

  private slots:
    void init()
    {
        f = new KeypadFixture;
        QVERIFY(f->connectKeypad(15, 3, 0));
    }
    void cleanup() { delete f; }

    void unsavedChangesAreMarkedAndConfirmed()
    {
        QVERIFY(!(*f)->isWindowModified());
        {
            BoxAnswers none(QMessageBox::Cancel);
            f->click("Read_Configuration"); // nothing unsaved: read without asking
            QVERIFY(none.texts.isEmpty());
        }
        sim::clearLogs();
        assign(1, "A");
        assign(2, "B");
        QVERIFY((*f)->isWindowModified());
        QCOMPARE(f->child<QWidget>("download")->toolTip(),
                 QStringLiteral("2 changes waiting to be saved to the keypad"));
        {
            BoxAnswers cancel(QMessageBox::Cancel);
            f->click("Read_Configuration");
            QCOMPARE(cancel.texts.size(), 1);
            QVERIFY(cancel.texts[0].contains("Replace the changes") && cancel.texts[0].contains("2 changes"));
            QVERIFY(!(*f)->close());
        }
        QVERIFY(sim::received().isEmpty() && f->slotText(1) == "A"); // the keypad was not read
        {
            BoxAnswers discard(QMessageBox::Discard);
            QVERIFY((*f)->close());
        }
        (*f)->show();
        f->click("download");
        QVERIFY(!(*f)->isWindowModified());
        QCOMPARE(sim::storedRecord(0, 2, false).at(11), char(0x05)); // the usage of B
        assign(3, "C");
        // Save to keypad: refused while the link is busy; the window closes once the keypad has every change
        BoxAnswers save(QMessageBox::Save);
        QVERIFY((*f)->Keypad_Link->save(device::saveJob(Store)));
        QVERIFY(!(*f)->close() && f->statusText().startsWith("The keypad is busy"));
        assign(3, "C"); // once that Save is done
        QVERIFY(!(*f)->close());
        QTRY_VERIFY(!(*f)->isVisible());
        QCOMPARE(sim::storedRecord(0, 3, false).at(11), char(0x06));
    }

    // Two keypads: the menu lists both once several are attached; switching asks first about the
    // unsaved edit, lays out the other keypad's picture, and a Save then reaches that keypad alone.
    void keypadMenuSwitchesAfterAsking()
    {
        const int second = sim::addKeypad();
        sim::setModel(6, 2, 0);
        sim::setSerial(QStringLiteral("ZD-0002"));
        sim::plug();
        assign(1, "A");
        emit(*f)->Window_Menu->aboutToShow();
        QVERIFY((*f)->Keypad_Menu_Action->isVisible());
        const QList<QAction *> listed = f->child<QMenu>("Keypad_Menu")->actions();
        QVERIFY(listed.size() == 2 && listed[0]->isChecked() && listed[1]->text().contains("ZD-0002"));
        for (auto answer : {QMessageBox::Cancel, QMessageBox::Discard}) {
            BoxAnswers box(answer);
            listed[1]->trigger();
            QCOMPARE(box.texts.size(), 1);
        }
        f->poll(4);
        QVERIFY(!(*f)->isWindowModified());
        QVERIFY(f->child("pushButton_K6")->isVisible() && !f->child("pushButton_K7")->isVisible()); // 6 keys
        sim::select(0);
        sim::clearLogs();
        assign(2, "B");
        f->click("download");
        QVERIFY(sim::received().isEmpty());
        sim::select(second);
        QCOMPARE(sim::storedRecord(0, 2, false).at(11), char(0x05));
        BoxAnswers none(QMessageBox::Cancel); // nothing unsaved: back to the first without asking
        emit(*f)->Window_Menu->aboutToShow();
        f->child<QMenu>("Keypad_Menu")->actions()[0]->trigger();
        QVERIFY(none.texts.isEmpty() && (f->poll(4), f->child("pushButton_K7")->isVisible()));
    }

    void elevenUndosAndRedos()
    {
        const QByteArray before = state();
        assign(1, "A");
        assign(1, "B");
        f->click("cancel"); // Clear
        assign(2, "Ctrl+");
        assign(2, "Z"); // a combination
        f->click("Layer2");
        assign(4, "1");
        f->clickTab(5);
        f->click("pushButton_K4");
        f->child<QSpinBox>("spinBox")->setFocus();
        keys(Qt::Key_Up, Qt::NoModifier, 3); // three values typed into the delay box: one step
        f->click("pushButton_K5");
        f->child<QSpinBox>("spinBox")->setFocus();
        keys(Qt::Key_Up, Qt::NoModifier); // another slot's delay right after: a step of its own
        f->clickTab(0);
        assign(5, "F1");
        f->click("cancel_2"); // Clear All of layer 2
        assign(6, "Tab");
        f->click("download"); // saved: what is undone now must reach the keypad again
        QCOMPARE((*f)->Undo_Stack->count(), 11);
        const QByteArray after = state();

        keys(Qt::Key_Z, Qt::ControlModifier, 11);
        QCOMPARE(state(), before);
        // the records whose saved bytes differ from these are flagged again: K2 of layer 1, K4 and K6 of
        // layer 2
        QCOMPARE(f->child<QWidget>("download")->toolTip(),
                 QStringLiteral("3 changes waiting to be saved to the keypad"));
        keys(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, 6);
        keys(Qt::Key_Y, Qt::ControlModifier, 5);
        QCOMPARE(state(), after);
        QVERIFY(!(*f)->isWindowModified());
        QMetaObject::invokeMethod(f->window(), "SendLayer",
                                  Q_ARG(int, 3)); // no such layer: the captions stay
        QCOMPARE(state().mid(1), after.mid(1));
    }

    void everythingWithTheKeyboardAlone()
    {
        QVector<QWidget *> slotButtons;
        for (int n = 1; n <= 24; ++n) // the 15 keys and 3 knobs
            slotButtons << f->child<QWidget>(QStringLiteral("pushButton_K%1").arg(n));
        slotButtons[0]->setFocus();
        for (int i = 1; i < slotButtons.size(); ++i) {
            keys(Qt::Key_Tab, Qt::NoModifier);
            QCOMPARE(QApplication::focusWidget(), slotButtons[i]);
        }
        keys(Qt::Key_Tab, Qt::NoModifier);
        QCOMPARE(QApplication::focusWidget(), f->child<QTabWidget>("tabWidget")->tabBar());
        auto *info = f->child<QTextEdit>("lineEdit");
        QVERIFY(info->isReadOnly() && !(info->focusPolicy() & Qt::TabFocus));

        QTest::keyPress(slotButtons[1], Qt::Key_Space); // the press alone selects nothing, the release does
        QVERIFY(!Store.Select_PHY_Key &&
                (QTest::keyRelease(slotButtons[1], Qt::Key_Space), Store.Select_PHY_Key == 2));
        // Space or Enter on a focused function button writes what a click writes
        int compared = 0;
        for (int page : {0, 1, 2, 4}) {
            f->clickTab(page);
            for (QPushButton *b : (*f)->Tab_Buttons) {
                if (!b->isVisible())
                    continue;
                slotButtons[0]->setFocus();
                keys(Qt::Key_Space, Qt::NoModifier); // selects K1
                f->click("cancel");
                b->setFocus();
                keys(compared % 2 ? Qt::Key_Space : Qt::Key_Return, Qt::NoModifier);
                f->click("pushButton_K2");
                f->click("cancel");
                f->click(b);
                QCOMPARE(recordBytes(Store.PHY_KEY_Value[0][1]).mid(3),
                         recordBytes(Store.PHY_KEY_Value[0][2]).mid(3));
                QCOMPARE(f->slotText(1), f->slotText(2));
                ++compared;
            }
        }
        QVERIFY(compared > 150);
    }

    void layoutFilesFromTheWindowMenu()
    {
        auto *menu = f->child<QToolButton>("Window_Menu_Button");
        for (const QSize s : {QSize(1920, 1006), QSize(1280, 720), QSize(1024, 768), QSize(1600, 1200)}) {
            f->resizeWindow(s.width(), s.height());
            QVERIFY(menu->isVisible());
            for (QWidget *w : (*f)->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
                QVERIFY2(w == menu || !w->isVisible() || !w->geometry().intersects(menu->geometry()),
                         qPrintable(w->objectName()));
        }
        bool shown = false;
        QTimer::singleShot(100, [&] { shown = (*f)->Window_Menu->isVisible(), (*f)->Window_Menu->close(); });
        f->click(menu);
        QVERIFY(shown);

        QTemporaryDir dir;
        QString file = dir.filePath("layout.json");
        (*f)->Choose_Layout_File = [&](bool) { return file; };
        assign(1, "A");
        assign(2, "B");
        keys(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        keys(Qt::Key_Z, Qt::ControlModifier, 2);
        QVERIFY(!(*f)->isWindowModified() && f->slotText(1) == "NULL");
        keys(Qt::Key_O, Qt::ControlModifier);
        QVERIFY(f->slotText(1) == "A" && f->slotText(2) == "B");
        QVERIFY((*f)->isWindowModified() && f->statusText().contains("layout.json"));
        QCOMPARE((*f)->Undo_Stack->index(), 1); // opening is one step
        f->click("download");
        f->click("Read_Configuration");
        QCOMPARE(sim::storedRecord(0, 1, false).at(11), char(0x04));
        QCOMPARE(sim::storedRecord(0, 2, false).at(11), char(0x05));

        // refused or unreadable: a message, and nothing changes
        QFile in(file);
        QVERIFY(in.open(QIODevice::ReadOnly));
        const QByteArray json = in.readAll();
        const QByteArray bad[] = {QByteArray(json).replace("\"keys\": 15", "\"keys\": 16"),
                                  json.left(json.size() / 2)};
        assign(3, "C");
        for (const QByteArray &text : bad) {
            file = dir.filePath("bad.json");
            QFile out(file);
            QVERIFY(out.open(QIODevice::WriteOnly) && out.write(text) == text.size());
            out.close();
            const QByteArray store = state();
            const int steps = (*f)->Undo_Stack->count();
            BoxAnswers ok(QMessageBox::Ok);
            keys(Qt::Key_O, Qt::ControlModifier);
            QCOMPARE(ok.texts.size(), 1);
            QVERIFY(ok.texts[0].contains(&text == bad ? "16 keys, 3 knobs" : "cannot be opened"));
            QVERIFY(state() == store && (*f)->Undo_Stack->count() == steps);
        }
    }

    // The window's language at start: the desktop's, or --language (a process each).
    void startLanguage()
    {
        const auto run = [](const char *lang, const QStringList &arguments) {
            QProcess p;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            for (const char *v : {"LC_ALL", "LC_MESSAGES", "LANGUAGE"})
                env.remove(v);
            env.insert("LANG", lang);
            env.insert("ZD_START_LANGUAGE_PROBE", "1");
            p.setProcessEnvironment(env);
            p.start(QCoreApplication::applicationFilePath(), arguments);
            p.waitForFinished(30000);
            return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
        };
        QCOMPARE(QStringList({run("zh_CN.UTF-8", {}), run("C", {}), run("zh_CN.UTF-8", {"--language", "en"}),
                              run("C", {"--language=zh"})}),
                 QStringList({"保存配置", "Save settings", "Save settings", "保存配置"}));
    }
};

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsSet("ZD_START_LANGUAGE_PROBE")) {
        QString error;
        if (!start_language::choose(argc, argv, &error))
            return 2;
        QApplication app(argc, argv);
        Widget w;
        std::printf("%s\n", w.findChild<QPushButton *>("download")->text().trimmed().toUtf8().constData());
        return 0;
    }
    QApplication app(argc, argv);
    TestWindowEdits checks;
    return QTest::qExec(&checks, argc, argv);
}

#include "tst_window_edits.moc"
