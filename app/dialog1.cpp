#include "app/dialog1.h"

#include <QButtonGroup>
#include <QPixmap>

#include "app/picture_cache.h"
#include "app/views_log.h"
#include "device/store.h"
#include "ui_dialog1.h"
#include "views/model_catalogue.h"
#include "views/window_geometry.h"

namespace
{
const char kTitleStyle[] =
    "QPushButton{background-color: rgb(125, 125, 125);border-radius:10px;color:#ffffff;}";
const char kChoiceStyle[] =
    "QPushButton{background-color: rgba(125, 125, 125, 5);border-radius:10px;color:#FFFFFF;}";
} // namespace

Dialog1::Dialog1(QWidget *parent) : QDialog(parent), ui(new Ui::Dialog1)
{
    ui->setupUi(this);
    setWindowFlag(Qt::FramelessWindowHint, true);

    Model_Group = new QButtonGroup(this);
    for (const models::DialogChoice &c : models::kDialogChoices) {
        auto *button = findChild<QPushButton *>(QLatin1String(c.button));
        // the transparent button lies over its picture, whatever the order of the form
        button->raise();
        Model_Group->addButton(button, c.id);
    }
    Model_Group->setExclusive(true);
    connect(Model_Group, &QButtonGroup::idClicked, this, &Dialog1::on_changeButtonGroup);
}

Dialog1::~Dialog1()
{
    delete ui;
}

void Dialog1::on_changeButtonGroup(int id)
{
    if (const models::DialogChoice *c = models::dialogChoice(id)) {
        Store.Dev_Key_Num = c->keys;
        Store.Dev_Knob_Num = c->knobs;
    }
    qCDebug(lcViews, "Select_PHY_Key value is  %d ", id);
}

void Dialog1::placeWidgets(int W, int H)
{
    ui->pushButton->setGeometry(geometry::dialogTitleRect(W, H));
    pictures::setStyleSheet(ui->pushButton, QLatin1String(kTitleStyle));
    for (const models::DialogChoice &c : models::kDialogChoices) {
        const QRect r = geometry::dialogChoiceRect(c.id, W, H);
        auto *button = findChild<QPushButton *>(QLatin1String(c.button));
        auto *label = findChild<QLabel *>(QLatin1String(c.label));
        button->setGeometry(r);
        pictures::setStyleSheet(button, QLatin1String(kChoiceStyle));
        label->setGeometry(r);
        const QPixmap picture = pictures::scaled(QLatin1String(c.picture), r.size());
        if (picture.isNull())
            label->clear();
        else
            label->setPixmap(picture);
    }
}
