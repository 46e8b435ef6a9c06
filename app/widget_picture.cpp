// The device picture on the main window and the main window's resize placement.
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QResizeEvent>
#include <QTabBar>
#include <QTabWidget>

#include <iterator>

#include "app/dialog1.h"
#include "app/picture_cache.h"
#include "app/tab_style.h"
#include "app/widget.h"
#include "device/store.h"
#include "ui_widget.h"
#include "views/model_catalogue.h"
#include "views/slot_geometry.h"
#include "views/window_geometry.h"

namespace
{

// The slot widgets of the form, slot n at index n - 1: found through the form rather than by
// name, which would search the whole window twice per slot on every resize.
struct SlotWidgets {
    QPushButton *Ui_Widget::*button;
    QLabel *Ui_Widget::*label;
};
// clang-format off
#define ZD_SLOT(n) {&Ui_Widget::pushButton_K##n, &Ui_Widget::pushButton_K##n##_BK}
constexpr SlotWidgets kSlotWidgets[] = {
    ZD_SLOT(1),  ZD_SLOT(2),  ZD_SLOT(3),  ZD_SLOT(4),  ZD_SLOT(5),  ZD_SLOT(6),  ZD_SLOT(7),
    ZD_SLOT(8),  ZD_SLOT(9),  ZD_SLOT(10), ZD_SLOT(11), ZD_SLOT(12), ZD_SLOT(13), ZD_SLOT(14),
    ZD_SLOT(15), ZD_SLOT(16), ZD_SLOT(17), ZD_SLOT(18), ZD_SLOT(19), ZD_SLOT(20), ZD_SLOT(21),
    ZD_SLOT(22), ZD_SLOT(23), ZD_SLOT(24), ZD_SLOT(25), ZD_SLOT(26), ZD_SLOT(27)};
#undef ZD_SLOT
// clang-format on

QPushButton *slotButton(const Ui_Widget *ui, int n)
{
    return n >= 1 && n <= int(std::size(kSlotWidgets)) ? ui->*kSlotWidgets[n - 1].button : nullptr;
}

QLabel *slotLabel(const Ui_Widget *ui, int n)
{
    return n >= 1 && n <= int(std::size(kSlotWidgets)) ? ui->*kSlotWidgets[n - 1].label : nullptr;
}

void setSlotVisible(const Ui_Widget *ui, int n, bool visible)
{
    if (QPushButton *b = slotButton(ui, n))
        b->setVisible(visible);
    if (QLabel *l = slotLabel(ui, n))
        l->setVisible(visible);
}

void placeSlot(const Ui_Widget *ui, const geometry::SlotPlacement &p)
{
    QPushButton *button = slotButton(ui, p.slot);
    QLabel *label = slotLabel(ui, p.slot);
    if (button) {
        button->setGeometry(p.button);
        if (p.style != geometry::ButtonStyle::Keep)
            pictures::setStyleSheet(button, p.buttonStyle);
    }
    if (label) {
        label->setGeometry(p.label);
        if (!p.labelStyle.isEmpty())
            pictures::setStyleSheet(label, p.labelStyle);
        const QPixmap picture = pictures::scaled(p.picture, p.pictureBox);
        if (picture.isNull())
            label->clear();
        else
            label->setPixmap(picture);
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

    ui->ALL_KEY_BK->setGeometry(g.body);
    ui->lineEdit->setGeometry(g.info);
    for (const geometry::SlotPlacement &p : g.placements)
        placeSlot(ui, p);
    for (int n = geometry::kFirstSlot; n <= geometry::kLastSlot; ++n)
        if (!g.uses(n))
            setSlotVisible(ui, n, false);
    // slots 26 and 27 are on the form but in no picture
    setSlotVisible(ui, 26, false);
    setSlotVisible(ui, 27, false);
    placeWindowMenuButton();
}

void Widget::refreshTabBarStyle()
{
    // Setting the style again makes the tab bar ask for its tab sizes anew (they follow
    // Win_Width / Win_Height). While they stay the same, as over most steps of a window
    // drag, there is nothing new to ask for.
    const QSize size = CustomTabStyle::tabSize(int(Win_Width), int(Win_Height));
    if (size == Tab_Size)
        return;
    ui->tabWidget->tabBar()->setStyle(Tab_Style);
    Tab_Size = size;
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
