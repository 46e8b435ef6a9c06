#include "keypad_fixture.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QLoggingCategory>
#include <QMutex>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QWindow>
#include <QtTest>

#include "device/keypad_link.h"
#include "device/store.h"
#include "sim/virtual_keypad.h"

KeypadFixture::KeypadFixture()
{
    sim::reset();
    Store.reset();
    w = new Widget;
    w->Poll_Timer->stop();
    // the program starts maximised: a common screen's size, the same under every Qt version
    resizeWindow(1600, 900);
}

KeypadFixture::~KeypadFixture()
{
    delete w;
}

void KeypadFixture::poll(int steps)
{
    for (int i = 0; i < steps; ++i) {
        QMetaObject::invokeMethod(w, "timeoutSlot", Qt::DirectConnection);
        waitIdle();
    }
}

void KeypadFixture::waitIdle()
{
    const QDeadlineTimer deadline(30000);
    while (!w->Keypad_Link->idle() && !deadline.hasExpired())
        QTest::qWait(1);
    if (!w->Keypad_Link->idle())
        qFatal("the keypad link is still busy after 30 s");
}

bool KeypadFixture::connectKeypad(quint8 keys, quint8 knobs, quint8 variant)
{
    sim::setModel(keys, knobs, variant);
    sim::plug();
    for (int i = 0; i < 4 && Store.Dev_Connected != 1; ++i)
        poll();
    sim::clearLogs();
    return Store.Dev_Connected == 1;
}

// clang-format off
void KeypadFixture::unplugKeypad() { sim::unplug(); poll(); }
void KeypadFixture::click(const QString &buttonName) { click(child<QAbstractButton>(buttonName)); }
// clang-format on

void KeypadFixture::click(QAbstractButton *button)
{
    // Where a user clicks: the middle of the button as drawn in its window, delivered to
    // whatever lies on top there; that must be the button itself.
    QWidget *top = button->window();
    const QPoint at = button->mapTo(top, button->rect().center());
    QWidget *target = top->childAt(at);
    QVERIFY2(target == button, qPrintable(button->objectName() + " is covered"));
    QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, target->mapFrom(top, at));
    waitIdle();
}

void KeypadFixture::resizeWindow(int W, int H)
{
    // the offscreen platform resizes only windows in the normal state
    w->showNormal();
    w->windowHandle()->setWindowStates(Qt::WindowNoState);
    w->resize(W, H);
    QApplication::processEvents();
    QTRY_COMPARE(w->size(), QSize(W, H));
}

void KeypadFixture::clickTab(int index)
{
    auto *tabs = child<QTabWidget>(QStringLiteral("tabWidget"));
    QTabBar *bar = tabs->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(index).center());
    waitIdle();
    if (tabs->currentIndex() != index)
        qFatal("tab %d did not come to the front", index);
}

int KeypadFixture::tabCount(const QString &title) const
{
    auto *tabs = child<QTabWidget>(QStringLiteral("tabWidget"));
    int n = 0;
    for (int i = 0; i < tabs->count(); ++i)
        n += tabs->tabText(i) == title;
    return n;
}

// clang-format off
QString KeypadFixture::text(const QString &name) const { return child<QAbstractButton>(name)->text(); }
QString KeypadFixture::slotText(int slot) const { return text(QStringLiteral("pushButton_K%1").arg(slot)); }
QString KeypadFixture::info() const { return child<QTextEdit>(QStringLiteral("lineEdit"))->toPlainText(); }
QString KeypadFixture::statusText() const { return text(QStringLiteral("Dev_Sta_Dsp")); }
QString KeypadFixture::statusStyle() const { return child(QStringLiteral("Dev_Sta_Dsp"))->styleSheet(); }
// clang-format on

namespace
{

// The keypad link logs from its own thread.
QMutex captureLock;
LogCapture *activeCapture = nullptr;
QtMessageHandler previousHandler = nullptr;

} // namespace

void LogCapture::handler(QtMsgType, const QMessageLogContext &, const QString &message)
{
    const QMutexLocker locked(&captureLock);
    if (activeCapture)
        activeCapture->lines.append(message);
}

LogCapture::LogCapture()
{
    activeCapture = this;
    previousHandler = qInstallMessageHandler(handler);
    // the program's debug categories are off unless asked for (every byte read stays off)
    QLoggingCategory::setFilterRules(
        QStringLiteral("zorveldeck.*.debug=true\nzorveldeck.device.bytes.debug=false"));
}

LogCapture::~LogCapture()
{
    QLoggingCategory::setFilterRules(QString());
    qInstallMessageHandler(previousHandler);
    const QMutexLocker locked(&captureLock);
    activeCapture = nullptr;
}

bool LogCapture::contains(const QString &text) const
{
    const QMutexLocker locked(&captureLock);
    for (const QString &line : lines)
        if (line.contains(text))
            return true;
    return false;
}
