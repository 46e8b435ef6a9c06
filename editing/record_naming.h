#pragma once
// Reading a key record back as text: the caption of a slot on the device picture and
// the description in the information box. Names come from the key-code catalogue in
// the language shown (English or Chinese).
#include <QString>
#include <QtGlobal>

#include "catalogue/keycodes.h"

namespace record_naming
{

// The first ordinary-key row with this usage, or -1.
int keyRowForUsage(quint8 usage);
// The first media row whose code is this low byte, or -1.
int mediaRowForLowByte(quint8 low);

// Modifier text of a standard modifier bit (0..7) or of an extended code 0xF1..0xF8
// ("Ctrl+", "Shift+", "Alt+", "Win+", then the right-hand four); null for other codes.
const char *modifierBitText(int bit);
const char *extendedModifierText(quint8 code);

enum class Separator {
    None,           // "Ctrl+A"
    BlankBeforeName // "Ctrl+ A": a blank before each key, media or mouse name
};

// The text of a record by its function type (keyboard, multimedia, mouse); empty for
// any other type or when nothing in it has a name.
QString describe(const quint8 *record, bool extended, catalogue::Language language, Separator sep);

// The text of the information box: a blank before each name in a standard record
// ("Ctrl+ A"), none in an extended one ("Ctrl+A").
QString informationText(const quint8 *record, bool extended, catalogue::Language language);

// True when the record's content bytes (standard 10, 11, 14; extended 8, 11, 20) are
// all zero: the slot holds nothing.
bool holdsNothing(const quint8 *record, bool extended);

// The caption of a slot button: "NULL" for a record holding nothing, its text otherwise.
QString slotCaption(const quint8 *record, bool extended, catalogue::Language language);

} // namespace record_naming
