// Download: every flagged record to the keypad, batches closed by commits, then the outcome on
// the status line.
#include <QThread>
#include <QTimer>
#include <QVector>

#include "app/widget.h"
#include "device/hid_io.h"
#include "device/reports.h"
#include "device/store.h"
#include "ui_widget.h"

namespace
{

constexpr unsigned long kCommitPauseMs = 200;
constexpr int kSaveNoticeMs = 1500;

struct SlotRef {
    int layer;
    int slot;
};

} // namespace

void Widget::on_confirmButton_clicked()
{
    if (Store.Dev_Connected == 1)
        downloadConfiguration();
}

void Widget::downloadConfiguration()
{
    const bool extended = Store.extended();
    auto records = extended ? Store.PHY2_KEY_Value : Store.PHY_KEY_Value;
    bool everyWriteOk = true;
    QVector<SlotRef> batch; // records written since the last commit

    // A flag is cleared only once its record is written and its batch committed, so a failed
    // edit is sent again by the next download.
    auto commit = [&] {
        const bool ok = hidio::write(Device_Handle, reports::encodeCommit()) >= 0;
        everyWriteOk = everyWriteOk && ok;
        if (ok)
            for (const SlotRef &r : batch)
                Store.Modify_Key_Flag[r.layer][r.slot] = 0;
        batch.clear();
        QThread::msleep(kCommitPauseMs);
    };

    for (int layer = 0; layer < kLayers; ++layer) {
        for (int slot = 0; slot < kSlots; ++slot) {
            if (Store.Modify_Key_Flag[layer][slot] != 1)
                continue;
            if (hidio::write(Device_Handle, reports::encodeKeyRecord(records[layer][slot], extended)) >= 0) {
                qCDebug(lcDevice, "Witer OKOK Key Num = %d", slot);
                batch.append({layer, slot});
            } else {
                everyWriteOk = false;
            }
        }
        if (!extended && !batch.isEmpty())
            commit();
    }

    if (extended) {
        if (Store.LED_Modify_Flag == 1) {
            bool ledOk = true;
            for (int layer = 0; layer < kLayers; ++layer) {
                const QByteArray report = reports::encodeLedColours(layer, Store.LED_Layer_Mode[layer],
                                                                    Store.LED_Color_Table[layer]);
                if (hidio::write(Device_Handle, report) < 0)
                    ledOk = false;
            }
            if (ledOk)
                Store.LED_Modify_Flag = 0;
            everyWriteOk = everyWriteOk && ledOk;
        }
        if (!batch.isEmpty())
            commit();
    }

    if (everyWriteOk) {
        showSaveNotice();
        qCDebug(lcDevice, "download ok....");
    } else {
        showDisconnectedStatus();
    }
}

void Widget::showSaveNotice()
{
    Store.Save_Notice_Active = 1;
    ui->Dev_Sta_Dsp->setStyleSheet(QStringLiteral("background-color: rgb(0,225,40);border:0px;"));
    ui->Dev_Sta_Dsp->setText(Language == 1 ? QStringLiteral("Saved successfully")
                                           : QStringLiteral("保存成功"));
    auto *timer = new QTimer(this);
    timer->setSingleShot(true);
    connect(timer, &QTimer::timeout, this, &Widget::onTimeupDestroy);
    connect(timer, &QTimer::timeout, timer, &QObject::deleteLater);
    timer->start(kSaveNoticeMs);
}

void Widget::onTimeupDestroy()
{
    Store.Save_Notice_Active = 0;
    ui->Dev_Sta_Dsp->setStyleSheet(
        QStringLiteral("background-color: rgb(60,60,60);border:0px;color:#FFFFFF;"));
}
