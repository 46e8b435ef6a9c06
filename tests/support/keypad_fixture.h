#pragma once
// Window tests against the virtual keypad.
//
// KeypadFixture gives each test a fresh main window, a fresh configuration store and a fresh,
// unplugged virtual keypad. The window's poll timer is stopped: the test drives discovery by
// calling poll(), so nothing reaches the keypad behind its back. The keypad link works on its
// own thread: poll() and waitIdle() return once it has handled everything asked of it.
//
//   KeypadFixture f;                     // e.g. in init(); delete it in cleanup()
//   QVERIFY(f.connectKeypad(15, 3, 0));  // plug a 15-key, 3-knob standard keypad, poll until connected
//   f.click("pushButton_K3");            // real mouse press + release on a button
//   f.click("download");
//   f.waitIdle();
//   sim::received();                     // the reports the keypad got since it connected
//   f.unplugKeypad();                    // the window notices at this poll step
//
// Only one fixture may exist at a time (the store and the keypad are process-wide).
// LogCapture collects the log lines written while it exists, the program's debug lines included,
// e.g. to check a hidapi error text.
#include <QAbstractButton>
#include <QString>
#include <QStringList>
#include <QVector>

#include "app/widget.h"
#include "support/wire_bytes.h"

class KeypadFixture
{
  public:
    KeypadFixture();
    ~KeypadFixture();
    KeypadFixture(const KeypadFixture &) = delete;
    KeypadFixture &operator=(const KeypadFixture &) = delete;

    Widget *window() const { return w; }
    Widget *operator->() const { return w; }

    // Runs the poll step (Widget::timeoutSlot) `steps` times, each until the link is idle.
    void poll(int steps = 1);
    // Waits until the link has finished every exchange asked for (a click on Save settings,
    // View settings, the LED page) and the window has taken its results.
    void waitIdle();
    // Sets the keypad's model, plugs it in and polls until the window reports it connected
    // (at most four steps), then clears the keypad's logs. False if it never connected.
    bool connectKeypad(quint8 keys = 15, quint8 knobs = 3, quint8 variant = 0);
    // Unplugs the keypad and runs one poll step.
    void unplugKeypad();

    // A child widget of the window by object name; the test fails hard if there is none.
    template <typename T = QWidget> T *child(const QString &name) const
    {
        T *c = w->findChild<T *>(name);
        if (!c)
            qFatal("no child widget %s", qPrintable(name));
        return c;
    }
    // Mouse press and release where the middle of the button is drawn, delivered to the widget
    // on top there (what the event filter sees); the test fails unless that is the button. Then waitIdle().
    void click(const QString &buttonName);
    void click(QAbstractButton *button);

    // Resizes the window in the normal state and waits until it has that size.
    void resizeWindow(int W, int H);
    // Clicks tab `index` of tabWidget on its tab bar, then waitIdle(); fails hard if the tab does
    // not come to the front.
    void clickTab(int index);
    // How many pages of tabWidget carry `title` (the preset page is "Procreate").
    int tabCount(const QString &title) const;

    QString statusText() const;                    // Dev_Sta_Dsp's text
    QString statusStyle() const;                   // Dev_Sta_Dsp's style sheet
    QString text(const QString &buttonName) const; // a button's caption
    QString slotText(int slot) const;              // pushButton_K<slot>'s caption
    QString info() const;                          // the information box (lineEdit)

  private:
    Widget *w = nullptr;
};

class LogCapture
{
  public:
    LogCapture();
    ~LogCapture();
    LogCapture(const LogCapture &) = delete;
    LogCapture &operator=(const LogCapture &) = delete;

    const QStringList &messages() const { return lines; }
    // True when some line contains `text`.
    bool contains(const QString &text) const;

  private:
    static void handler(QtMsgType type, const QMessageLogContext &context, const QString &message);
    QStringList lines;
};
