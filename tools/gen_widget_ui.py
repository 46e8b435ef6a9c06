#!/usr/bin/env python3
"""Writes forms/widget.ui, the main window form, from the tables below.

A maintenance aid only: the build compiles the committed forms/widget.ui and never
runs this script. Usage: tools/gen_widget_ui.py > forms/widget.ui
"""
from xml.sax.saxutils import escape, quoteattr

YAHEI = "微软雅黑"

BASE_FIRST = "QPushButton{\ncolor:#FFFFFF;\nborder-radius:2px;\nPointSize: 14px;\nbackground-color:rgb(60, 60, 60);\n}\n"
HOVER = "QPushButton::hover{\ncolor:#FFFFFF;\nbackground-color:#718093;\nborder-color:#2f3640;\n}\n"
REST = (
    "QPushButton::pressed,QPushButton::checked{\ncolor:#FFFFFF;\n"
    "background-color:qlineargradient(spread:pad, x1:0, y1:0, x2:0, y2:1, stop:0 #273c75, stop:1 #487eb0);\n}\n"
    "QPushButton::disabled{\ncolor:#FFFFFF;\nbackground-color:#dcdde1;\nborder-color:#dcdde1;\n}"
)
BASE = BASE_FIRST + HOVER + REST
ACTION = (
    "QPushButton{\ncolor:#ffffff;\nbackground-color:rgb(56, 56, 56);\nborder-color:#2f3640;\n"
    "border-radius:10px;\nborder-style:solid;\nborder-width:2px;\npadding:5px;\n}\n" + HOVER + REST
)
TAB_WIDGET = (
    "QPushButton{\ncolor:#FFFFFF;\nborder-radius:2px;\nPointSize: 19px;\nbackground-color:rgb(56, 56, 56);\n}\n"
    + HOVER + REST
)
PAGE = "QWidget{\nbackground-color: rgb(36, 36, 36);\n}"


def colour_style(rgb):
    first = "QPushButton{\ncolor:#FFFFFF;\nborder-radius:2px;\nPointSize: 14px;\nbackground-color:rgb(%d, %d, %d);\n}\n" % rgb
    return first + REST


# ---------------------------------------------------------------- xml helpers
class Out:
    def __init__(self):
        self.lines = []
        self.depth = 0

    def open(self, tag, **attrs):
        self.lines.append("  " * self.depth + "<%s%s>" % (tag, attrstr(attrs)))
        self.depth += 1

    def close(self, tag):
        self.depth -= 1
        self.lines.append("  " * self.depth + "</%s>" % tag)

    def raw(self, text):
        self.lines.append("  " * self.depth + text)


def attrstr(attrs):
    return "".join(" %s=%s" % (k.rstrip("_"), quoteattr(str(v))) for k, v in attrs.items() if v is not None)


def string_xml(value, notr=False):
    attr = ' notr="true"' if notr else ""
    if value == "":
        return "<string%s/>" % attr
    return "<string%s>%s</string>" % (attr, escape(value))


def prop(o, name, inner, stdset=None):
    o.raw('<property name="%s"%s>%s</property>' % (name, ' stdset="0"' if stdset == 0 else "", inner))


def p_string(o, name, value, notr=False):
    prop(o, name, string_xml(value, notr))


def p_rect(o, x, y, w, h):
    prop(o, "geometry", "<rect><x>%d</x><y>%d</y><width>%d</width><height>%d</height></rect>" % (x, y, w, h))


def p_size(o, name, w, h):
    prop(o, name, "<size><width>%d</width><height>%d</height></size>" % (w, h))


def p_num(o, name, n):
    prop(o, name, "<number>%d</number>" % n)


def p_bool(o, name, b):
    prop(o, name, "<bool>%s</bool>" % ("true" if b else "false"))


def p_enum(o, name, e):
    prop(o, name, "<enum>%s</enum>" % e)


def p_font(o, family, size, weight=None):
    inner = "<font><family>%s</family><pointsize>%d</pointsize>" % (escape(family), size)
    if weight is not None:
        inner += "<weight>%d</weight><bold>false</bold>" % weight
    prop(o, "font", inner + "</font>")


def p_style(o, sheet):
    p_string(o, "styleSheet", sheet, notr=True)


def button(o, name, text=None, font=None, style=BASE, min_size=None):
    o.open("widget", class_="QPushButton", name=name)
    if min_size:
        p_size(o, "minimumSize", *min_size)
    if font:
        p_font(o, *font)
    if style is not None:
        p_style(o, style)
    if text is not None:
        p_string(o, "text", text)
    o.close("widget")


def spacer(o, name, vertical):
    o.open("spacer", name=name)
    p_enum(o, "orientation", "Qt::Vertical" if vertical else "Qt::Horizontal")
    w, h = (20, 40) if vertical else (40, 20)
    prop(o, "sizeHint", "<size><width>%d</width><height>%d</height></size>" % (w, h), stdset=0)
    o.close("spacer")


class Names:
    """Hands out layout and spacer names the way Designer numbers them."""

    def __init__(self):
        self.counts = {}

    def __call__(self, base):
        n = self.counts.get(base, 0) + 1
        self.counts[base] = n
        return base if n == 1 else "%s_%d" % (base, n)


names = Names()


def hbox(o, buttons, spacing=None, stretch=None):
    o.open("layout", class_="QHBoxLayout", name=names("horizontalLayout"), stretch=stretch)
    if spacing is not None:
        p_num(o, "spacing", spacing)
    for b in buttons:
        o.open("item")
        button(o, **b)
        o.close("item")
    o.close("layout")


def item(o, row, col, rowspan=None, colspan=None):
    o.open("item", row=row, column=col, rowspan=rowspan, colspan=colspan)


# ---------------------------------------------------------------- top area
KEY_POS = {
    1: (60, 102), 2: (180, 102), 3: (294, 102), 4: (412, 102), 5: (530, 102),
    6: (58, 136), 7: (176, 136), 8: (294, 136), 9: (412, 136), 10: (530, 136),
    11: (58, 170), 12: (176, 170), 13: (294, 170), 14: (412, 170), 15: (530, 170),
    16: (660, 80), 17: (778, 80), 18: (896, 80), 19: (650, 130), 20: (770, 120), 21: (896, 131),
    22: (650, 180), 23: (780, 180), 24: (896, 180), 25: (650, 230), 26: (780, 230), 27: (900, 230),
}

STACKING = """ALL_KEY_BK KB_6ADD2_QR_CODE dowload_kuang pushButton_K12_BK pushButton_K11_BK
pushButton_K15_BK pushButton_K14_BK pushButton_K13_BK pushButton_K6_BK pushButton_K10_BK pushButton_K9_BK
pushButton_K7_BK pushButton_K8_BK pushButton_K5_BK pushButton_K4_BK pushButton_K3_BK pushButton_K2_BK
pushButton_K1_BK LAYER_SELE pushButton_K24_BK pushButton_K21_BK pushButton_K19_BK pushButton_K20_BK
pushButton_K18_BK pushButton_K16_BK pushButton_K17_BK pushButton_K1 change pushButton_K2 pushButton_K5
pushButton_K6 pushButton_K14 pushButton_K7 pushButton_K9 pushButton_K10 pushButton_K13 pushButton_K11
pushButton_K12 pushButton_K8 pushButton_K4 pushButton_K3 pushButton_K15 tabWidget pushButton_SeleKey
Dev_Sta_Dsp Read_Configuration cancel_2 download cancel pushButton_K19 pushButton_K21 pushButton_K24
pushButton_K18 pushButton_K16 Layer1 Layer2 Layer3 lineEdit pushButton_K20 pushButton_K22_BK pushButton_K22
pushButton_K23_BK pushButton_K23 pushButton_K25_BK pushButton_K25 pushButton_K26_BK pushButton_K26
pushButton_K27_BK pushButton_K27 pushButton_K17""".split()


def top_widget(o, name):
    """Writes one widget of the top area."""
    if name.startswith("pushButton_K") and name.endswith("_BK"):
        n = int(name[len("pushButton_K"):-3])
        x, y = KEY_POS[n]
        o.open("widget", class_="QLabel", name=name)
        if n <= 15:
            p_rect(o, x, y, 111, 31)
            p_style(o, "background-color: rgb(52, 52, 52);")
            p_string(o, "text", "")
        else:
            p_rect(o, x, y, 79, 79)
            alpha = n in (17, 20)
            p_style(o, "background-color: rgba(52, 52, 52,5);" if alpha else "background-color: rgb(52, 52, 52);")
            p_string(o, "text", "TextLabel")
        o.close("widget")
        return
    if name.startswith("pushButton_K"):
        n = int(name[len("pushButton_K"):])
        x, y = KEY_POS[n]
        o.open("widget", class_="QPushButton", name=name)
        if n <= 2:
            p_rect(o, x, y, 111, 31)
        else:
            p_rect(o, x, y, 112, 34)
        if n == 1:
            p_style(o, "color:#FFFFFF;\nbackground-color: rgba(67, 67, 67);")
        elif n <= 15:
            p_style(o, "color:#FFFFFF;")
        else:
            p_style(o, "color:#FFFFFF;\nbackground-color: rgba(67, 67, 67,5);")
        p_string(o, "text", "NULL")
        o.close("widget")
        return
    if name == "tabWidget":
        tab_widget(o)
        return
    spec = TOP[name]
    o.open("widget", class_=spec[0], name=name)
    p_rect(o, *spec[1])
    for extra in spec[2:]:
        extra(o)
    o.close("widget")


def action(text):
    return [lambda o: p_style(o, ACTION), lambda o: p_string(o, "text", text)]


TOP = {
    "Dev_Sta_Dsp": ["QPushButton", (0, 0, 1461, 46), lambda o: p_font(o, "Arial", 15),
                    lambda o: p_style(o, "background-color: rgb(50, 50, 50);\ncolor: rgb(255, 255, 255);"),
                    lambda o: p_string(o, "text", " 请连接设备！")],
    "ALL_KEY_BK": ["QLabel", (30, 60, 1011, 171),
                   lambda o: p_style(o, "border:5px solid #838383;\nborder-radius:25px;\n"
                                        "background-color: rgb(52, 52, 52);"),
                   lambda o: p_string(o, "text", "")],
    "LAYER_SELE": ["QPushButton", (81, 60, 61, 34),
                   lambda o: p_style(o, "color:#FFFFFF;\nbackground-color: rgba(30, 30, 30, 5);"),
                   lambda o: p_string(o, "text", "层级：")],
    "Layer1": ["QPushButton", (150, 60, 41, 34), lambda o: p_style(o, "color:#FFFFFF;"),
               lambda o: p_string(o, "text", "1")],
    "Layer2": ["QPushButton", (200, 60, 41, 34), lambda o: p_style(o, "color:#FFFFFF;"),
               lambda o: p_string(o, "text", "2")],
    "Layer3": ["QPushButton", (250, 60, 41, 34), lambda o: p_style(o, "color:#FFFFFF;"),
               lambda o: p_string(o, "text", "3")],
    "change": ["QPushButton", (920, 50, 141, 28), lambda o: p_size(o, "minimumSize", 0, 25),
               lambda o: p_string(o, "text", "English")],
    "dowload_kuang": ["QPushButton", (1060, 40, 391, 251),
                      lambda o: p_style(o, "background-color: rgb(35, 35, 35);"),
                      lambda o: p_string(o, "text", "")],
    "cancel": ["QPushButton", (1081, 124, 150, 37)] + action("清除"),
    "cancel_2": ["QPushButton", (1081, 178, 150, 37)] + action("清除全部"),
    "Read_Configuration": ["QPushButton", (1276, 124, 150, 37)] + action(" 查看配置"),
    "download": ["QPushButton", (1276, 178, 150, 37)] + action(" 保存配置"),
    "pushButton_SeleKey": ["QPushButton", (10, 251, 112, 45), lambda o: p_font(o, "Arial", 14),
                           lambda o: p_string(o, "text", "NULL")],
    "lineEdit": ["QTextEdit", (160, 250, 107, 51),
                 lambda o: p_style(o, "color: rgb(255, 255, 255);\nborder:2px solid #838383;\n"
                                      "border-radius:10px;\nbackground-color: rgb(52, 52, 52);")],
    "KB_6ADD2_QR_CODE": ["QLabel", (620, 270, 81, 18), lambda o: p_string(o, "text", "TextLabel")],
}


# ---------------------------------------------------------------- pages
def kb(name, text, size):
    return dict(name=name, text=text, font=(YAHEI, size))


F_KEY, SYMBOL, WORD = 12, 14, 10
KEYBOARD_ROWS = [
    (None, [kb("pushButton_ESC", "ESC", F_KEY)]
     + [kb("pushButton_F%d" % i, "F%d" % i, F_KEY) for i in range(1, 13)]
     + [kb("pushButton_ArrowsLeft", "←", F_KEY)]),
    (None, [kb("pushButton_ScrLock", "Scroll\nLock", WORD), kb("pushButton_PrtScSysRq", "PrtSc\nSysRq", WORD),
            kb("pushButton_Insert", "Insert", WORD), kb("pushButton_End", "End", WORD),
            kb("pushButton_Delete", "Delete", WORD), kb("pushButton_Home", "Home", WORD),
            kb("pushButton_PageUp", "Page\nUp", WORD), kb("pushButton_PageDown", "Page\nDown", WORD),
            kb("pushButton_Pause", "Pause\nBreak", WORD), kb("pushButton_Backspace", "←Back\nspace", WORD),
            kb("pushButton_ArrowsRight", "→", F_KEY)]),
    (None, [kb("pushButton_20", "~、", SYMBOL)]
     + [kb("pushButton_NUM%d" % (i % 10), t, SYMBOL)
        for i, t in zip(range(1, 11), ["1!", "2@", "3#", "4$", "5%", "6^", "7＆", "8*", "9(", "0)"])]
     + [kb("pushButton_SubUnd", "-_", SYMBOL), kb("pushButton_EqAdd", "=+", SYMBOL),
        kb("pushButton_ArrowsUp", "↑", F_KEY)]),
    (None, [kb("pushButton_%s" % c, c, F_KEY) for c in "ABCDEFGHIJKLM"]
     + [kb("pushButton_ArrowsDown", "↓", F_KEY)]),
    (None, [kb("pushButton_%s" % c, c, F_KEY) for c in "NOPQRSTUVWXYZ"] + [kb("pushButton_App", "▤", 24)]),
    ("3,4" + ",3" * 9,
     [kb("pushButton_TAB", "Tab", WORD), kb("pushButton_CapsLock", "Caps Lock", WORD),
      kb("pushButton_Enter", "ENTER", WORD), kb("pushButton_LZ_bracket", "[{", SYMBOL),
      kb("pushButton_RZ_bracket", "]}", SYMBOL), kb("pushButton_backslash", "\\|", SYMBOL),
      kb("pushButton_SemDwu", ";:", 20), kb("pushButton_Sd_Quo", "' \"", 18),
      kb("pushButton_ComLAngBra", ",<", SYMBOL), kb("pushButton_FullRAngBra", ".>", SYMBOL),
      kb("pushButton_SlashW", "?/", SYMBOL)]),
    ("2,2,2,2,6,2,2,2,2,2",
     [kb("pushButton_Ctrl", "Ctrl+", WORD), kb("pushButton_Shift", "Shift+", WORD),
      kb("pushButton_Win", "Win+", WORD), kb("pushButton_Alt", "Alt+", WORD),
      kb("pushButton_Space", "Space", WORD), kb("pushButton_ADD", "＋", SYMBOL),
      kb("pushButton_SUB", "－", SYMBOL), kb("pushButton_MUL", "×", SYMBOL),
      kb("pushButton_DIV", "÷", SYMBOL), kb("pushButton_DeWen1", "><", SYMBOL)]),
    ("4" + ",3" * 13,
     [kb("pushButton_NumLock", "NumLock", WORD), kb("pushButton_Enter_2", "Enter", WORD)]
     + [kb("pushButton_M_NUM%d" % (i % 10), str(i % 10), WORD) for i in range(1, 11)]
     + [kb("pushButton_M_NUM_Dot", "▪", WORD), kb("pushButton_NULL", "NULL", WORD)]),
]

MODIFIER_ROWS = [
    [("Wina", "Win+"), ("Shifta", "Shift+"), ("Alta", "Alt+"), ("ctrla", "Ctrl+")],
    [("RightShifta", "Right Shift+"), ("RightAlta", "Right Alt+"), ("RightCtrla", "Right Ctrl+"),
     ("RightWina", "Right Win+")],
    [("ShiftWina", "Shift+Win+"), ("AltShifta", "Alt+Shift+"), ("CtrlShifta", "Ctrl+Shift+"),
     ("CtrlAlta", "Ctrl+Alt+")],
    [("CtrlAltShiftWin", "Ctrl+Alt+Shift+Win+"), ("CtrlAltWina", "Ctrl+Alt+Win+"),
     ("CtrlShiftAlta", "Ctrl+Shift+Alt+"), ("CtrlAlta_4", "command")],
    [("CtrlAlta_3", "option"), ("CtrlAlta_2", "control"), ("CtrlAlta_6", "Right option"),
     ("CtrlAlta_5", "Right command")],
]
SYMBOL_ROWS = [
    list(zip(["spe_" + c for c in "abcdefg"], ["~", "!", "@", "#", "$", "%", "^"])),
    list(zip(["spe_" + c for c in "hijklmn"], ["＆", "*", "(", ")", "-", "+", "{"])),
    list(zip(["spe_" + c for c in "opqrstu"], ["}", "|", ":", "\"", "<", ">", "?"])),
    [("spe_u_%d" % (i - 11), "F%d" % i) for i in range(13, 20)],
    [("spe_u_%d" % (i - 11), "F%d" % i) for i in range(20, 25)],
]

MEDIA_ROWS = [
    [("after", "下一曲"), ("volminus_5", "停止"), ("before", "上一曲"), ("start_pause", "播放/暂停"),
     ("volminus_11", "屏幕亮度+"), ("volminus_2", "我的电脑"), ("volminus_12", "屏幕亮度-")],
    [("volminus", "音量-"), ("voladd", "音量+"), ("silent", "静音"), ("volminus_4", "打开媒体"),
     ("volminus_3", "打开计算器"), ("volminus_10", "打开浏览器"), ("volminus_13", "打开邮件")],
    [("volminus_7", "低音+"), ("volminus_14", "网页刷新"), ("volminus_9", "高音-"), ("volminus_8", "高音+"),
     ("volminus_15", "网页前进"), ("volminus_6", "低音-"), ("volminus_16", "网页后退")],
]

LED_COLOURS = [
    (255, 0, 0), (255, 128, 60), (255, 255, 60), (0, 255, 0), (0, 255, 255), (0, 0, 255), (128, 0, 128),
    (139, 0, 0), (255, 165, 0), (255, 255, 150), (125, 255, 0), (0, 139, 139), (0, 0, 139), (255, 0, 255),
    (128, 0, 0), (255, 140, 0), (255, 215, 0), (0, 255, 128), (224, 255, 255), (135, 206, 235), (75, 0, 130),
    (255, 102, 102), (255, 200, 100), (255, 250, 100), (0, 128, 0), (0, 127, 150), (0, 128, 128),
    (230, 230, 250), (255, 192, 203), (255, 200, 0), (205, 170, 0), (128, 128, 0), (0, 255, 127),
    (75, 0, 130), (143, 0, 255), (255, 69, 0), (255, 85, 0), (200, 255, 0), (128, 255, 128), (128, 192, 192),
    (173, 216, 230), (128, 128, 192), (255, 255, 150), (255, 120, 0), (150, 150, 100), (34, 139, 34),
    (0, 100, 255), (0, 127, 255), (224, 176, 255), (255, 0, 255), (255, 102, 0), (150, 190, 100),
    (57, 255, 20), (0, 200, 100), (128, 128, 192), (200, 200, 150),
]
assert len(LED_COLOURS) == 56

MOUSE_CELLS = [
    (0, 0, 1, "mouse_left", "鼠标左键"), (0, 1, 2, "mouse_middle", "鼠标中键"), (0, 3, 1, "mouse_right", "鼠标右键"),
    (1, 0, 2, "pushButton", "鼠标滚轮+"), (1, 2, 2, "pushButton_2", "鼠标滚轮-"),
    (2, 0, 2, "pushButton_4", "Ctrl+鼠标向上"), (2, 2, 2, "pushButton_3", "Ctrl+鼠标向下"),
    (3, 0, 2, "pushButton_6", "Shift+鼠标向上"), (3, 2, 2, "pushButton_5", "Shift+鼠标向下"),
    (4, 0, 2, "pushButton_8", "Alt+鼠标向上"), (4, 2, 2, "pushButton_7", "Alt+鼠标向下"),
]

PAGES = [("tab", "基础按键"), ("tab1", "Ctrl Shift Alt"), ("tab2", "多媒体"), ("tab3", "RGB页"), ("tab4", "鼠标"),
         ("tab5", "延时")]


def page_keyboard(o):
    o.open("layout", class_="QGridLayout", name=names("gridLayout"))
    p_num(o, "leftMargin", 9)
    p_num(o, "horizontalSpacing", 9)
    p_num(o, "verticalSpacing", 5)
    for row, (stretch, buttons) in enumerate(KEYBOARD_ROWS):
        item(o, row, 0)
        hbox(o, buttons, spacing=2, stretch=stretch)
        o.close("item")
    o.close("layout")


def page_modifiers(o):
    o.open("layout", class_="QGridLayout", name=names("gridLayout"))
    for row in range(5):
        item(o, row, 0)
        hbox(o, [dict(name=n, text=t, font=(YAHEI, 9), min_size=(0, 40)) for n, t in MODIFIER_ROWS[row]],
             spacing=6 if row == 0 else None)
        o.close("item")
        item(o, row, 1)
        hbox(o, [dict(name=n, text=t, font=(YAHEI, 12), min_size=(0, 40)) for n, t in SYMBOL_ROWS[row]])
        o.close("item")
    for row in range(5, 10):
        item(o, row, 0)
        spacer(o, names("verticalSpacer"), True)
        o.close("item")
    o.close("layout")


def page_media(o):
    o.open("layout", class_="QGridLayout", name=names("gridLayout"))
    for row in range(3):
        item(o, row, 0)
        hbox(o, [dict(name=n, text=t, font=(YAHEI, 10)) for n, t in MEDIA_ROWS[row]])
        o.close("item")
    item(o, 0, 1)
    spacer(o, names("horizontalSpacer"), False)
    o.close("item")
    for row in range(3, 10):
        item(o, row, 0)
        spacer(o, names("verticalSpacer"), True)
        o.close("item")
    o.close("layout")


def page_led(o):
    o.open("layout", class_="QGridLayout", name=names("gridLayout"))
    item(o, 0, 0)
    o.open("layout", class_="QGridLayout", name=names("gridLayout"))
    for m in range(6):
        item(o, 0, m)
        button(o, "LED_Mode_%d" % m, "LED模式%d" % m, font=("Arial", 10))
        o.close("item")
    for n in range(1, 57):
        item(o, 1 + (n - 1) // 7, (n - 1) % 7)
        button(o, "LED_color_%d" % n, None, font=("Arial", 10), style=colour_style(LED_COLOURS[n - 1]))
        o.close("item")
    o.close("layout")
    o.close("item")
    o.close("layout")


def page_mouse(o):
    o.open("layout", class_="QGridLayout", name=names("gridLayout"))
    item(o, 0, 0)
    o.open("layout", class_="QGridLayout", name=names("gridLayout"))
    p_num(o, "horizontalSpacing", 17)
    for row, col, span, name, text in MOUSE_CELLS:
        item(o, row, col, 1, span)
        button(o, name, text, font=(YAHEI, 10))
        o.close("item")
    o.close("layout")
    o.close("item")
    item(o, 0, 1)
    spacer(o, names("horizontalSpacer"), False)
    o.close("item")
    item(o, 1, 0)
    spacer(o, names("verticalSpacer"), True)
    o.close("item")
    o.close("layout")


def page_delay(o):
    o.open("layout", class_="QGridLayout", name=names("gridLayout"))
    for row in range(3):
        item(o, row, 0, 1, 2)
        o.open("layout", class_="QHBoxLayout", name=names("horizontalLayout"))
        for pair in range(row * 6 + 1, row * 6 + 7):
            o.open("item")
            o.open("widget", class_="QSpinBox", name="delay_spinBox_%d" % pair)
            p_size(o, "minimumSize", 90, 80)
            p_style(o, "color:#FFFFFF;")
            p_num(o, "maximum", 6000)
            o.close("widget")
            o.close("item")
            o.open("item")
            button(o, "pushButton_delay_%d" % pair, None, min_size=(50, 80))
            o.close("item")
        o.close("layout")
        o.close("item")
    item(o, 3, 0, 1, 2)
    o.open("layout", class_="QHBoxLayout", name=names("horizontalLayout"))
    o.open("item")
    o.open("widget", class_="QLabel", name="label")
    p_size(o, "minimumSize", 0, 50)
    p_font(o, YAHEI, 11)
    p_style(o, "color:#FFFFFF;")
    p_string(o, "text", " 延时：")
    o.close("widget")
    o.close("item")
    o.open("item")
    o.open("widget", class_="QSlider", name="horizontalSlider")
    p_size(o, "minimumSize", 0, 50)
    p_num(o, "maximum", 6000)
    p_enum(o, "orientation", "Qt::Horizontal")
    o.close("widget")
    o.close("item")
    o.open("item")
    o.open("widget", class_="QSpinBox", name="spinBox")
    p_size(o, "minimumSize", 0, 50)
    p_num(o, "maximum", 6000)
    o.close("widget")
    o.close("item")
    o.open("item")
    o.open("widget", class_="QLabel", name="label_2")
    p_font(o, YAHEI, 14)
    p_style(o, "color:#FFFFFF;")
    p_string(o, "text", "MS")
    o.close("widget")
    o.close("item")
    o.close("layout")
    o.close("item")
    item(o, 0, 2)
    spacer(o, names("horizontalSpacer"), False)
    o.close("item")
    item(o, 4, 0)
    spacer(o, names("verticalSpacer"), True)
    o.close("item")
    o.close("layout")


PAGE_BUILDERS = [page_keyboard, page_modifiers, page_media, page_led, page_mouse, page_delay]


def tab_widget(o):
    o.open("widget", class_="QTabWidget", name="tabWidget")
    p_rect(o, 10, 307, 1087, 751)
    p_font(o, YAHEI, 10, weight=50)
    p_style(o, TAB_WIDGET)
    p_enum(o, "tabShape", "QTabWidget::Triangular")
    p_num(o, "currentIndex", 5)
    p_size(o, "iconSize", 16, 16)
    p_enum(o, "elideMode", "Qt::ElideNone")
    p_bool(o, "usesScrollButtons", False)
    p_bool(o, "tabsClosable", False)
    p_bool(o, "movable", False)
    for (name, title), build in zip(PAGES, PAGE_BUILDERS):
        o.open("widget", class_="QWidget", name=name)
        p_style(o, PAGE)
        o.open("attribute", name="title")
        o.raw(string_xml(title))
        o.close("attribute")
        build(o)
        o.close("widget")
    o.close("widget")


def main():
    o = Out()
    o.raw('<?xml version="1.0" encoding="UTF-8"?>')
    o.open("ui", version="4.0")
    o.raw("<class>Widget</class>")
    o.open("widget", class_="QWidget", name="Widget")
    p_bool(o, "enabled", True)
    p_rect(o, 0, 0, 1784, 1254)
    p_size(o, "maximumSize", 16777215, 16777215)
    p_string(o, "windowTitle", "QUENTAR_MINI")
    p_bool(o, "autoFillBackground", False)
    p_style(o, "background-color: rgb(30, 30, 30);")
    prop(o, "locale", '<locale language="Chinese" country="China"/>')
    assert len(STACKING) == len(set(STACKING)) == 70
    for name in STACKING:
        top_widget(o, name)
    for name in STACKING:
        o.raw("<zorder>%s</zorder>" % name)
    o.close("widget")
    o.raw("<resources/>")
    o.raw("<connections/>")
    o.close("ui")
    print("\n".join(o.lines))


if __name__ == "__main__":
    main()
