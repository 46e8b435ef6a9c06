#include "app/edit_texts.h"
#include "app/bilingual.h"

#include <iterator>

namespace
{

// In the order of EditText.
const Bilingual kTexts[] = {
    {"%1 changes made in this window have not been saved to the keypad.", "有 %1 项更改尚未保存到设备。"},
    {"1 change made in this window has not been saved to the keypad.", "有 1 项更改尚未保存到设备。"},
    {"Replace the changes made in this window with the keypad's settings?",
     "用设备中的配置替换窗口中的更改吗？"},
    {"Open the layout file and replace the changes made in this window?",
     "打开布局文件并替换窗口中的更改吗？"},
    {"Save the changes to the keypad before closing?", "关闭前将更改保存到设备吗？"},
    {"Replace", "替换"},
    {"Open", "打开"},
    {"Save to keypad", "保存到设备"},
    {"Discard", "放弃更改"},
    {"Cancel", "取消"},
    {"No unsaved changes", "没有未保存的更改"},
    {"1 change waiting to be saved to the keypad", "有 1 项更改等待保存到设备"},
    {"%1 changes waiting to be saved to the keypad", "有 %1 项更改等待保存到设备"},
    {"No keypad connected: nothing was saved", "设备未连接：未保存任何内容"},
    {"The keypad is busy: click Save settings again in a moment", "设备忙：请稍后再次点击“保存配置”"},
    {"Menu", "菜单"},
    {"Save layout…", "保存布局文件…"},
    {"Open layout…", "打开布局文件…"},
    {"Undo", "撤销"},
    {"Redo", "重做"},
    {"Layout files (*.json);;All files (*)", "布局文件 (*.json);;所有文件 (*)"},
    {"Opened %1: %2 records set; click Save settings to write them to the keypad",
     "已打开 %1：已设置 %2 条记录，点击“保存配置”写入设备"},
    {"Layout saved to %1", "布局已保存到 %1"},
    {"The layout file cannot be opened. Nothing was changed.", "无法打开布局文件，未做任何更改。"},
    {"The layout file cannot be saved.", "无法保存布局文件。"},
    {"This layout file was made for another keypad model and is not opened.\n\nFile: %1\nThis keypad: %2",
     "此布局文件适用于其他型号的设备，未打开。\n\n文件：%1\n本设备：%2"},
    {"View settings", "查看配置"},
    {"Open layout", "打开布局文件"},
    {"Delay", "延时"},
    {"Save the changes to the keypad in use before switching to another keypad?",
     "切换到其他设备前将更改保存到当前设备吗？"},
    {"Keypad", "设备"},
    {"No keypad attached", "未连接设备"},
};
static_assert(std::size(kTexts) == size_t(EditText::NoKeypad) + 1, "one text per EditText");

} // namespace

const char kMessageBoxStyle[] =
    "QMessageBox{background-color: rgb(52, 52, 52);}QLabel{color:#FFFFFF;background:transparent;}"
    "QPushButton{color:#FFFFFF;background-color: #383838;border:1px solid #5a5a5a;padding:4px 12px;}"
    "QPushButton:default{border-color:#487eb0;}QPushButton:focus{border-color:#FFFFFF;}";
const char kMenuStyle[] =
    "QMenu{background-color: #383838;color:#FFFFFF;border:1px solid #5a5a5a;}"
    "QMenu::item:selected{background-color: #487eb0;}QMenu::item:disabled{color:#8a8a8a;}"
    "QMenu::separator{height:1px;background:#5a5a5a;}";

QString editText(catalogue::Language language, EditText t)
{
    return kTexts[int(t)].in(language);
}

QString unsavedText(catalogue::Language language, int changes)
{
    return changes == 1 ? editText(language, EditText::UnsavedOne)
                        : editText(language, EditText::Unsaved).arg(changes);
}
