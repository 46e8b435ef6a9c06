#include "catalogue/keycodes.h"

#include <algorithm>

namespace catalogue
{

namespace
{
// A row whose name is the same in both languages.
constexpr KeyRow same(const char *name, quint8 code)
{
    return {name, name, code};
}
} // namespace

// clang-format off
constexpr KeyRow kRows[kRowCount] = {
    // 0..14 modifier combinations: bit mask of the boot-keyboard modifier byte
    same("Ctrl+", 0x01),                // 0
    same("Alt+", 0x04),                 // 1
    same("Shift+", 0x02),               // 2
    same("Win+", 0x08),                 // 3
    same("Right Ctrl+", 0x10),          // 4
    same("Right Alt+", 0x40),           // 5
    same("Right Shift+", 0x20),         // 6
    same("Right Win+", 0x80),           // 7
    same("Ctrl+Alt+", 0x05),            // 8
    same("Ctrl+Shift+", 0x03),          // 9
    same("Alt+Shift+", 0x06),           // 10
    same("Shift+Win+", 0x0A),           // 11
    same("Ctrl+Shift+Alt+", 0x07),      // 12
    same("Ctrl+Alt+Win+", 0x0D),        // 13
    same("Ctrl+Alt+Shift+Win+", 0x0F),  // 14
    // 15..19 the same modifiers under Mac keyboard names
    same("control", 0x01),              // 15
    same("option", 0x04),               // 16
    same("command", 0x08),              // 17
    same("Right command", 0x80),        // 18
    same("Right option", 0x40),         // 19
    // 20..40 shifted symbols: usage of the key that carries the symbol
    same("~", 0x35),                    // 20
    same("!", 0x1E),                    // 21
    same("@", 0x1F),                    // 22
    same("#", 0x20),                    // 23
    same("$", 0x21),                    // 24
    same("%", 0x22),                    // 25
    same("^", 0x23),                    // 26
    same("＆", 0x24),                    // 27 full-width ampersand
    same("*", 0x25),                    // 28
    same("(", 0x26),                    // 29
    same(")", 0x27),                    // 30
    same("-", 0x2D),                    // 31
    same("+", 0x2E),                    // 32
    same("{", 0x2F),                    // 33
    same("}", 0x30),                    // 34
    same("|", 0x31),                    // 35
    same(":", 0x33),                    // 36
    same("\"", 0x34),                   // 37
    same("<", 0x36),                    // 38
    same(">", 0x37),                    // 39
    same("?", 0x38),                    // 40
    // 41..82 media keys: consumer usage, low byte then high byte ("...1")
    {"播放/暂停", "Play/Pause", 0xCD},                  // 41
    {"播放/暂停1", "Play/Pause1", 0x00},                // 42
    {"停止", "Stop", 0xB7},                             // 43
    {"停止1", "Stop1", 0x00},                           // 44
    {"上一曲", "Previous track", 0xB6},                 // 45
    {"上一曲1", "Previous track1", 0x00},               // 46
    {"下一曲", "Next track", 0xB5},                     // 47
    {"下一曲1", "Next track1", 0x00},                   // 48
    {"我的电脑", "My Computer", 0x94},                  // 49
    {"我的电脑1", "My Computer1", 0x01},                // 50
    {"屏幕亮度+", "Screen brightness+", 0x6F},          // 51
    {"屏幕亮度+1", "Screen brightness+1", 0x00},        // 52
    {"屏幕亮度-", "Screen brightness-", 0x70},          // 53
    {"屏幕亮度-1", "Screen brightness-1", 0x00},        // 54
    {"打开媒体", "Multimedia", 0x83},                   // 55
    {"打开媒体1", "Multimedia1", 0x01},                 // 56
    {"静音", "Mute", 0xE2},                             // 57
    {"静音1", "Mute1", 0x00},                           // 58
    {"音量+", "Volume+", 0xE9},                         // 59
    {"音量+1", "Volume+1", 0x00},                       // 60
    {"音量-", "Volume-", 0xEA},                         // 61
    {"音量-1", "Volume-1", 0x00},                       // 62
    {"打开计算器", "Calculator", 0x92},                 // 63
    {"打开计算器1", "Calculator1", 0x01},               // 64
    {"打开浏览器", "WWW home", 0x23},                   // 65
    {"打开浏览器1", "WWW home1", 0x02},                 // 66
    {"打开邮件", "E-mail", 0x8A},                       // 67
    {"打开邮件1", "E-mail1", 0x01},                     // 68
    {"低音+", "Bass+", 0x52},                           // 69
    {"低音+1", "Bass+1", 0x01},                         // 70
    {"低音-", "Bass-", 0x53},                           // 71
    {"低音-1", "Bass-1", 0x01},                         // 72
    {"高音+", "Treble+", 0x54},                         // 73
    {"高音+1", "Treble+1", 0x01},                       // 74
    {"高音-", "Treble-", 0x55},                         // 75
    {"高音-1", "Treble-1", 0x01},                       // 76
    {"网页刷新", "WWW Pagerefresh", 0x27},              // 77
    {"网页刷新1", "WWW Pagerefresh1", 0x02},            // 78
    {"网页前进", "WWW Pageforward", 0x25},              // 79
    {"网页前进1", "WWW Pageforward1", 0x02},            // 80
    {"网页后退", "WWW Pageback", 0x24},                 // 81
    {"网页后退1", "WWW Pageback1", 0x02},               // 82
    // 83..89 LED colours (high nibble), 90..95 LED modes (low nibble)
    {"红色", "Red", 0x10},                              // 83
    {"橙色", "Orange", 0x20},                           // 84
    {"黄色", "Yellow", 0x30},                           // 85
    {"绿色", "Green", 0x40},                            // 86
    {"青色", "Cyan", 0x50},                             // 87
    {"蓝色", "Blue", 0x60},                             // 88
    {"紫色", "Purple", 0x70},                           // 89
    {"LED模式0", "LED Mode0", 0x00},                    // 90
    {"LED模式1", "LED Mode1", 0x01},                    // 91
    {"LED模式2", "LED Mode2", 0x02},                    // 92
    {"LED模式3", "LED Mode3", 0x03},                    // 93
    {"LED模式4", "LED Mode4", 0x04},                    // 94
    {"LED模式5", "LED Mode5", 0x05},                    // 95
    // 96..106 mouse actions: the keypad's own mouse function codes
    {"鼠标左键", "Mouse LeftKey", 0x61},                // 96
    {"鼠标中键", "Mouse Middle", 0x62},                 // 97
    {"鼠标右键", "Mouse Right", 0x63},                  // 98
    {"鼠标滚轮+", "Mouse Wheel+", 0x64},                // 99
    {"鼠标滚轮-", "Mouse Wheel-", 0x65},                // 100
    {"Ctrl+鼠标向上", "Ctrl+Mouse Up", 0x66},           // 101
    {"Ctrl+鼠标向下", "Ctrl+Mouse Down", 0x67},         // 102
    {"Shift+鼠标向上", "Shift+Mouse Up", 0x68},         // 103
    {"Shift+鼠标向下", "Shift+Mouse Down", 0x69},       // 104
    {"Alt+鼠标向上", "Alt+Mouse Up", 0x6A},             // 105
    {"Alt+鼠标向下", "Alt+Mouse Down", 0x6B},           // 106
    // 107..218 ordinary keys: keyboard usage
    same("F1", 0x3A),  same("F2", 0x3B),  same("F3", 0x3C),  same("F4", 0x3D),    // 107..110
    same("F5", 0x3E),  same("F6", 0x3F),  same("F7", 0x40),  same("F8", 0x41),    // 111..114
    same("F9", 0x42),  same("F10", 0x43), same("F11", 0x44), same("F12", 0x45),   // 115..118
    same("F13", 0x68), same("F14", 0x69), same("F15", 0x6A), same("F16", 0x6B),   // 119..122
    same("F17", 0x6C), same("F18", 0x6D), same("F19", 0x6E), same("F20", 0x6F),   // 123..126
    same("F21", 0x70), same("F22", 0x71), same("F23", 0x72), same("F24", 0x73),   // 127..130
    same("←", 0x50),                    // 131
    same("PrtSc\nSysRq", 0x46),         // 132
    same("Scroll\nLock", 0x47),         // 133
    same("Pause\nBreak", 0x48),         // 134
    same("Insert", 0x49),               // 135
    same("Delete", 0x4C),               // 136
    same("Home", 0x4A),                 // 137
    same("Page\nUp", 0x4B),             // 138
    same("Page\nDown", 0x4E),           // 139
    same("End", 0x4D),                  // 140
    same("→", 0x4F),                    // 141
    same("↑", 0x52),                    // 142
    same("↓", 0x51),                    // 143
    same("▤", 0x65),                    // 144 application (menu) key
    same("Caps Lock", 0x39),            // 145
    same("A", 0x04), same("B", 0x05), same("C", 0x06), same("D", 0x07),           // 146..149
    same("E", 0x08), same("F", 0x09), same("G", 0x0A), same("H", 0x0B),           // 150..153
    same("I", 0x0C), same("J", 0x0D), same("K", 0x0E), same("L", 0x0F),           // 154..157
    same("M", 0x10), same("N", 0x11), same("O", 0x12), same("P", 0x13),           // 158..161
    same("Q", 0x14), same("R", 0x15), same("S", 0x16), same("T", 0x17),           // 162..165
    same("U", 0x18), same("V", 0x19), same("W", 0x1A), same("X", 0x1B),           // 166..169
    same("Y", 0x1C), same("Z", 0x1D),                                             // 170..171
    same("1!", 0x1E), same("2@", 0x1F), same("3#", 0x20), same("4$", 0x21),       // 172..175
    same("5%", 0x22), same("6^", 0x23), same("7＆", 0x24), same("8*", 0x25),      // 176..179
    same("9(", 0x26), same("0)", 0x27),                                           // 180..181
    same("Enter", 0x28),                // 182
    same("ESC", 0x29),                  // 183
    same("←Back\nspace", 0x2A),         // 184
    same("Tab", 0x2B),                  // 185
    same("Space", 0x2C),                // 186
    same("-_", 0x2D),                   // 187
    same("=+", 0x2E),                   // 188
    same("[{", 0x2F),                   // 189
    same("]}", 0x30),                   // 190
    same("\\|", 0x31),                  // 191
    same("~、", 0x35),                  // 192
    same(";:", 0x33),                   // 193
    same("' \"", 0x34),                 // 194
    same("~`", 0x32),                   // 195
    same(",<", 0x36),                   // 196
    same(".>", 0x37),                   // 197
    same("?/", 0x38),                   // 198
    same("＋", 0x57),                   // 199 keypad plus
    same("－", 0x56),                   // 200 keypad minus
    same("×", 0x55),                    // 201 keypad multiply
    same("÷", 0x54),                    // 202 keypad divide
    same("NumLock", 0x53),              // 203
    same("ENTER", 0x28),                // 204 main Enter key
    same("Enter", 0x58),                // 205 keypad Enter
    same("1", 0x59), same("2", 0x5A), same("3", 0x5B), same("4", 0x5C),           // 206..209 keypad
    same("5", 0x5D), same("6", 0x5E), same("7", 0x5F), same("8", 0x60),           // 210..213
    same("9", 0x61), same("0", 0x62),   // 214..215
    same("▪", 0x63),                    // 216 keypad point
    same("><", 0x64),                   // 217
    same("NULL", 0x00),                 // 218 the empty assignment
};

constexpr NamePair kLedColors[kLedColorCount] = {
    {"红色", "Red"}, {"橙色", "Orange"}, {"黄色", "Yellow"}, {"绿色", "Green"},
    {"青色", "Cyan"}, {"蓝色", "Blue"},  {"紫色", "Purple"},
};

constexpr NamePair kLedModes[kLedModeCount] = {
    {"LED模式0", "LED Mode0"}, {"LED模式1", "LED Mode1"}, {"LED模式2", "LED Mode2"},
    {"LED模式3", "LED Mode3"}, {"LED模式4", "LED Mode4"}, {"LED模式5", "LED Mode5"},
};

constexpr NamePair kSlotNames[kSlotNameCount] = {
    {"KEY1", "KEY1"},   {"KEY2", "KEY2"},   {"KEY3", "KEY3"},   {"KEY4", "KEY4"},   {"KEY5", "KEY5"},
    {"KEY6", "KEY6"},   {"KEY7", "KEY7"},   {"KEY8", "KEY8"},   {"KEY9", "KEY9"},   {"KEY10", "KEY10"},
    {"KEY11", "KEY11"}, {"KEY12", "KEY12"}, {"KEY13", "KEY13"}, {"KEY14", "KEY14"}, {"KEY15", "KEY15"},
    {"K1_左", "k1_left"}, {"K1_中", "k1_middle"}, {"K1_右", "k1_right"},
    {"K2_左", "k2_left"}, {"K2_中", "k2_middle"}, {"K2_右", "k2_right"},
    {"K3_左", "k3_left"}, {"K3_中", "k3_middle"}, {"K3_右", "k3_right"},
    {"K4_左", "k4_left"}, {"K4_中", "k4_middle"}, {"K4_右", "k4_right"},
};
// clang-format on

QString rowName(int row, Language language)
{
    if (row < 0 || row >= kRowCount)
        return QString();
    const KeyRow &r = kRows[row];
    return QString::fromUtf8(language == Chinese ? r.nameCN : r.nameEN);
}

int findRowByCode(quint8 code, int first, int lastInclusive)
{
    const int last = std::min(lastInclusive, kRowCount - 1);
    for (int i = std::max(first, 0); i <= last; ++i) {
        if (kRows[i].code == code)
            return i;
    }
    return -1;
}

int addNamesToMaps(const QString *names, const quint8 *codes, int count, QMap<QString, int> &indexMap,
                   QMap<QString, quint8> &codeMap)
{
    int named = 0;
    for (int i = 0; i < count; ++i) {
        if (names[i].isEmpty())
            continue;
        indexMap.insert(names[i], i);
        codeMap.insert(names[i], codes[i]);
        ++named;
    }
    return named;
}

} // namespace catalogue
