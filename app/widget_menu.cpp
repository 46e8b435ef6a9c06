// The window menu: a small button to the right of the layer buttons with layout files
// (Save layout…, Open layout…) and undo and redo.
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QToolButton>
#include <QUndoStack>

#include "app/edit_history.h"
#include "app/edit_step.h"
#include "app/edit_texts.h"
#include "app/notice_styles.h"
#include "app/widget.h"
#include "device/store.h"
#include "editing/record_naming.h"
#include "layouts/layout_file.h"
#include "layouts/layout_store.h"
#include "ui_widget.h"
#include "views/model_catalogue.h"
#include "views/slot_geometry.h"
#include "views/window_geometry.h"

namespace
{

const QString kButtonStyle = QStringLiteral(
    "QToolButton{background-color: #383838;border:0px;}QToolButton:hover{background-color: #4a4a4a;}"
    "QToolButton::menu-indicator{image:none;}");
constexpr int kMinimumGap = 4;

// Three white bars.
QIcon menuIcon()
{
    QPixmap p(32, 32);
    p.fill(Qt::transparent);
    QPainter painter(&p);
    for (int y : {8, 15, 22})
        painter.fillRect(6, y, 20, 3, Qt::white);
    return QIcon(p);
}

void warn(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("ZORVELDECK"), text, QMessageBox::Ok, parent);
    box.setStyleSheet(QString::fromLatin1(kMessageBoxStyle));
    box.exec();
}

layouts::Model currentModel()
{
    const bool connected = Store.Dev_Connected == 1;
    return layouts::Model::of(connected ? Store.Dev_Key_Num : Store.Layout_Key_Num,
                              connected ? Store.Dev_Knob_Num : Store.Layout_Knob_Num,
                              connected ? Store.Dev_Variant : Store.Layout_Variant, Store.Cur_VID,
                              Store.Cur_PID);
}

} // namespace

void Widget::setupWindowMenu()
{
    Window_Menu_Button = new QToolButton(this);
    Window_Menu_Button->setObjectName(QStringLiteral("Window_Menu_Button"));
    Window_Menu_Button->setIcon(menuIcon());
    Window_Menu_Button->setToolTip(editText(Language, EditText::Menu));
    Window_Menu_Button->setPopupMode(QToolButton::InstantPopup);
    Window_Menu_Button->setStyleSheet(kButtonStyle);
    Window_Menu = new QMenu(Window_Menu_Button);
    Window_Menu->setObjectName(QStringLiteral("Window_Menu"));
    Window_Menu->setStyleSheet(QString::fromLatin1(kMenuStyle));
    Window_Menu_Button->setMenu(Window_Menu);

    // The "Keypad" submenu is inserted before this first separator.
    Keypad_Menu_Place = Window_Menu->addSeparator();
    setupKeypadMenu();
    Open_Layout_Action = Window_Menu->addAction(editText(Language, EditText::OpenLayout));
    Open_Layout_Action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    connect(Open_Layout_Action, &QAction::triggered, this, &Widget::openLayoutFile);
    Save_Layout_Action = Window_Menu->addAction(editText(Language, EditText::SaveLayout));
    Save_Layout_Action->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    connect(Save_Layout_Action, &QAction::triggered, this, &Widget::saveLayoutFile);
    Window_Menu->addSeparator();
    QAction *undo = Undo_Stack->createUndoAction(this, editText(Language, EditText::Undo));
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    QAction *redo = Undo_Stack->createRedoAction(this, editText(Language, EditText::Redo));
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    Window_Menu->addAction(undo);
    Window_Menu->addAction(redo);
    // The shortcuts work wherever the focus is in the window, with the menu closed.
    addActions({Open_Layout_Action, Save_Layout_Action, undo, redo});

    Choose_Layout_File = [this](bool save) {
        const QString filter = editText(Language, EditText::LayoutFiles);
        if (!save)
            return QFileDialog::getOpenFileName(this, editText(Language, EditText::OpenLayout), QString(),
                                                filter);
        QString path =
            QFileDialog::getSaveFileName(this, editText(Language, EditText::SaveLayout), QString(), filter);
        if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty())
            path += QStringLiteral(".json");
        return path;
    };
    placeWindowMenuButton();
}

void Widget::placeWindowMenuButton()
{
    if (!Window_Menu_Button)
        return;
    // As far right of Layer3 as Layer3 is of Layer2, as tall as the layer buttons.
    const QRect l2 = ui->Layer2->geometry(), l3 = ui->Layer3->geometry();
    const int gap = qMax(kMinimumGap, l3.left() - l2.right() - 1);
    const QRect r(l3.right() + 1 + gap, l3.top(), l3.height(), l3.height());
    bool free = r.right() + kMinimumGap < ui->dowload_kuang->geometry().left();
    for (const QWidget *w : findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
        if (w != Window_Menu_Button && !w->isWindow() && w->isVisibleTo(this) && w->geometry().intersects(r))
            free = false;
    Window_Menu_Button->setGeometry(r);
    Window_Menu_Button->setVisible(free);
}

void Widget::saveLayoutFile()
{
    const QString path = Choose_Layout_File(true);
    if (!path.isEmpty())
        saveLayout(path);
}

void Widget::openLayoutFile()
{
    const QString path = Choose_Layout_File(false);
    if (!path.isEmpty())
        openLayout(path);
}

void Widget::saveLayout(const QString &path)
{
    const layouts::Model model = currentModel();
    const geometry::PictureGeometry picture = geometry::pictureGeometry(
        models::layoutFor(Store.Layout_Key_Num, Store.Layout_Knob_Num, Store.Layout_Variant, Store.Cur_PID),
        int(Win_Height));
    QVector<int> keySlots;
    for (const geometry::SlotPlacement &p : picture.placements)
        keySlots.append(p.slot);
    layouts::Layout layout =
        layouts::fromStore(Store, model, keySlots, [&](int, int slot, const quint8 *record) {
            return slot == layouts::kLedSlot ? QStringLiteral("LED")
                                             : record_naming::slotCaption(record, model.extended(), catalogue::English);
        });
    // The LED state goes into the file only when it is the keypad's or the user's.
    if (layout.led && Store.LED_Modify_Flag != 1 && !Keypad_Copy->ledKnown())
        layout.led.reset();
    const QString error = layouts::writeFile(path, layout);
    if (!error.isEmpty()) {
        warn(this, editText(Language, EditText::CannotSave) + QStringLiteral("\n\n") + error);
        return;
    }
    showNotice(editText(Language, EditText::SavedLayout).arg(QFileInfo(path).fileName()), kStateStyle,
               kReadNoticeMs, &Widget::endNotice);
}

void Widget::openLayout(const QString &path)
{
    // The whole file is read and checked before anything changes.
    const layouts::ReadResult read = layouts::readFile(path);
    if (!read.ok()) {
        warn(this, editText(Language, EditText::CannotOpen) + QStringLiteral("\n\n") + read.error().message);
        return;
    }
    const layouts::Layout &layout = read.layout();
    const layouts::Model model = currentModel();
    if (!layouts::sameModel(layout.model, model) || layout.model.extended() != Store.extended()) {
        warn(this, editText(Language, EditText::OtherModel)
                       .arg(layouts::describe(layout.model), layouts::describe(model)));
        return;
    }
    if (!confirmLoss(Loss::OpenLayout))
        return;
    int set = 0;
    {
        const EditStep step(this, editText(Language, EditText::OpenStep));
        set = layouts::toStore(layout, Store);
        if (layout.led)
            Store.markLedChanged();
        refreshLayerNames(Store.Select_PHY_Key_Layer);
        if (Store.Select_PHY_Key != 0)
            describeSelectedSlot();
        refreshAfterRestore();
    }
    showNotice(editText(Language, EditText::OpenedLayout).arg(QFileInfo(path).fileName()).arg(set),
               kStateStyle, kReadNoticeMs, &Widget::endNotice);
}
