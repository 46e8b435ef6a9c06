#include "app/widget.h"

void Widget::Read_configuration_clicked() {}
