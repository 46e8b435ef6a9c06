#pragma once
#include <QButtonGroup>
#include <QElapsedTimer>
#include <QList>
#include <QMap>
#include <QPushButton>
#include <QSpinBox>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

#include "app/hid_key_val.h"
#include "catalogue/keycodes.h"
#include "device/link_types.h"

namespace device
{
class KeypadLink;
}

QT_BEGIN_NAMESPACE
namespace Ui
{
class Widget;
}
QT_END_NAMESPACE
class Ui_Widget;
class Dialog1;
class CustomTabStyle;
class QResizeEvent;
class QUndoStack;
class QMenu;
class QToolButton;
class QAction;
namespace edits
{
struct StoreState;
struct ViewState;
class KeypadCopy;
} // namespace edits

class Widget : public QWidget, public HID_Key_Val
{
    Q_OBJECT

  public:
    explicit Widget(QWidget *parent = nullptr);
    ~Widget() override;

    // ---- members of the main window, in declaration order ----
    Ui_Widget *ui;
    QButtonGroup *Key_Slot_Group = nullptr;
    catalogue::Language Language = catalogue::Chinese;
    QList<QPushButton *> Tab_Buttons;
    QMap<QString, int> Key_Index_Map;
    QMap<QString, quint8> Key_Code_Map;
    quint8 Mod_Begin, Mod_End, Media_Begin, Media_End, Led_Begin, Led_End, Mouse_Begin, Mouse_End, Key_Begin,
        Key_End;
    QString Slot_Name_CN[27];
    QString Slot_Name_EN[27];
    // The name of slot 1..27 in the language in force, as the selection shows it.
    QString slotName(int slot) const;
    QString Key_Name_CN[catalogue::kRowCount];
    QString Key_Name_EN[catalogue::kRowCount];
    quint8 Key_Code[catalogue::kRowCount];
    QString Led_Color_CN[7], Led_Mode_CN[6], Led_Color_EN[7], Led_Mode_EN[6];
    QTimer *Poll_Timer = nullptr;
    QButtonGroup *Layer_Group = nullptr;
    Dialog1 *Model_Dialog = nullptr;
    // The keypad link: it owns the hidapi handle and talks to the keypad on a thread of its own.
    device::KeypadLink *Keypad_Link = nullptr;

    // ---- catalogue maps (app/language.cpp) ----
    void Build_Key_Maps_CN();
    void Build_Key_Maps_EN();

    // ---- device link glue (app/widget_device.cpp, app/widget_status.cpp) ----
    // The link's signals to the handlers below (construction).
    void connectKeypadLink();
    void onKeypadOpened(quint16 vid, quint16 pid);
    // First contact done: the model (or the model dialog without a usable answer), the pages
    // for the record format, an extended keypad's configuration read back.
    void onKeypadConnected(const device::Keypad &keypad, const device::ViewOutcome &readBack);
    void onKeypadClosed();
    // Re-lays out the picture when Dev_Key_Num/Dev_Knob_Num differ from the laid-out model.
    void checkModel();
    // Starts a download of every flagged record (and the extended LED state).
    void downloadConfiguration();
    void onSaved(const device::SaveJob &job, const device::SaveOutcome &outcome);
    // Starts a read-back of `layers` layers (`keys` key slots, `knobs` knobs per layer).
    void readConfiguration(quint8 layers, quint8 keys, quint8 knobs);
    void onViewed(const device::ViewOutcome &outcome);
    // Save settings and View settings: disabled while an exchange runs; View settings also
    // until the keypad answers the model query.
    void updateActionButtons();
    void onLinkBusy(bool busy);
    bool Model_Answered = true;
    bool Led_Query_Wanted = false; // the LED page asked while the link was busy

    // ---- the attached keypads (app/widget_keypads.cpp) ----
    // Steps by hot-plug events where the system announces devices, else Poll_Timer (construction).
    void startKeypadWatch();
    // Lists the attached keypads in `menu` (model where known, ids, serial or path), the one in
    // use checked; choosing one runs switchKeypad.
    void fillKeypadMenu(QMenu *menu);
    // Works with the keypad at `path` from now on: its first contact follows (model, pages,
    // picture). The store and its unsaved edits stay as they are.
    void switchKeypad(const QByteArray &path);
    // The "Keypad" submenu of the window menu, shown while more than one keypad is attached.
    void setupKeypadMenu();
    QAction *Keypad_Menu_Action = nullptr;
    // A switch waiting for the Save the question asked for: done when that Save succeeded.
    QByteArray Switch_After_Save;
    void switchAfterSave(bool saved);
    // The keypad in use for the status line's tooltip (empty when none).
    QString keypadInUse() const;

    // Status line. The state texts are not shown while a notice or an exchange's progress owns
    // the line; progress appears once an exchange has run for a moment.
    void showLinkState();
    void showConnectedStatus();
    void showDisconnectedStatus();
    // The keypad is listed but cannot be opened (no access to its hidraw node).
    void showAccessDeniedStatus();
    void onLinkProgress(device::Exchange exchange, int done, int total);
    // "Saved successfully" on Dev_Sta_Dsp until onTimeupDestroy, 1500 ms later.
    void showSaveNotice();
    void showSaveFailedNotice(int kept);
    void showViewNotice(int read, int requested, bool complete);
    // Shows a notice that owns the status line for `ms`; `end` runs then (a later notice
    // replaces an earlier one).
    void showNotice(const QString &text, const QString &style, int ms, void (Widget::*end)());
    void endNotice();
    // A Save or View the user starts ends the notice of the one before.
    void endNoticeForExchange();
    QTimer *Notice_Timer = nullptr; // single shot
    void (Widget::*Notice_End)() = nullptr;
    void noticeEnded() { (this->*Notice_End)(); }
    QElapsedTimer Exchange_Clock;
    qint64 Progress_Shown_At = 0; // ms into the exchange

    // ---- editing glue (app/widget_layers.cpp, widget_naming.cpp, ...) ----
    void collectFunctionButtons(int page);
    // Writes the text of the selected slot's record into the information box.
    void describeSelectedSlot();
    // Labels the slot buttons 1..25 of the picture from the records of `layer`.
    void refreshLayerNames(int layer);
    // Assignment (widget_assign.cpp): writes catalogue function `id` into the selected
    // slot's record of the current layer. False when the record has no room for it;
    // the record, its flag and the slot caption are then unchanged.
    bool assignKeyCode(quint8 id);
    bool assignModifier(quint8 id);
    bool assignMediaKey(quint8 id);
    bool assignMouseAction(quint8 id);
    // Appends `caption` to the selected slot's picture button and shows the result.
    void showAssignedName(const QString &caption);

    // delays (widget_delays.cpp): the per-stroke rows of extended keypads, 1..18
    QSpinBox *Delay_SpinBoxes[19] = {};
    void setupDelaySpinBoxes();
    // Stores the spin box value as the selected slot's standard delay.
    void assignDelay();
    // Ranges and suffix of the rows, then loadDelayRows (page 5 entered).
    void enterDelayPage();
    // Enables the rows for the selected slot and labels them from its extended record.
    void refreshDelayPage();
    // refreshDelayPage, then the selected slot's delays: the rows of an extended record,
    // the spin box and slider of a standard one.
    void loadDelayRows();

    // LED (widget_led.cpp)
    void SetRgb_Led_Key(int index);
    void setupLedButtons();
    void onLedColourClicked(QPushButton *button);
    void onLedModeClicked(int index);
    // Asks an extended keypad (when connected) for the layer's LED state and shows the stored
    // state; the answer is shown when it comes (onLedRead).
    void refreshLedPage();
    void onLedRead(const device::LedOutcome &outcome);
    // The mode buttons and key colours of the layer from the store.
    void showLedPage();

    // Procreate page (widget_presets.cpp)
    void buildPresetPage();
    void onPresetClicked(QPushButton *button);
    // Removes the "Procreate" page if there is one; true when it was removed.
    bool removePresetPage();

    // First contact: LED page, delay rows and standard delay controls for the format
    // (widget_led.cpp).
    void setupPagesForFormat(bool extended);

    // ---- device picture (app/widget_picture.cpp, widget_highlight.cpp) ----
    // The layout dispatch: lays out the device picture for Layout_Key_Num,
    // Layout_Knob_Num, Layout_Variant and Cur_PID at the window height Win_Height
    // (views/window_geometry.h). Idempotent; call it whenever the model changes.
    void layoutDevicePicture();
    // Slot highlight (widget_highlight.cpp). highlightSlot(id): 1..25 highlights that
    // slot alone (not while Select_PHY_Key_Mode is 8); 0xFF clears every highlight.
    void highlightSlot(int id);
    void clearSlotHighlights();
    void rehighlightSelectedSlot();
    // Resize placement (widget_picture.cpp): the fixed widgets of the upper half, with
    // the tab bar's style refreshed after tabWidget is placed.
    void placeFixedWidgets(int W, int H);
    void refreshTabBarStyle();
    // The tab bar's style (a child of the window) and the tab size it was last set for.
    CustomTabStyle *Tab_Style = nullptr;
    QSize Tab_Size;

    // ---- unsaved edits, undo and redo (app/widget_edits.cpp) ----
    // Every edit of the store is one undo step (EditStep around the handler that makes it);
    // windowModified and the Save settings tooltip follow the flags.
    QUndoStack *Undo_Stack = nullptr;
    std::unique_ptr<edits::KeypadCopy> Keypad_Copy; // what the keypad is known to hold
    std::unique_ptr<edits::StoreState> Edit_Before; // the store when the outermost step began
    std::unique_ptr<edits::ViewState> View_Before;
    int Edit_Depth = 0;
    int Edit_Model[3] = {-1, -1, -1}; // keys, knobs, variant the history was made on
    bool Close_After_Save = false;    // the close confirmation's Save: close once it succeeded
    bool Close_Confirmed = false;
    void setupEditHistory();
    void beginEdit();
    void endEdit(const QString &what, int mergeKey);
    edits::ViewState viewState() const;
    void showViewState(const edits::ViewState &view);
    void updateUnsavedMarker();
    // Clears the history when a keypad of another model than the one it was made on connects.
    void noteKeypadModel(const device::Keypad &keypad);
    void noteSaved(const device::SaveJob &job, const device::SaveOutcome &outcome);
    void noteRead(const device::ViewOutcome &outcome);
    // What would be lost, asked only while changes are unsaved: true to go on.
    enum class Loss { View, OpenLayout };
    bool confirmLoss(Loss what);
    // The close confirmation (the window's close events pass through it).
    bool confirmClose();
    // A question's Save before closing or switching keypads: true when the Save is on its way,
    // else the status line says why not (no keypad, or the link busy).
    bool saveBeforeLeaving();
    // Asks the question with the standard buttons (QMessageBox::StandardButtons) and returns the
    // one chosen; a message box in both languages unless replaced (a test's answer).
    std::function<int(const QString &question, int changes, int buttons)> Ask_User;

    // ---- keyboard use and start language (app/widget_keyboard.cpp, app/start_language.cpp) ----
    // Space and Enter on a focused button of `root` act as a mouse click on it.
    void enableKeyActivation(QWidget *root);
    void setupKeyboardUse();

    // ---- window menu and layout files (app/widget_menu.cpp) ----
    QToolButton *Window_Menu_Button = nullptr;
    QMenu *Window_Menu = nullptr;
    // The "Keypad" submenu (choosing among several attached keypads) goes before this separator:
    // Window_Menu->insertMenu(Keypad_Menu_Place, menu).
    QAction *Keypad_Menu_Place = nullptr;
    QAction *Save_Layout_Action = nullptr;
    QAction *Open_Layout_Action = nullptr;
    // Asks for a layout file to open (false) or save (true); an empty string: cancelled.
    std::function<QString(bool save)> Choose_Layout_File;
    void setupWindowMenu();
    // To the right of the layer buttons; hidden when that spot is taken at this window size.
    void placeWindowMenuButton();
    void saveLayoutFile();
    void openLayoutFile();
    void saveLayout(const QString &path);
    void openLayout(const QString &path);
    void refreshAfterRestore();

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

  private slots:
    void on_confirmButton_clicked();
    void on_CleanButton_clicked();
    void on_CleanALLButton_clicked();
    void Read_configuration_clicked();
    void SendLayer(int index);
    void timeoutSlot();
    void on_changeButtonGroup(int id);
    void onSpinBoxValueChanged(int value);
    void on_tabWidget_currentChanged(int index);
    void slotSpinbox_slider();
    void slotslider_Spinbox();
    void onTimeupDestroy();
    void on_change_clicked();
};
