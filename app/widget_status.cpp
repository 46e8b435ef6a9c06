// The status line Dev_Sta_Dsp: the link's state, an exchange's progress and the notices that
// tell how a Save or a View went.
#include <QTimer>

#include "app/bilingual.h"
#include "app/notice_styles.h"
#include "app/widget.h"
#include "device/keypad_link.h"
#include "device/store.h"
#include "ui_widget.h"

namespace
{

// Progress shows only for an exchange that has run this long.
constexpr int kProgressAfterMs = 300;
constexpr int kProgressEveryMs = 100;
constexpr int kSaveNoticeMs = 1500;
constexpr int kViewNoticeMs = 3000;

// The texts composed at run time, English and Chinese.
enum Text {
    Connected,
    Disconnected,
    AccessDenied,
    Saving,
    Reading,
    SaveFailed,
    SaveFailedOne,
    ReadAll,
    ReadPart,
};
const Bilingual kTexts[] = {
    {"Device Connect", "设备已连接"},
    {"Device Disconnect USB", "——请用数据线连接设备——"},
    {"Device found, but access denied: install the udev rule (see README)",
     "已找到设备，但无权访问：请安装 udev 规则（见 README）"},
    {"Saving %1/%2…", "正在保存 %1/%2…"},
    {"Reading %1/%2…", "正在读取 %1/%2…"},
    {"Save failed: %1 changes kept, click Save settings again",
     "保存失败：已保留 %1 项更改，请再次点击“保存配置”"},
    {"Save failed: 1 change kept, click Save settings again",
     "保存失败：已保留 1 项更改，请再次点击“保存配置”"},
    {"Read %1 records", "已读取 %1 条记录"},
    {"Read %1 of %2 records: the keypad stopped answering", "已读取 %1/%2 条记录：设备停止应答"},
};

QString text(catalogue::Language language, Text t)
{
    return kTexts[t].in(language);
}

// The state is shown on every poll step: a text or style sheet that is already there is not
// set again, which would re-polish and repaint the button each time.
void setStatus(QPushButton *status, const QString &text, const QString &style)
{
    if (status->text() != text)
        status->setText(text);
    if (status->styleSheet() != style)
        status->setStyleSheet(style);
}

} // namespace

void Widget::showLinkState()
{
    if (const QString tip = keypadInUse(); ui->Dev_Sta_Dsp->toolTip() != tip)
        ui->Dev_Sta_Dsp->setToolTip(tip);
    if (Keypad_Link->busy())
        return;
    switch (Keypad_Link->state()) {
    case device::State::Searching:
        showDisconnectedStatus();
        break;
    case device::State::AccessDenied:
        showAccessDeniedStatus();
        break;
    case device::State::Opened:
    case device::State::Connected:
        showConnectedStatus();
        break;
    }
}

void Widget::showConnectedStatus()
{
    if (!Store.Save_Notice_Active)
        setStatus(ui->Dev_Sta_Dsp, text(Language, Connected), kStateStyle);
}

void Widget::showDisconnectedStatus()
{
    if (!Store.Save_Notice_Active)
        setStatus(ui->Dev_Sta_Dsp, text(Language, Disconnected), kAlarmStyle);
}

void Widget::showAccessDeniedStatus()
{
    if (!Store.Save_Notice_Active)
        setStatus(ui->Dev_Sta_Dsp, text(Language, AccessDenied), kAlarmStyle);
}

void Widget::onLinkProgress(device::Exchange exchange, int done, int total)
{
    // Shown once the exchange has run for a moment, then at most ten times a second.
    const qint64 ran = Exchange_Clock.elapsed();
    if (Store.Save_Notice_Active || ran < kProgressAfterMs || ran - Progress_Shown_At < kProgressEveryMs)
        return;
    Progress_Shown_At = ran;
    const Text t = exchange == device::Exchange::Save ? Saving : Reading;
    setStatus(ui->Dev_Sta_Dsp, text(Language, t).arg(done).arg(total), kStateStyle);
}

void Widget::showSaveNotice()
{
    showNotice(Language == catalogue::English ? QStringLiteral("Saved successfully")
                                              : QStringLiteral("保存成功"),
               QStringLiteral("background-color: rgb(0,225,40);border:0px;"), kSaveNoticeMs,
               &Widget::onTimeupDestroy);
}

void Widget::showSaveFailedNotice(int kept)
{
    const QString message = kept == 1 ? text(Language, SaveFailedOne) : text(Language, SaveFailed).arg(kept);
    showNotice(message, kFailureStyle, kReadNoticeMs, &Widget::endNotice);
}

void Widget::showViewNotice(int read, int requested, bool complete)
{
    const QString message =
        complete ? text(Language, ReadAll).arg(read) : text(Language, ReadPart).arg(read).arg(requested);
    showNotice(message, complete ? kStateStyle : kAlarmStyle, kViewNoticeMs, &Widget::endNotice);
}

void Widget::showNotice(const QString &message, const QString &style, int ms, void (Widget::*end)())
{
    Store.Save_Notice_Active = 1;
    ui->Dev_Sta_Dsp->setStyleSheet(style);
    ui->Dev_Sta_Dsp->setText(message);
    if (!Notice_Timer) {
        Notice_Timer = new QTimer(this);
        Notice_Timer->setSingleShot(true);
        connect(Notice_Timer, &QTimer::timeout, this, &Widget::noticeEnded);
    }
    Notice_End = end;
    Notice_Timer->start(ms);
}

void Widget::onTimeupDestroy()
{
    Store.Save_Notice_Active = 0;
    ui->Dev_Sta_Dsp->setStyleSheet(
        QStringLiteral("background-color: rgb(60,60,60);border:0px;color:#FFFFFF;"));
    // Without poll steps the state shows at once.
    if (Keypad_Link->listening())
        showLinkState();
}

void Widget::endNoticeForExchange()
{
    if (!Store.Save_Notice_Active)
        return;
    if (Notice_Timer)
        Notice_Timer->stop();
    Store.Save_Notice_Active = 0;
    showConnectedStatus();
}

void Widget::endNotice()
{
    Store.Save_Notice_Active = 0;
    showLinkState();
}
