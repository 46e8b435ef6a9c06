#include "keypad_fixture.h"

#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <hidapi.h>

#include "device/store.h"
#include "sim/virtual_keypad.h"

KeypadFixture::KeypadFixture()
{
    sim::reset();
    Store.reset();
    w = new Widget;
    w->Poll_Timer->stop();
}

KeypadFixture::~KeypadFixture()
{
    if (w->Device_Handle)
        hid_close(w->Device_Handle);
    delete w;
}

void KeypadFixture::poll(int steps)
{
    for (int i = 0; i < steps; ++i)
        QMetaObject::invokeMethod(w, "timeoutSlot", Qt::DirectConnection);
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

void KeypadFixture::unplugKeypad()
{
    sim::unplug();
    poll();
}

void KeypadFixture::click(const QString &buttonName)
{
    click(child<QAbstractButton>(buttonName));
}

void KeypadFixture::click(QAbstractButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
}

QString KeypadFixture::statusText() const
{
    return child<QPushButton>(QStringLiteral("Dev_Sta_Dsp"))->text();
}

QString KeypadFixture::statusStyle() const
{
    return child<QPushButton>(QStringLiteral("Dev_Sta_Dsp"))->styleSheet();
}

namespace
{

LogCapture *activeCapture = nullptr;
QtMessageHandler previousHandler = nullptr;

} // namespace

void LogCapture::handler(QtMsgType, const QMessageLogContext &, const QString &message)
{
    if (activeCapture)
        activeCapture->lines.append(message);
}

LogCapture::LogCapture()
{
    activeCapture = this;
    previousHandler = qInstallMessageHandler(handler);
}

LogCapture::~LogCapture()
{
    qInstallMessageHandler(previousHandler);
    activeCapture = nullptr;
}

bool LogCapture::contains(const QString &text) const
{
    for (const QString &line : lines)
        if (line.contains(text))
            return true;
    return false;
}
