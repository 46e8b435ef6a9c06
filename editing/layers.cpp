#include "app/widget.h"

void Widget::SendLayer(int) {}
void Widget::on_changeButtonGroup(int) {}
void Widget::on_tabWidget_currentChanged(int) {}
void Widget::collectFunctionButtons(int) {}
