#include "app/widget.h"

void Widget::on_confirmButton_clicked() {}
void Widget::onTimeupDestroy() {}
