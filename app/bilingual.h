#pragma once
// A text of the window in both languages, as the tables of texts hold it.
#include <QString>

#include "catalogue/keycodes.h"

struct Bilingual {
    const char *en;
    const char *cn;
    QString in(catalogue::Language language) const
    {
        return QString::fromUtf8(language == catalogue::English ? en : cn);
    }
};
