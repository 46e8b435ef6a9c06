#pragma once
// The process-wide configuration store: every record exactly as it travels to the
// keypad (record byte i is report byte i + 1), the changed flags, the selection,
// the device identity and the LED state of extended keypads.
#include <QtGlobal>

constexpr int kLayers = 3;
constexpr int kSlots = 60;
// Slots 1..25 are the picture's key and knob slots; slot 0 holds a standard layer's LED record.
constexpr int kLedSlot = 0;
constexpr int kLastKeySlot = 25;
constexpr int kRecordSize = 65;
constexpr int kLedKeys = 16;
constexpr quint8 kExtendedVariant = 10;

struct ConfigStore {
    quint8 PHY_KEY_Value[kLayers][kSlots][kRecordSize];  // standard records
    quint8 PHY2_KEY_Value[kLayers][kSlots][kRecordSize]; // extended records
    quint8 Modify_Key_Flag[kLayers][kSlots];

    quint8 Select_PHY_Key;
    quint8 Select_PHY_Key_Layer;
    quint8 Select_PHY_Key_Mode;

    quint8 Dev_Connected;
    quint8 Dev_Key_Num;
    quint8 Dev_Knob_Num;
    quint8 Dev_Variant;
    quint8 Layout_Key_Num;
    quint8 Layout_Knob_Num;
    quint8 Layout_Variant;
    quint16 Cur_VID;
    quint16 Cur_PID;
    const void *dev_list;      // device-present marker, tested only against null
    quint8 Save_Notice_Active; // 1 while a notice (save outcome, read-back count) owns the status line

    quint8 LED_Color_Table[kLayers][kLedKeys][3];
    quint8 LED_Layer_Mode[kLayers];
    quint8 LED_Modify_Flag;

    // Edit stamps: every change of a record (or of the extended LED state) gives it the next
    // value of Edit_Serial, so an exchange that noted Edit_Serial when it started can tell what
    // was edited while it ran.
    quint32 Edit_Serial;
    quint32 Edit_Stamp[kLayers][kSlots];
    quint32 LED_Edit_Stamp;

    // Everything back to its state at program start (records, flags, selection, identity).
    void reset();
    // Records of both formats read FD 00 01 01 followed by zeros.
    void initRecords();
    void clearFlags();
    // Flags the record for the next download and stamps it as edited.
    void markChanged(int layer, int slot);
    // Stamps the record as edited without flagging it (clearing).
    void touch(int layer, int slot) { Edit_Stamp[layer][slot] = ++Edit_Serial; }
    // Flags the extended LED state for the next download and stamps it as edited.
    void markLedChanged();
    // Makes `slot` of the selected layer the selection and stamps its record header
    // (FD, slot, layer + 1) in the format in use.
    void selectSlot(int slot);

    bool extended() const { return Dev_Variant == kExtendedVariant; }
    // The record array of the format in use.
    quint8 (*records())[kSlots][kRecordSize] { return extended() ? PHY2_KEY_Value : PHY_KEY_Value; }
    quint8 *record(int layer, int slot) { return records()[layer][slot]; }
};

extern const quint16 PID_Table[8];
extern ConfigStore Store;
