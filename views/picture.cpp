// The device picture on the main window and the main window's resize placement.
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QResizeEvent>
#include <QTabBar>
#include <QTabWidget>

#include "app/widget.h"
#include "device/store.h"
#include "views/dialog1.h"
#include "views/model_catalogue.h"
#include "views/slot_geometry.h"
#include "views/tab_style.h"
#include "views/window_geometry.h"

namespace
{

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

} // namespace

void Widget::layoutDevicePicture()
{
    const models::LayoutId layout =
        models::layoutFor(Store.Layout_Key_Num, Store.Layout_Knob_Num, Store.Layout_Variant, Store.Cur_PID);
    const geometry::PictureGeometry g = geometry::pictureGeometry(layout, int(Win_Height));

    if (auto *body = findChild<QLabel *>(QStringLiteral("ALL_KEY_BK")))
        body->setGeometry(g.body);
    if (auto *info = findChild<QWidget *>(QStringLiteral("lineEdit")))
        info->setGeometry(g.info);
    for (const geometry::SlotPlacement &p : g.placements)
        placeSlot(this, p);
    for (int n = geometry::kFirstSlot; n <= geometry::kLastSlot; ++n)
        if (!g.uses(n))
            setSlotVisible(this, n, false);
    // slots 26 and 27 are on the form but in no picture
    setSlotVisible(this, 26, false);
    setSlotVisible(this, 27, false);
}

void Widget::refreshTabBarStyle()
{
    // a fresh style makes the tab bar ask for its tab sizes anew (they follow Win_Width / Win_Height)
    if (auto *tabs = findChild<QTabWidget *>(QStringLiteral("tabWidget")))
        CustomTabStyle::install(tabs->tabBar());
}

void Widget::placeFixedWidgets(int W, int H)
{
    for (const geometry::NamedRect &r : geometry::fixedWidgetRects(W, H)) {
        if (auto *w = findChild<QWidget *>(QLatin1String(r.objectName)))
            w->setGeometry(r.rect);
        if (qstrcmp(r.objectName, "tabWidget") == 0)
            refreshTabBarStyle();
    }
}

void Widget::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Win_Width = quint32(width());
    Win_Height = quint32(height());
    const int W = width(), H = height();
    if (Model_Dialog) {
        Model_Dialog->setGeometry(geometry::modelDialogRect(W, H));
        Model_Dialog->placeWidgets(W, H);
    }
    placeFixedWidgets(W, H);
    layoutDevicePicture();
    highlightSlot(Store.Select_PHY_Key);
}
