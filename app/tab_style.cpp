#include "app/tab_style.h"

#include <QPainter>
#include <QStyleOptionTab>
#include <QTabBar>

#include "views/window_geometry.h"

namespace
{
const QColor kBlockFrame(0x89, 0xCF, 0xFF);
const QColor kBlockFill(0x17, 0x75, 0xD8);
const QColor kSelectedCaption(0xF8, 0xFC, 0xFF);
const QColor kCaption(0x5D, 0x5D, 0x5D);
} // namespace

CustomTabStyle::CustomTabStyle() : QProxyStyle(nullptr) {}

CustomTabStyle::~CustomTabStyle() = default;

void CustomTabStyle::drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                                 const QWidget *widget) const
{
    if (element == CE_TabBarTab) {
        // The base style asks this style back for the shape (not drawn) and the label.
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    if (element != CE_TabBarTabLabel)
        return;
    const auto *tab = qstyleoption_cast<const QStyleOptionTab *>(option);
    if (!tab)
        return;
    const QRect r = tab->rect;
    const bool selected = tab->state & State_Selected;
    if (selected) {
        painter->save();
        painter->setPen(kBlockFrame);
        painter->setBrush(QBrush(kBlockFill, Qt::SolidPattern));
        painter->drawRect(r.adjusted(6, 6, -6, -6));
        painter->restore();
    }
    painter->setPen(selected ? kSelectedCaption : kCaption);
    painter->drawText(QRectF(r), tab->text, QTextOption(Qt::AlignCenter));
}

QSize CustomTabStyle::sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &size,
                                       const QWidget *widget) const
{
    const QSize base = QProxyStyle::sizeFromContents(type, option, size, widget);
    if (type == CT_TabBarTab)
        return tabSize(int(Win_Width), int(Win_Height));
    return base;
}

QSize CustomTabStyle::tabSize(int windowWidth, int windowHeight)
{
    return QSize(int(0.09 * windowWidth), int(0.05 * windowHeight));
}
