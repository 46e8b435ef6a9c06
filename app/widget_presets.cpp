// The "Procreate" page of extended keypads: one-click shortcuts written into the
// selected slot's extended record.
#include <QGridLayout>
#include <QTabWidget>
#include <QVariantList>

#include "app/edit_step.h"
#include "app/editing_log.h"
#include "app/widget.h"
#include "device/store.h"
#include "editing/preset_table.h"
#include "ui_widget.h"

namespace
{
const QString kPageTitle = QStringLiteral("Procreate");
const char *const kDataValue = "data-value";

const QString kPresetStyle = QStringLiteral(
    "QPushButton{color:#FFFFFF;border-radius:2px;font-size:20px;background-color:rgb(60, 60, 60);}"
    "QPushButton::hover{color:#FFFFFF;background-color:#718093;border-color:#2f3640;}"
    "QPushButton::pressed,QPushButton::checked{color:#FFFFFF;background-color:qlineargradient(spread:pad, "
    "x1:0, y1:0, x2:0, y2:1, stop:0 #273c75, stop:1 #487eb0);}"
    "QPushButton::disabled{color:#FFFFFF;background-color:#dcdde1;border-color:#dcdde1;}");

int presetPageIndex(const QTabWidget *tabs)
{
    for (int i = 0; i < tabs->count(); ++i)
        if (tabs->tabText(i) == kPageTitle)
            return i;
    return -1;
}

QVariant dataValue(const presets::Preset &p)
{
    if (p.count == 1)
        return int(p.codes[0]);
    QVariantList list;
    for (int i = 0; i < p.count; ++i)
        list << int(p.codes[i]);
    return list;
}
} // namespace

void Widget::buildPresetPage()
{
    if (presetPageIndex(ui->tabWidget) >= 0)
        return;
    auto *page = new QWidget;
    auto *grid = new QGridLayout;
    ui->tabWidget->addTab(page, kPageTitle);
    for (int n = 0; n < presets::kPresetCount; ++n) {
        const presets::Preset &p = presets::kPresets[n];
        auto *b = new QPushButton(page);
        b->setText(Language == catalogue::Chinese ? QString::fromUtf8(p.nameCN)
                                                  : QString::fromUtf8(p.nameEN));
        b->setProperty(kDataValue, dataValue(p));
        b->setStyleSheet(kPresetStyle);
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        grid->addWidget(b, n / presets::kColumns, n % presets::kColumns);
        connect(b, &QPushButton::clicked, this, [this, b] { onPresetClicked(b); });
    }
    for (int r = 0; r < grid->rowCount(); ++r)
        grid->setRowStretch(r, 1);
    for (int c = 0; c < grid->columnCount(); ++c)
        grid->setColumnStretch(c, 1);
    page->setLayout(grid);
    enableKeyActivation(page);
}

bool Widget::removePresetPage()
{
    const int index = presetPageIndex(ui->tabWidget);
    if (index < 0)
        return false;
    QWidget *page = ui->tabWidget->widget(index);
    ui->tabWidget->removeTab(index);
    delete page;
    qCDebug(lcEditing) << "Procreate tab removed.";
    return true;
}

void Widget::onPresetClicked(QPushButton *button)
{
    const int slot = Store.Select_PHY_Key;
    if (slot == 0 || slot >= kSlots) {
        qCWarning(lcEditing) << "Invalid Select_PHY_Key:" << slot;
        return;
    }
    const int layer = Store.Select_PHY_Key_Layer;
    const EditStep step(this, button->text());

    QVector<int> codes;
    const QVariant value = button->property(kDataValue);
    if (value.userType() == QMetaType::QVariantList) {
        for (const QVariant &v : value.toList())
            codes << v.toInt();
    } else if (value.userType() == QMetaType::Int) {
        codes << value.toInt();
    }
    if (presets::apply(Store.PHY2_KEY_Value[layer][slot], codes.constData(), codes.size(),
                       Store.Select_PHY_Key_Mode)) {
        static const char *const kWhat[] = {"single value", "two values", "three values"};
        QStringList hex;
        for (int c : codes)
            hex << QString::number(c, 16);
        qCDebug(lcEditing).noquote()
            << QStringLiteral("PHY2_KEY_Value updated (%1):").arg(kWhat[codes.size() - 1])
            << hex.join(QLatin1Char(' '));
        Store.markChanged(layer, slot);
        qCDebug(lcEditing, "Modify key value Flag: Layer=%d  Key=%d \n", layer, slot);
    }

    if (slot >= 1 && slot <= kLastKeySlot) {
        if (QAbstractButton *key = Key_Slot_Group->button(slot))
            key->setText(button->text());
        ui->lineEdit->setPlainText(button->text());
    } else {
        qCWarning(lcEditing) << "Invalid Select_PHY_Key:" << slot;
    }
}
