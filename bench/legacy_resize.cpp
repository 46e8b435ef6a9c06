#include "legacy_resize.h"

#include <QButtonGroup>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

#include "app/widget.h"
#include "device/store.h"
#include "app/dialog1.h"
#include "views/model_catalogue.h"
#include "views/slot_geometry.h"
#include "views/tab_style.h"
#include "views/window_geometry.h"

namespace
{

const char kTitleStyle[] =
    "QPushButton{background-color: rgb(125, 125, 125);border-radius:10px;color:#ffffff;}";
const char kChoiceStyle[] =
    "QPushButton{background-color: rgba(125, 125, 125, 5);border-radius:10px;color:#FFFFFF;}";

QPushButton *slotButton(QWidget *window, int n)
{
    return window->findChild<QPushButton *>(QStringLiteral("pushButton_K%1").arg(n));
}

QLabel *slotLabel(QWidget *window, int n)
{
    return window->findChild<QLabel *>(QStringLiteral("pushButton_K%1_BK").arg(n));
}

void setSlotVisible(QWidget *window, int n, bool visible)
{
    if (QPushButton *b = slotButton(window, n))
        b->setVisible(visible);
    if (QLabel *l = slotLabel(window, n))
        l->setVisible(visible);
}

void placeSlot(QWidget *window, const geometry::SlotPlacement &p)
{
    QPushButton *button = slotButton(window, p.slot);
    QLabel *label = slotLabel(window, p.slot);
    if (button) {
        button->setGeometry(p.button);
        if (p.style != geometry::ButtonStyle::Keep)
            button->setStyleSheet(p.buttonStyle);
    }
    if (label) {
        label->setGeometry(p.label);
        if (!p.labelStyle.isEmpty())
            label->setStyleSheet(p.labelStyle);
        const QPixmap picture(p.picture);
        if (picture.isNull())
            label->clear();
        else
            label->setPixmap(picture.scaled(p.pictureBox, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    }
    if (button)
        button->show();
    if (label)
        label->show();
}

void layoutDevicePicture(Widget *w)
{
    const models::LayoutId layout =
        models::layoutFor(Store.Layout_Key_Num, Store.Layout_Knob_Num, Store.Layout_Variant, Store.Cur_PID);
    const geometry::PictureGeometry g = geometry::pictureGeometry(layout, int(Win_Height));

    if (auto *body = w->findChild<QLabel *>(QStringLiteral("ALL_KEY_BK")))
        body->setGeometry(g.body);
    if (auto *info = w->findChild<QWidget *>(QStringLiteral("lineEdit")))
        info->setGeometry(g.info);
    for (const geometry::SlotPlacement &p : g.placements)
        placeSlot(w, p);
    for (int n = geometry::kFirstSlot; n <= geometry::kLastSlot; ++n)
        if (!g.uses(n))
            setSlotVisible(w, n, false);
    setSlotVisible(w, 26, false);
    setSlotVisible(w, 27, false);
}

void placeFixedWidgets(Widget *w, int W, int H)
{
    for (const geometry::NamedRect &r : geometry::fixedWidgetRects(W, H)) {
        if (auto *widget = w->findChild<QWidget *>(QLatin1String(r.objectName)))
            widget->setGeometry(r.rect);
        if (qstrcmp(r.objectName, "tabWidget") == 0)
            if (auto *tabs = w->findChild<QTabWidget *>(QStringLiteral("tabWidget")))
                CustomTabStyle::install(tabs->tabBar());
    }
}

void placeDialogWidgets(Dialog1 *d, int W, int H)
{
    d->findChild<QPushButton *>(QStringLiteral("pushButton"))->setGeometry(geometry::dialogTitleRect(W, H));
    d->findChild<QPushButton *>(QStringLiteral("pushButton"))->setStyleSheet(QLatin1String(kTitleStyle));
    for (const models::DialogChoice &c : models::kDialogChoices) {
        const QRect r = geometry::dialogChoiceRect(c.id, W, H);
        auto *button = d->findChild<QPushButton *>(QLatin1String(c.button));
        auto *label = d->findChild<QLabel *>(QLatin1String(c.label));
        button->setGeometry(r);
        button->setStyleSheet(QLatin1String(kChoiceStyle));
        label->setGeometry(r);
        const QPixmap picture(QLatin1String(c.picture));
        if (picture.isNull())
            label->clear();
        else
            label->setPixmap(picture.scaled(r.size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    }
}

void highlightSlot(Widget *w, int id)
{
    const QString plain = geometry::plainSlotStyle();
    if (id == 0xFF) {
        for (int n = geometry::kFirstSlot; n <= geometry::kLastSlot; ++n)
            if (QAbstractButton *b = w->Key_Slot_Group->button(n))
                b->setStyleSheet(plain);
        return;
    }
    if (id < geometry::kFirstSlot || id > geometry::kLastSlot || Store.Select_PHY_Key_Mode == 8)
        return;
    for (int n = geometry::kFirstSlot; n <= geometry::kLastSlot; ++n)
        if (QAbstractButton *b = w->Key_Slot_Group->button(n))
            b->setStyleSheet(plain);
    if (QAbstractButton *b = w->Key_Slot_Group->button(id))
        b->setStyleSheet(geometry::highlightedSlotStyle());
}

} // namespace

namespace legacy
{

void resize(Widget *w)
{
    Win_Width = quint32(w->width());
    Win_Height = quint32(w->height());
    const int W = w->width(), H = w->height();
    if (w->Model_Dialog) {
        w->Model_Dialog->setGeometry(geometry::modelDialogRect(W, H));
        placeDialogWidgets(w->Model_Dialog, W, H);
    }
    placeFixedWidgets(w, W, H);
    layoutDevicePicture(w);
    highlightSlot(w, Store.Select_PHY_Key);
}

} // namespace legacy
