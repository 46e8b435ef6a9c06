#include "app/widget.h"

void Widget::on_CleanButton_clicked() {}
void Widget::on_CleanALLButton_clicked() {}
