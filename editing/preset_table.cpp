#include "editing/preset_table.h"

namespace presets
{

namespace
{
constexpr quint8 kShift = 0xF2, kAlt = 0xF3, kCmd = 0xF4;
} // namespace

constexpr Preset kPresets[kPresetCount] = {
    {"QuickMenu", "速选菜单", 1, {0x2C}},
    {"Debug Commands", "调试命令", 1, {0x35}},
    {"Activate Brush Tool", "激活绘画工具", 1, {0x05}},
    {"Open Color Panel", "打开色彩面板", 1, {0x06}},
    {"Activate Eraser Tool", "激活擦除工具", 1, {0x3E}},
    {"Open Layers Panel", "打开图层列表", 1, {0x0F}},
    {"Enter Selection Mode", "进入选取模式", 1, {0x16}},
    {"Enter Transform Mode", "进入变形模式", 1, {0x19}},
    {"Switch Between Previous and Current Color", "先前和当前颜色切换", 1, {0x1B}},
    {"Color Pick (Alt)", "吸色Alt", 1, {kAlt}},
    {"Color Pick M (iOS 17)", "吸色M(IOS17)", 1, {0x10}},
    {"Clear Selected Layer", "清除所选图层", 2, {kCmd, 0x2A}},
    {"Toggle Full Screen Mode", "开/关 全屏模式", 2, {kCmd, 0x27}},
    {"Toggle Perspective Guide", "开/关透视指引", 2, {kCmd, 0x33}},
    {"Decrease Brush Size by 1%", "画笔缩小1%", 2, {kCmd, 0x2F}},
    {"Increase Brush Size by 1%", "画笔放大1%", 2, {kCmd, 0x30}},
    {"Decrease Brush Size by 5%", "画笔缩小5%", 1, {0x2F}},
    {"Increase Brush Size by 5%", "画笔放大5%", 1, {0x30}},
    {"Decrease Brush Size by 10%", "画笔缩小10%", 2, {kShift, 0x2F}},
    {"Increase Brush Size by 10%", "画笔放大10%", 2, {kShift, 0x30}},
    {"Copy All", "全部拷贝", 2, {kCmd, 0x04}},
    {"Apply Color Balance Adjustment", "输入颜色平衡调整", 2, {kCmd, 0x05}},
    {"Copy", "拷贝", 2, {kCmd, 0x06}},
    {"Clear Selection", "清除选区", 2, {kCmd, 0x07}},
    {"Duplicate Selection", "复制选区", 2, {kCmd, 0x0D}},
    {"Open Actions Menu", "打开操作菜单", 2, {kCmd, 0x0E}},
    {"Apply HSB Adjustment", "输入HSB调整", 2, {kCmd, 0x18}},
    {"Paste", "粘贴", 2, {kCmd, 0x19}},
    {"Cut", "剪切", 2, {kCmd, 0x1B}},
    {"Undo", "撤销", 2, {kCmd, 0x1D}},
    {"Redo", "重做", 3, {kShift, kCmd, 0x1D}},
};

bool apply(quint8 *record, const int *codes, int count, quint8 type)
{
    if (count < 1 || count > 3)
        return false;
    for (int i = 0; i < count; ++i)
        record[8 + 3 * i] = quint8(codes[i]);
    record[5] = quint8(count);
    record[3] = type;
    return true;
}

} // namespace presets
