#include "app/widget.h"

void Widget::on_change_clicked() {}
void Widget::Build_Key_Maps_CN() {}
void Widget::Build_Key_Maps_EN() {}
