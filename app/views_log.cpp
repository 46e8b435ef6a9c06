#include "app/views_log.h"

Q_LOGGING_CATEGORY(lcViews, "zorveldeck.views", QtInfoMsg)
