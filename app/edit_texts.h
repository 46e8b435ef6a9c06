#pragma once
// The texts of confirmations, the window menu and layout files, English and Chinese.
#include <QString>

#include "catalogue/keycodes.h"

enum class EditText {
    Unsaved, // %1 changes not yet on the keypad
    UnsavedOne,
    ViewQuestion,
    OpenQuestion,
    CloseQuestion,
    Replace,
    Open,
    SaveToKeypad,
    Discard,
    Cancel,
    PendingNone, // the Save settings tooltip
    PendingOne,
    PendingMany,
    NotConnected, // a Save asked for while closing
    Busy,
    Menu,
    SaveLayout,
    OpenLayout,
    Undo,
    Redo,
    LayoutFiles,
    OpenedLayout, // %1 file, %2 records
    SavedLayout,  // %1 file
    CannotOpen,
    CannotSave,
    OtherModel, // %1 file's model, %2 the keypad's
    ReadBack,   // the name of a read-back step
    OpenStep,   // the name of opening a layout as a step
    DelayStep,
    SwitchQuestion, // before switching to another keypad
    KeypadMenu,
    NoKeypad,
};

QString editText(catalogue::Language language, EditText t);

// The look of the window's message boxes and menu: light text on the window's dark grey.
extern const char kMessageBoxStyle[];
extern const char kMenuStyle[];
// editText(Unsaved) with the count, or UnsavedOne.
QString unsavedText(catalogue::Language language, int changes);
