#include <QApplication>
#include <QTranslator>

#include "app/app_log.h"
#include "app/widget.h"
#include "ui_widget.h"

void Widget::Build_Key_Maps_CN()
{
    const int named = catalogue::addNamesToMaps(Key_Name_CN, Key_Code, Key_End, Key_Index_Map, Key_Code_Map);
    qCDebug(lcApp) << "all num is " << named;
}

void Widget::Build_Key_Maps_EN()
{
    const int named = catalogue::addNamesToMaps(Key_Name_EN, Key_Code, Key_End, Key_Index_Map, Key_Code_Map);
    qCDebug(lcApp) << "all num is " << named;
}

// Switches the interface between the Chinese source texts and English. The
// translator only lives for the retranslation: texts already set stay, and every
// text composed later is chosen by Language.
void Widget::on_change_clicked()
{
    QTranslator translator;
    if (Language == catalogue::Chinese) {
        (void)translator.load(QStringLiteral(":/lanague_en.qm"));
        QApplication::installTranslator(&translator);
        Language = catalogue::English;
        ui->retranslateUi(this);
        ui->change->setText(QStringLiteral("中文"));
        Build_Key_Maps_EN();
    } else if (Language == catalogue::English) {
        (void)translator.load(QStringLiteral(":/lanague_cn.qm"));
        QApplication::installTranslator(&translator);
        Language = catalogue::Chinese;
        ui->retranslateUi(this);
        ui->change->setText(QStringLiteral("English"));
        Build_Key_Maps_CN();
    }
}
