#include "app/widget.h"

bool Widget::eventFilter(QObject *watched, QEvent *event) { return QWidget::eventFilter(watched, event); }
