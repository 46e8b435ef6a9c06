#include "views/dialog1.h"

Dialog1::Dialog1(QWidget *parent) : QDialog(parent) {}
