#include "app/widget.h"

void Widget::timeoutSlot() {}
