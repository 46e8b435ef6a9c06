#include "app/editing_log.h"

Q_LOGGING_CATEGORY(lcEditing, "zorveldeck.editing", QtInfoMsg)
