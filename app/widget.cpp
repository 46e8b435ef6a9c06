#include "app/widget.h"

#include <QApplication>
#include <QDebug>
#include <QScreen>
#include <QTabBar>

#include "app/app_log.h"
#include "app/dialog1.h"
#include "app/edit_history.h"
#include "app/start_language.h"
#include "app/tab_style.h"
#include "device/keypad_link.h"
#include "device/store.h"
#include "ui_widget.h"

Q_LOGGING_CATEGORY(lcApp, "zorveldeck.app", QtInfoMsg)

Widget::Widget(QWidget *parent)
    : QWidget(parent), ui(new Ui_Widget), Mod_Begin(catalogue::kModBegin), Mod_End(catalogue::kModEnd),
      Media_Begin(catalogue::kMediaBegin), Media_End(catalogue::kMediaEnd), Led_Begin(catalogue::kLedBegin),
      Led_End(catalogue::kLedEnd), Mouse_Begin(catalogue::kMouseBegin), Mouse_End(catalogue::kMouseEnd),
      Key_Begin(catalogue::kKeyBegin), Key_End(catalogue::kKeyEnd)
{
    // the catalogue: slot names, key names and codes, LED names
    for (int i = 0; i < catalogue::kSlotNameCount; ++i) {
        Slot_Name_CN[i] = QString::fromUtf8(catalogue::kSlotNames[i].cn);
        Slot_Name_EN[i] = QString::fromUtf8(catalogue::kSlotNames[i].en);
    }
    for (int i = 0; i < catalogue::kRowCount; ++i) {
        Key_Name_CN[i] = QString::fromUtf8(catalogue::kRows[i].nameCN);
        Key_Name_EN[i] = QString::fromUtf8(catalogue::kRows[i].nameEN);
        Key_Code[i] = catalogue::kRows[i].code;
    }
    for (int i = 0; i < catalogue::kLedColorCount; ++i) {
        Led_Color_CN[i] = QString::fromUtf8(catalogue::kLedColors[i].cn);
        Led_Color_EN[i] = QString::fromUtf8(catalogue::kLedColors[i].en);
    }
    for (int i = 0; i < catalogue::kLedModeCount; ++i) {
        Led_Mode_CN[i] = QString::fromUtf8(catalogue::kLedModes[i].cn);
        Led_Mode_EN[i] = QString::fromUtf8(catalogue::kLedModes[i].en);
    }

    // the model dialog
    Model_Dialog = new Dialog1(this);

    // the form
    ui->setupUi(this);

    // maximised
    showMaximized();
    setWindowState(Qt::WindowMaximized);
    setGeometry(QGuiApplication::primaryScreen()->availableGeometry());

    // the slot buttons of the picture, ids 1..25
    Key_Slot_Group = new QButtonGroup(this);
    for (int n = 1; n <= kLastKeySlot; ++n) {
        auto *b = findChild<QPushButton *>(QStringLiteral("pushButton_K%1").arg(n));
        b->setCheckable(true);
        Key_Slot_Group->addButton(b, n);
    }
    Key_Slot_Group->setExclusive(true);
    connect(Key_Slot_Group, &QButtonGroup::idClicked, this, &Widget::on_changeButtonGroup);

    // the keypad link and the 100 ms search
    Keypad_Link = new device::KeypadLink(this);
    connectKeypadLink();
    Poll_Timer = new QTimer(this);
    connect(Poll_Timer, &QTimer::timeout, this, &Widget::timeoutSlot);
    startKeypadWatch();

    // the vertical tab bar
    ui->tabWidget->setTabPosition(QTabWidget::West);
    Tab_Style = new CustomTabStyle;
    Tab_Style->setParent(this);
    ui->tabWidget->tabBar()->setStyle(Tab_Style);
    ui->tabWidget->setStyleSheet(
        QStringLiteral("QTabWidget::pane{border:1px solid rgba(108, 117, 125, 65);}"));

    // the delay slider and its spin box
    connect(ui->horizontalSlider, &QSlider::valueChanged, this, &Widget::slotSpinbox_slider);
    connect(ui->spinBox, QOverload<int>::of(&QSpinBox::valueChanged), this, &Widget::slotslider_Spinbox);

    // the delay rows
    setupDelaySpinBoxes();

    // the store, the layer buttons, the action buttons and the catalogue maps
    Store.initRecords();
    Layer_Group = new QButtonGroup(this);
    Layer_Group->addButton(ui->Layer1, 0);
    Layer_Group->addButton(ui->Layer2, 1);
    Layer_Group->addButton(ui->Layer3, 2);
    ui->Layer1->setCheckable(true);
    ui->Layer2->setCheckable(true);
    ui->Layer3->setCheckable(true);
    ui->Layer1->setChecked(true);
    connect(Layer_Group, &QButtonGroup::idClicked, this, &Widget::SendLayer);
    connect(ui->Read_Configuration, &QPushButton::clicked, this, &Widget::Read_configuration_clicked);
    connect(ui->download, &QPushButton::clicked, this, &Widget::on_confirmButton_clicked);
    connect(ui->cancel, &QPushButton::clicked, this, &Widget::on_CleanButton_clicked);
    connect(ui->cancel_2, &QPushButton::clicked, this, &Widget::on_CleanALLButton_clicked);
    Build_Key_Maps_CN();
    collectFunctionButtons(0);

    // layer 1 selected
    SendLayer(0);

    // fonts and hidden widgets
    QFont actionFont;
    actionFont.setPointSize(13);
    for (QWidget *b : {static_cast<QWidget *>(ui->cancel), static_cast<QWidget *>(ui->cancel_2),
                       static_cast<QWidget *>(ui->Read_Configuration), static_cast<QWidget *>(ui->download)})
        b->setFont(actionFont);
    ui->pushButton_SeleKey->hide();
    QFont infoFont;
    infoFont.setPointSize(15);
    ui->lineEdit->setFont(infoFont);
    ui->KB_6ADD2_QR_CODE->hide();

    // the form's texts are Chinese; English unless the desktop or --language asks for Chinese
    if (start_language::language() == catalogue::English)
        on_change_clicked();
    ui->change->hide();

    // the default picture: 15 keys, 3 knobs
    layoutDevicePicture();

    // the LED buttons
    setupLedButtons();

    setupEditHistory();
    setupKeyboardUse();
    setupWindowMenu();
}

Widget::~Widget()
{
    // Closes the keypad's handle and shuts hidapi down before the window goes.
    delete Keypad_Link;
    // the history tells the window about its last change as it goes
    delete Undo_Stack;
    delete ui;
}
