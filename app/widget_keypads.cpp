// The keypads the window can work with: how the link's steps are driven (hot-plug events where
// the system announces devices, else the poll timer), the menu of the attached keypads, switching
// to another one, and the status line's tooltip naming the keypad in use.
#include <QActionGroup>
#include <QMenu>
#include <QMessageBox>

#include <utility>
#include <QTimer>

#include "app/dialog1.h"
#include "app/edit_texts.h"
#include "app/notice_styles.h"
#include "app/widget.h"
#include "device/keypad_link.h"
#include "device/store.h"
#include "device/store_exchange.h"
#include "ui_widget.h"

namespace
{

QString describeModel(const device::Keypad &k)
{
    return QStringLiteral("%1 keys, %2 knobs").arg(k.keys).arg(k.knobs);
}

QString describeKeypad(const discovery::Attached &a, const std::optional<device::Keypad> &model)
{
    QString text =
        QStringLiteral("%1:%2").arg(a.vid, 4, 16, QLatin1Char('0')).arg(a.pid, 4, 16, QLatin1Char('0'));
    if (model && model->answered)
        text = describeModel(*model) + QStringLiteral(" \u2014 ") + text;
    return text + QStringLiteral(" \u2014 ") + a.name();
}

} // namespace

void Widget::startKeypadWatch()
{
    connect(Keypad_Link, &device::KeypadLink::stepWanted, this, &Widget::timeoutSlot);
    if (!Keypad_Link->listen()) {
        Poll_Timer->start(100);
        return;
    }
    // No poll step will apply a choice in the model dialog: it applies at once.
    connect(Model_Dialog->Model_Group, &QButtonGroup::idClicked, this, [this] {
        if (Store.Dev_Connected == 1)
            checkModel();
    });
    // A keypad attached before the window opened announces nothing: one search now.
    QTimer::singleShot(0, this, &Widget::timeoutSlot);
}

void Widget::fillKeypadMenu(QMenu *menu)
{
    menu->clear();
    auto *group = new QActionGroup(menu);
    const QByteArray inUse = Keypad_Link->inUse().path;
    for (const device::KeypadLink::Listed &k : Keypad_Link->keypads()) {
        QAction *action = menu->addAction(
            describeKeypad(k.keypad, k.known ? std::optional<device::Keypad>(k.model) : std::nullopt));
        action->setCheckable(true);
        action->setChecked(k.keypad.path == inUse);
        group->addAction(action);
        const QByteArray path = k.keypad.path;
        connect(action, &QAction::triggered, this, [this, path] { switchKeypad(path); });
    }
    if (menu->isEmpty())
        menu->addAction(editText(Language, EditText::NoKeypad))->setEnabled(false);
}

void Widget::setupKeypadMenu()
{
    auto *keypads = new QMenu(editText(Language, EditText::KeypadMenu), Window_Menu);
    keypads->setObjectName(QStringLiteral("Keypad_Menu"));
    keypads->setStyleSheet(QString::fromLatin1(kMenuStyle));
    Keypad_Menu_Action = Window_Menu->insertMenu(Keypad_Menu_Place, keypads);
    // Listed when the menu opens, and only when there is a choice to make.
    connect(Window_Menu, &QMenu::aboutToShow, this, [this, keypads] {
        fillKeypadMenu(keypads);
        Keypad_Menu_Action->setVisible(Keypad_Link->keypads().size() > 1);
    });
    Keypad_Menu_Action->setVisible(false);
}

void Widget::switchKeypad(const QByteArray &path)
{
    if (path == Keypad_Link->inUse().path)
        return;
    const int pending = device::pendingChanges(Store);
    if (pending > 0) {
        switch (Ask_User(editText(Language, EditText::SwitchQuestion), pending,
                         QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel)) {
        case QMessageBox::Save:
            // The switch follows once the keypad in use confirmed every change (noteSaved).
            if (saveBeforeLeaving())
                Switch_After_Save = path;
            return;
        case QMessageBox::Discard:
            Store.clearFlags();
            updateUnsavedMarker();
            break;
        default:
            return;
        }
    }
    Keypad_Link->choose(path);
}

void Widget::switchAfterSave(bool saved)
{
    const QByteArray path = std::exchange(Switch_After_Save, QByteArray());
    if (!path.isEmpty() && saved && device::pendingChanges(Store) == 0)
        Keypad_Link->choose(path);
}

QString Widget::keypadInUse() const
{
    const discovery::Attached &a = Keypad_Link->inUse();
    if (a.path.isEmpty())
        return QString();
    const QString text = describeKeypad(a, Keypad_Link->modelOf(a.path));
    return a.serial.isEmpty() ? text : text + QLatin1Char('\n') + QString::fromLocal8Bit(a.path);
}
