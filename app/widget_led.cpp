// LED page: the layer's LED byte of standard keypads, and the per-layer mode and
// per-key colours of extended keypads with the LED query.
#include <QColor>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>

#include "app/edit_history.h"
#include "app/edit_step.h"
#include "app/editing_log.h"
#include "app/widget.h"
#include "device/keypad_link.h"
#include "device/store.h"
#include "device/store_exchange.h"
#include "editing/led_rules.h"
#include "editing/record_rules.h"
#include "ui_widget.h"

namespace
{
constexpr int kPaletteButtons = 56;
constexpr int kCaptionedColours = 7;

const QString kModeSelected = QStringLiteral("color: #000000; background-color: white;");
const QString kModeUnselected = QStringLiteral("color: #FFFFFF; background-color: rgb(60, 60, 60);");

QString keyColourStyle(const QColor &c)
{
    return QStringLiteral("QPushButton {   background-color: %1;   color: white;   border-radius: 5px;   "
                          "padding: 10px;}QPushButton:hover {   background-color: %2;}QPushButton:pressed "
                          "{   background-color: %3;}")
        .arg(c.name(), c.darker(110).name(), c.darker(120).name());
}
} // namespace

void Widget::SetRgb_Led_Key(int index)
{
    if (index < 0 || index >= catalogue::kRowCount)
        return;
    const int layer = Store.Select_PHY_Key_Layer;
    const quint8 mode = Store.Select_PHY_Key_Mode;
    qCDebug(lcEditing, "SetRgb_Led_Key(int index) %d", index);
    const quint8 b = led::storeStandardLed(Store.PHY_KEY_Value[layer][0], layer, mode, Key_Code[index]);
    if (Store.Select_PHY_Key < kSlots)
        Store.PHY_KEY_Value[layer][Store.Select_PHY_Key][3] = mode;
    Store.markChanged(layer, 0);
    qCDebug(lcEditing, "Modify key value Flag: Layer=%d  Key=%d \n", layer, 0);

    const int m = led::modeIndex(b);
    const int c = led::colourIndex(b);
    const QString modeName =
        m < 0 ? QString() : (Language == catalogue::Chinese ? Led_Mode_CN[m] : Led_Mode_EN[m]);
    const QString colourName =
        c < 0 ? QString() : (Language == catalogue::Chinese ? Led_Color_CN[c] : Led_Color_EN[c]);
    ui->lineEdit->setPlainText(modeName + QStringLiteral("   ") + colourName);
}

void Widget::setupLedButtons()
{
    for (int n = 1; n <= kPaletteButtons; ++n) {
        const QString name = QStringLiteral("LED_color_%1").arg(n);
        auto *b = findChild<QPushButton *>(name);
        if (!b) {
            qCWarning(lcEditing) << "Button not found:" << name;
            continue;
        }
        connect(b, &QPushButton::clicked, this, [this, b] { onLedColourClicked(b); });
    }
    for (int i = 0; i < led::kModes; ++i) {
        const QString name = QStringLiteral("LED_Mode_%1").arg(i);
        auto *b = findChild<QPushButton *>(name);
        if (!b) {
            qCWarning(lcEditing) << "Button not found:" << name;
            continue;
        }
        connect(b, &QPushButton::clicked, this, [this, i] { onLedModeClicked(i); });
    }
}

namespace
{
void styleModeButtons(QWidget *window, int selected)
{
    for (int i = 0; i < led::kModes; ++i)
        if (auto *b = window->findChild<QPushButton *>(QStringLiteral("LED_Mode_%1").arg(i)))
            b->setStyleSheet(i == selected ? kModeSelected : kModeUnselected);
}
} // namespace

void Widget::onLedModeClicked(int index)
{
    const EditStep step(this, QStringLiteral("LED"));
    Store.LED_Layer_Mode[Store.Select_PHY_Key_Layer] = quint8(index);
    styleModeButtons(this, index);
    Store.markLedChanged();
    qCDebug(lcEditing) << "Selected mode:" << index;
}

void Widget::onLedColourClicked(QPushButton *button)
{
    qCDebug(lcEditing) << "Button clicked-----:" << button->text();
    button->ensurePolished(); // the style sheet's background becomes the button colour
    const QColor colour = button->palette().color(QPalette::Button);

    const int slot = Store.Select_PHY_Key;
    if (slot < 1 || slot > kLedKeys) {
        qCWarning(lcEditing) << "Invalid Select_PHY_Key:" << slot;
        return;
    }
    const EditStep step(this, QStringLiteral("LED"));
    if (QAbstractButton *key = Key_Slot_Group->button(slot))
        key->setStyleSheet(keyColourStyle(colour));
    quint8 *rgb = Store.LED_Color_Table[Store.Select_PHY_Key_Layer][slot - 1];
    rgb[0] = quint8(colour.red());
    rgb[1] = quint8(colour.green());
    rgb[2] = quint8(colour.blue());
    Store.markLedChanged();
    qCDebug(lcEditing) << "KeyBoard_KeyLed updated:"
                       << "R:" << rgb[0] << "G:" << rgb[1] << "B:" << rgb[2];
}

void Widget::refreshLedPage()
{
    // The keypad is asked whenever it is open, also during its first contact; while the link
    // is busy with another exchange it is asked once that one is done.
    if (Store.dev_list) {
        if (Keypad_Link->busy())
            Led_Query_Wanted = true;
        else
            Keypad_Link->queryLed(Store.Select_PHY_Key_Layer, Store.Edit_Serial);
    }
    showLedPage();
}

void Widget::onLedRead(const device::LedOutcome &outcome)
{
    // An LED state edited and not yet saved is the user's, not replaced by the keypad's.
    const bool taken = device::applyLed(Store, outcome);
    if (taken)
        Keypad_Copy->noteLed(Store, outcome.layer);
    if (taken && Store.extended() && Store.Select_PHY_Key_Mode == record_rules::kLedType &&
        outcome.layer == Store.Select_PHY_Key_Layer)
        showLedPage();
}

void Widget::showLedPage()
{
    const int layer = Store.Select_PHY_Key_Layer;
    styleModeButtons(this, Store.LED_Layer_Mode[layer]);
    const int keys = qMin<int>(kLedKeys, Store.Layout_Key_Num);
    for (int i = 1; i <= keys; ++i) {
        const quint8 *rgb = Store.LED_Color_Table[layer][i - 1];
        if (QAbstractButton *key = Key_Slot_Group->button(i))
            key->setStyleSheet(
                QStringLiteral("background-color: rgb(%1, %2, %3);").arg(rgb[0]).arg(rgb[1]).arg(rgb[2]));
    }
}

void Widget::setupPagesForFormat(bool extended)
{
    auto find = [this](const QString &pattern, int n) { return findChild<QWidget *>(pattern.arg(n)); };
    for (int n = 1; n <= kPaletteButtons; ++n) {
        auto *b = qobject_cast<QPushButton *>(find(QStringLiteral("LED_color_%1"), n));
        if (!b)
            continue;
        if (n <= kCaptionedColours)
            b->setText(extended
                           ? QString()
                           : (Language == catalogue::English ? Led_Color_EN[n - 1] : Led_Color_CN[n - 1]));
        else
            b->setVisible(extended);
    }
    for (int n = 1; n <= 18; ++n) {
        if (QWidget *w = find(QStringLiteral("delay_spinBox_%1"), n))
            w->setVisible(extended);
        if (QWidget *w = find(QStringLiteral("pushButton_delay_%1"), n))
            w->setVisible(extended);
    }
    // the slider and spin box of the one delay per slot, for standard keypads only
    for (const char *name : {"label", "horizontalSlider", "spinBox", "label_2"})
        if (QWidget *w = findChild<QWidget *>(QLatin1String(name)))
            w->setVisible(!extended);
}
