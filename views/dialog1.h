#pragma once
#include <QDialog>

// The model-selection dialog.
class Dialog1 : public QDialog
{
    Q_OBJECT
public:
    explicit Dialog1(QWidget *parent = nullptr);
};
