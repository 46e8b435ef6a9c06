// Edits are never lost silently: the unsaved marker (windowModified, the Save settings
// tooltip), the undo history, and the confirmations before View settings, opening a layout
// file and closing the window throw edits away.
#include <QCloseEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QUndoStack>

#include <algorithm>
#include <vector>

#include "app/edit_history.h"
#include "app/edit_texts.h"
#include "app/notice_styles.h"
#include "app/widget.h"
#include "device/keypad_link.h"
#include "device/store.h"
#include "device/store_exchange.h"
#include "editing/record_rules.h"
#include "ui_widget.h"

namespace
{

constexpr int kDelayPage = 5;

// The window's close events: closing with unsaved changes asks first.
class CloseGuard : public QObject
{
  public:
    explicit CloseGuard(Widget *window) : QObject(window), window(window) {}
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != window || event->type() != QEvent::Close || window->confirmClose())
            return false;
        event->ignore();
        return true;
    }

  private:
    Widget *window;
};

QMessageBox::StandardButton ask(QWidget *parent, catalogue::Language language, const QString &question,
                                int changes, QMessageBox::StandardButtons buttons)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("ZORVELDECK"), question, buttons, parent);
    box.setInformativeText(unsavedText(language, changes));
    box.setStyleSheet(QString::fromLatin1(kMessageBoxStyle));
    const std::pair<QMessageBox::StandardButton, EditText> names[] = {
        {QMessageBox::Yes, EditText::Replace},       {QMessageBox::Open, EditText::Open},
        {QMessageBox::Save, EditText::SaveToKeypad}, {QMessageBox::Discard, EditText::Discard},
        {QMessageBox::Cancel, EditText::Cancel},
    };
    for (const auto &n : names)
        if (QAbstractButton *b = box.button(n.first))
            b->setText(editText(language, n.second));
    box.setDefaultButton(QMessageBox::Cancel);
    box.setEscapeButton(QMessageBox::Cancel);
    return QMessageBox::StandardButton(box.exec());
}

} // namespace

void Widget::setupEditHistory()
{
    Undo_Stack = new QUndoStack(this);
    Keypad_Copy = std::make_unique<edits::KeypadCopy>();
    Edit_Model[0] = Store.Layout_Key_Num;
    Edit_Model[1] = Store.Layout_Knob_Num;
    Edit_Model[2] = Store.Layout_Variant;
    connect(Undo_Stack, &QUndoStack::indexChanged, this, &Widget::updateUnsavedMarker);
    Ask_User = [this](const QString &question, int changes, int buttons) {
        return ask(this, Language, question, changes, QMessageBox::StandardButtons(buttons));
    };
    installEventFilter(new CloseGuard(this));
    // the entry point sets it again; a window made elsewhere (a test) has the marker too
    setWindowTitle(QStringLiteral("ZORVELDECK[*]"));
    updateUnsavedMarker();
}

void Widget::beginEdit()
{
    if (Edit_Depth++ > 0)
        return;
    Edit_Before = edits::StoreState::of(Store);
    View_Before = std::make_unique<edits::ViewState>(viewState());
}

void Widget::endEdit(const QString &what, int mergeKey)
{
    if (--Edit_Depth > 0 || !Edit_Before)
        return;
    if (edits::EditCommand *step = edits::EditCommand::between(
            what, *Edit_Before, *View_Before, Store, viewState(), mergeKey, Store, *Keypad_Copy,
            [this](const edits::ViewState &v) { showViewState(v); }))
        Undo_Stack->push(step);
    Edit_Before.reset();
    View_Before.reset();
    updateUnsavedMarker();
}

edits::ViewState Widget::viewState() const
{
    edits::ViewState v;
    v.layer = Store.Select_PHY_Key_Layer;
    v.slot = Store.Select_PHY_Key;
    for (int n = 1; n <= edits::kPictureSlots; ++n)
        if (const QAbstractButton *b = Key_Slot_Group->button(n))
            v.captions[n - 1] = b->text();
    v.info = ui->lineEdit->toPlainText();
    return v;
}

void Widget::showViewState(const edits::ViewState &v)
{
    if (v.layer != Store.Select_PHY_Key_Layer) {
        if (QAbstractButton *b = Layer_Group->button(v.layer))
            b->setChecked(true);
        SendLayer(v.layer);
    }
    if (v.slot != Store.Select_PHY_Key) {
        Store.Select_PHY_Key = quint8(v.slot);
        QAbstractButton *b = Key_Slot_Group->button(v.slot);
        if (b) {
            b->setChecked(true);
            ui->pushButton_SeleKey->setText(slotName(v.slot));
            highlightSlot(v.slot);
        } else if (QAbstractButton *checked = Key_Slot_Group->checkedButton()) {
            Key_Slot_Group->setExclusive(false);
            checked->setChecked(false);
            Key_Slot_Group->setExclusive(true);
            ui->pushButton_SeleKey->setText(QStringLiteral("NULL"));
            clearSlotHighlights();
        }
    }
    for (int n = 1; n <= edits::kPictureSlots; ++n)
        if (QAbstractButton *b = Key_Slot_Group->button(n))
            b->setText(v.captions[n - 1]);
    ui->lineEdit->setPlainText(v.info);
    refreshAfterRestore();
}

void Widget::refreshAfterRestore()
{
    // The pages that show the store: the extended LED page and the delay rows, without the
    // rows' signals, which would store what they show as a new edit.
    if (Store.extended() && Store.Select_PHY_Key_Mode == record_rules::kLedType)
        showLedPage();
    if (ui->tabWidget->currentIndex() == kDelayPage) {
        std::vector<QSignalBlocker> quiet;
        quiet.reserve(20);
        for (QSpinBox *box : Delay_SpinBoxes)
            if (box)
                quiet.emplace_back(box);
        quiet.emplace_back(ui->spinBox);
        quiet.emplace_back(ui->horizontalSlider);
        loadDelayRows();
    }
    updateUnsavedMarker();
}

void Widget::updateUnsavedMarker()
{
    const int pending = device::pendingChanges(Store);
    if (isWindowModified() != (pending > 0))
        setWindowModified(pending > 0);
    const QString tip = pending == 0   ? editText(Language, EditText::PendingNone)
                        : pending == 1 ? editText(Language, EditText::PendingOne)
                                       : editText(Language, EditText::PendingMany).arg(pending);
    if (ui->download->toolTip() != tip)
        ui->download->setToolTip(tip);
}

void Widget::noteKeypadModel(const device::Keypad &keypad)
{
    // Whatever the keypad held before it was unplugged is not known any more.
    Keypad_Copy->forget();
    const int model[3] = {keypad.answered ? keypad.keys : Store.Layout_Key_Num,
                          keypad.answered ? keypad.knobs : Store.Layout_Knob_Num,
                          keypad.answered ? keypad.variant : 0};
    if (std::equal(model, model + 3, Edit_Model))
        return;
    std::copy(model, model + 3, Edit_Model);
    Undo_Stack->clear();
}

void Widget::noteSaved(const device::SaveJob &job, const device::SaveOutcome &outcome)
{
    Keypad_Copy->noteSaved(Store, job, outcome);
    updateUnsavedMarker();
    switchAfterSave(!outcome.failed);
    if (!Close_After_Save)
        return;
    Close_After_Save = false;
    if (!outcome.failed && device::pendingChanges(Store) == 0) {
        Close_Confirmed = true;
        close();
    }
}

void Widget::noteRead(const device::ViewOutcome &outcome)
{
    Keypad_Copy->noteRead(Store, outcome);
}

bool Widget::confirmLoss(Loss what)
{
    const int pending = device::pendingChanges(Store);
    if (pending == 0)
        return true;
    if (what == Loss::View)
        return Ask_User(editText(Language, EditText::ViewQuestion), pending,
                        QMessageBox::Yes | QMessageBox::Cancel) == QMessageBox::Yes;
    return Ask_User(editText(Language, EditText::OpenQuestion), pending,
                    QMessageBox::Open | QMessageBox::Cancel) == QMessageBox::Open;
}

bool Widget::confirmClose()
{
    const int pending = device::pendingChanges(Store);
    if (Close_Confirmed || pending == 0)
        return true;
    switch (Ask_User(editText(Language, EditText::CloseQuestion), pending,
                     QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel)) {
    case QMessageBox::Discard:
        return true;
    case QMessageBox::Save:
        // The window closes once the keypad confirmed every change (noteSaved).
        Close_After_Save = saveBeforeLeaving();
        return false;
    default:
        return false;
    }
}

bool Widget::saveBeforeLeaving()
{
    if (Store.Dev_Connected == 1 && Keypad_Link->save(device::saveJob(Store))) {
        endNoticeForExchange();
        return true;
    }
    showNotice(editText(Language, Store.Dev_Connected == 1 ? EditText::Busy : EditText::NotConnected),
               kFailureStyle, kReadNoticeMs, &Widget::endNotice);
    return false;
}
