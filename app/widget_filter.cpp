// The assignment filter: a mouse-button release on any function button of the tab
// widget is turned into an assignment by the button's caption.
#include <QEvent>

#include <utility>

#include "app/edit_step.h"
#include "app/editing_log.h"
#include "app/widget.h"
#include "device/store.h"
#include "editing/record_rules.h"
#include "ui_widget.h"

namespace
{
constexpr int kDelayPage = 5;
} // namespace

bool Widget::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::MouseButtonRelease)
        return false;
    for (QPushButton *button : std::as_const(Tab_Buttons)) {
        if (button != watched)
            continue;
        const EditStep step(this, button->text());
        // the delay page assigns nothing, and its buttons never see the release
        if (ui->tabWidget->currentIndex() == kDelayPage)
            return true;
        // the LED page of an extended keypad has handlers of its own
        if (Store.extended() && Store.Select_PHY_Key_Mode == record_rules::kLedType)
            return false;

        const QString caption = button->text();
        qCDebug(lcEditing) << "select the value is " << caption;
        const auto found = Key_Index_Map.constFind(caption);
        if (found != Key_Index_Map.constEnd()) {
            const quint8 id = quint8(found.value());
            if (Store.Select_PHY_Key != 0) {
                // a slot holds functions of one type: another type starts it afresh
                const quint8 *record = Store.record(Store.Select_PHY_Key_Layer, Store.Select_PHY_Key);
                if (record[3] != Store.Select_PHY_Key_Mode)
                    on_CleanButton_clicked();

                bool written;
                if (id <= Mod_End)
                    written = assignModifier(id);
                else if (id >= Media_Begin && id <= Media_End)
                    written = assignMediaKey(id);
                else if (id >= Mouse_Begin && id <= Mouse_End)
                    written = assignMouseAction(id);
                else
                    written = assignKeyCode(id);
                if (written)
                    showAssignedName(caption);
                qCDebug(lcEditing) << "select the value is " << id << caption;
            }
            if (!Store.extended() && id >= Led_Begin && id <= Led_End) {
                SetRgb_Led_Key(id);
                qCDebug(lcEditing) << "select the value is " << id << caption;
            }
        }
        qCDebug(lcEditing) << "KEY Touch";
    }
    return false;
}
