#include "app/widget.h"

#include <QResizeEvent>

void Widget::resizeEvent(QResizeEvent *event) { QWidget::resizeEvent(event); }
void Widget::layoutDevicePicture() {}
