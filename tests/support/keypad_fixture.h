#pragma once
// Window tests against the virtual keypad.
//
// KeypadFixture gives each test a fresh main window, a fresh configuration store and a fresh,
// unplugged virtual keypad. The window's poll timer is stopped: the test drives discovery by
// calling poll(), so nothing reaches the keypad behind its back.
//
//   KeypadFixture f;                     // e.g. in init(); delete it in cleanup()
//   QVERIFY(f.connectKeypad(15, 3, 0));  // plug a 15-key, 3-knob standard keypad, poll until connected
//   f.click("pushButton_K3");            // real mouse press + release on a button
//   f.click("download");
//   sim::received();                     // the reports the keypad got since it connected
//   f.unplugKeypad();                    // the window notices at this poll step
//
// Only one fixture may exist at a time (the store and the keypad are process-wide).
// LogCapture collects the log lines written while it exists, e.g. to check a hidapi error text.
#include <QAbstractButton>
#include <QString>
#include <QStringList>

#include "app/widget.h"

class KeypadFixture
{
  public:
    KeypadFixture();
    ~KeypadFixture();
    KeypadFixture(const KeypadFixture &) = delete;
    KeypadFixture &operator=(const KeypadFixture &) = delete;

    Widget *window() const { return w; }
    Widget *operator->() const { return w; }

    // Runs the poll step (Widget::timeoutSlot) `steps` times.
    void poll(int steps = 1);
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
    // Mouse press and release in the middle of the button (what the event filter sees).
    void click(const QString &buttonName);
    void click(QAbstractButton *button);

    QString statusText() const;  // Dev_Sta_Dsp's text
    QString statusStyle() const; // Dev_Sta_Dsp's style sheet

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
