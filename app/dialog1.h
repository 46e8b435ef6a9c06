#pragma once
#include <QDialog>

class QButtonGroup;
namespace Ui
{
class Dialog1;
}

// The model-selection dialog: six keypad pictures, each under a transparent
// button. A click only records the chosen model in Dev_Key_Num / Dev_Knob_Num;
// the poll step applies it while a device is connected.
class Dialog1 : public QDialog
{
    Q_OBJECT
  public:
    explicit Dialog1(QWidget *parent = nullptr);
    ~Dialog1() override;

    // Re-places the dialog's widgets for a main window of W x H.
    void placeWidgets(int W, int H);

    QButtonGroup *Model_Group = nullptr;

  private slots:
    void on_changeButtonGroup(int id);

  private:
    Ui::Dialog1 *ui;
};
