#include "app/widget.h"

void Widget::onSpinBoxValueChanged(int) {}
void Widget::slotSpinbox_slider() {}
void Widget::slotslider_Spinbox() {}
