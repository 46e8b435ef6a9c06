// Keyboard use: Space and Enter on a focused button act as a mouse click on it, Tab runs
// through the slots of the picture in slot order and then into the function pages, and the
// information box only shows text.
#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTextEdit>

#include <utility>

#include "app/widget.h"
#include "ui_widget.h"

namespace
{

bool isActivationKey(const QEvent *event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return false;
    const auto *key = static_cast<const QKeyEvent *>(event);
    return key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::KeypadModifier
               ? key->key() == Qt::Key_Space || key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter
               : false;
}

// The key's press is taken; its release becomes a mouse press and release in the middle of
// the button, which pass through every event filter of the button as a user's click does.
class KeyActivation : public QObject
{
  public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *button = qobject_cast<QAbstractButton *>(watched);
        if (!button || !isActivationKey(event))
            return false;
        if (event->type() == QEvent::KeyRelease && !static_cast<QKeyEvent *>(event)->isAutoRepeat()) {
            const QPointF at = QRectF(button->rect()).center();
            const QPointF inWindow = button->mapTo(button->window(), at.toPoint());
            const QPointF global = button->mapToGlobal(at.toPoint());
            QMouseEvent press(QEvent::MouseButtonPress, at, inWindow, global, Qt::LeftButton, Qt::LeftButton,
                              Qt::NoModifier);
            QMouseEvent release(QEvent::MouseButtonRelease, at, inWindow, global, Qt::LeftButton,
                                Qt::NoButton, Qt::NoModifier);
            QPointer<QAbstractButton> alive(button);
            QApplication::sendEvent(button, &press);
            if (alive)
                QApplication::sendEvent(button, &release);
            // a release the assignment filter took leaves the button down
            if (alive && button->isDown())
                button->setDown(false);
        }
        return true;
    }
};

// The slot buttons form an exclusive group, which Qt makes one Tab stop (only the button with
// the focus keeps Tab focus). Tab runs through the visible ones in slot order instead, and on
// from the last to the function pages; Shift+Tab goes back the same way.
class SlotTabbing : public QObject
{
  public:
    SlotTabbing(QObject *parent, QVector<QWidget *> slotButtons, QWidget *after)
        : QObject(parent), slotButtons(std::move(slotButtons)), after(after)
    {
    }
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
            return false;
        const bool back = key->key() == Qt::Key_Backtab ||
                          (key->key() == Qt::Key_Tab && key->modifiers() & Qt::ShiftModifier);
        if (!back && key->key() != Qt::Key_Tab)
            return false;
        const int at = slotButtons.indexOf(static_cast<QWidget *>(watched));
        for (int i = at + (back ? -1 : 1); at >= 0 && i >= 0 && i < slotButtons.size(); i += back ? -1 : 1)
            if (slotButtons[i]->isVisible() && slotButtons[i]->isEnabled()) {
                slotButtons[i]->setFocus(back ? Qt::BacktabFocusReason : Qt::TabFocusReason);
                return true;
            }
        if (back)
            return false;
        after->setFocus(Qt::TabFocusReason);
        return true;
    }

  private:
    QVector<QWidget *> slotButtons;
    QWidget *after;
};

} // namespace

void Widget::enableKeyActivation(QWidget *root)
{
    static const char kName[] = "zorveldeck_key_activation";
    auto *activation = findChild<QObject *>(QLatin1String(kName), Qt::FindDirectChildrenOnly);
    if (!activation) {
        activation = new KeyActivation(this);
        activation->setObjectName(QLatin1String(kName));
    }
    for (QAbstractButton *b : root->findChildren<QAbstractButton *>())
        b->installEventFilter(activation);
}

void Widget::setupKeyboardUse()
{
    enableKeyActivation(this);
    QVector<QWidget *> slotButtons;
    for (int n = 1; n <= 25; ++n)
        slotButtons << Key_Slot_Group->button(n);
    auto *tabbing = new SlotTabbing(this, slotButtons, ui->tabWidget);
    for (QWidget *b : slotButtons)
        b->installEventFilter(tabbing);
    ui->lineEdit->setReadOnly(true);
    ui->lineEdit->setTabChangesFocus(true);
    ui->lineEdit->setFocusPolicy(Qt::ClickFocus);
}
