#include "device/store.h"

#include <cstring>

#include "device/usb_ids.h"

const quint16 PID_Table[8] = {ZD_USB_PRODUCT_IDS};

ConfigStore Store = [] {
    ConfigStore s;
    s.reset();
    return s;
}();

static const quint8 kInitialLedColours[kLedKeys][3] = {
    {255, 0, 0},   {255, 128, 48}, {255, 255, 48},  {0, 255, 0},     {0, 255, 255}, {0, 0, 255},
    {128, 0, 128}, {139, 0, 0},    {255, 165, 0},   {255, 255, 150}, {125, 255, 0}, {0, 139, 139},
    {0, 0, 139},   {255, 0, 255},  {255, 102, 102}, {255, 200, 100}};

void ConfigStore::reset()
{
    std::memset(this, 0, sizeof(*this));
    initRecords();
    Select_PHY_Key_Mode = 1;
    Layout_Key_Num = 15;
    Layout_Knob_Num = 3;
    Cur_VID = usb_ids::kDefault.vid;
    Cur_PID = usb_ids::kDefault.pid;
    for (auto &layer : LED_Color_Table)
        std::memcpy(layer, kInitialLedColours, sizeof(kInitialLedColours));
}

void ConfigStore::initRecords()
{
    for (auto *array : {PHY_KEY_Value, PHY2_KEY_Value})
        for (int l = 0; l < kLayers; ++l)
            for (int s = 0; s < kSlots; ++s) {
                quint8 *r = array[l][s];
                std::memset(r, 0, kRecordSize);
                r[0] = 0xFD;
                r[2] = 1;
                r[3] = 1;
            }
}

void ConfigStore::clearFlags()
{
    std::memset(Modify_Key_Flag, 0, sizeof(Modify_Key_Flag));
}

void ConfigStore::markChanged(int layer, int slot)
{
    Modify_Key_Flag[layer][slot] = 1;
    touch(layer, slot);
}

void ConfigStore::markLedChanged()
{
    LED_Modify_Flag = 1;
    LED_Edit_Stamp = ++Edit_Serial;
}

void ConfigStore::selectSlot(int slot)
{
    quint8 *r = record(Select_PHY_Key_Layer, slot);
    r[0] = 0xFD;
    r[1] = quint8(slot);
    r[2] = quint8(Select_PHY_Key_Layer + 1);
    Select_PHY_Key = quint8(slot);
}
