#include "app/widget.h"

void Widget::describeSelectedSlot() {}
void Widget::refreshLayerNames(int) {}
