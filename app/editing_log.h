#pragma once
#include <QLoggingCategory>

// Diagnostics of the key editor ("zorveldeck.editing").
Q_DECLARE_LOGGING_CATEGORY(lcEditing)
