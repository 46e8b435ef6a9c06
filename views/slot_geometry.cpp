#include "views/slot_geometry.h"

#include <iterator>

namespace geometry
{
namespace
{

using models::LayoutId;

int frac(double f, int v)
{
    return int(f * v);
}

// A key that does not follow the plain row-by-row grid.
enum class Shape : quint8 {
    Square,
    Wide,   // double width 2*S + g, picture KEYn_2
    Short,  // height 0.75*S, picture KEYn_2
    Lowered // y half a row below row 1: y0 + 1.5*S + 2*g
};
struct KeyCell {
    qint8 col;
    qint8 row;
    Shape shape;
};

struct Frac4 {
    double x, y, w, h;
};

struct KeyLayout {
    LayoutId id;
    double s, gamma;
    double x0, y0;
    quint8 keys;
    quint8 cols;          // keys fill rows of this many columns ...
    const KeyCell *cells; // ... unless they sit at these cells (one per key)
    Frac4 body, info;
};

// clang-format off
constexpr KeyCell k4Plus1Second[] = {{2, 0, Shape::Square}, {1, 1, Shape::Square}, {2, 1, Shape::Square},
                                     {3, 1, Shape::Square}};
constexpr KeyCell k11Plus3[] = {
    {0, 0, Shape::Square}, {1, 0, Shape::Square}, {2, 0, Shape::Square},
    {0, 1, Shape::Square}, {1, 1, Shape::Square}, {2, 1, Shape::Square},
    {0, 2, Shape::Wide},                          {2, 2, Shape::Square},
    {0, 3, Shape::Short},  {1, 3, Shape::Short},  {2, 3, Shape::Short}};
constexpr KeyCell k21Plus1[] = {
                            {0, 0, Shape::Square}, {1, 0, Shape::Square}, {2, 0, Shape::Square}, {3, 0, Shape::Square},
                            {0, 1, Shape::Square}, {1, 1, Shape::Square}, {2, 1, Shape::Square}, {3, 1, Shape::Square},
    {4, 1, Shape::Lowered},
    {-1, 2, Shape::Square}, {0, 2, Shape::Square}, {1, 2, Shape::Square}, {2, 2, Shape::Square}, {3, 2, Shape::Square},
    {-1, 3, Shape::Square}, {0, 3, Shape::Square}, {1, 3, Shape::Square}, {2, 3, Shape::Square}, {3, 3, Shape::Square},
    {4, 3, Shape::Square},
                                                                                                 {3, 4, Shape::Square}};

constexpr KeyLayout kKeyLayouts[] = {
    // layout              s     gamma  x0     y0      keys cols cells          body                         info
    {LayoutId::L0_1,       0.1,  0.04,  0,     0,      0,  0, nullptr,       {0.385, 0.13, 0.28, 0.28},   {0.75, 0.16, 0.2, 0.22}},
    {LayoutId::L0_2,       0.1,  0.04,  0,     0,      0,  0, nullptr,       {0.185, 0.13, 0.57, 0.28},   {0.85, 0.16, 0.2, 0.22}},
    {LayoutId::L0_3,       0.1,  0.04,  0,     0,      0,  0, nullptr,       {0.125, 0.13, 0.83, 0.25},   {1.0, 0.15, 0.2, 0.22}},
    {LayoutId::L1_0,       0.1,  0.04,  0.42,  0.225,  1,  1, nullptr,       {0.33, 0.16, 0.28, 0.22},    {0.9, 0.16, 0.2, 0.22}},
    {LayoutId::L2_0,       0.1,  0.04,  0.4,   0.225,  2,  2, nullptr,       {0.33, 0.16, 0.38, 0.22},    {0.9, 0.16, 0.2, 0.22}},
    {LayoutId::L3_0,       0.1,  0.05,  0.25,  0.225,  3,  3, nullptr,       {0.15, 0.16, 0.6, 0.22},     {0.9, 0.16, 0.2, 0.22}},
    {LayoutId::L3_1,       0.1,  0.04,  0.2,   0.225,  3,  3, nullptr,       {0.15, 0.16, 0.7, 0.22},     {0.9, 0.16, 0.2, 0.22}},
    {LayoutId::L4_0,       0.12, 0.035, 0.206, 0.2105, 4,  4, nullptr,       {0.15, 0.16, 0.7, 0.22},     {0.9, 0.16, 0.2, 0.22}},
    {LayoutId::L4_1First,  0.08, 0.025, 0.18,  0.23,   4,  4, nullptr,       {0.15, 0.16, 0.7, 0.22},     {0.9, 0.16, 0.2, 0.22}},
    {LayoutId::L4_1Second, 0.08, 0.025, 0.29,  0.23,   4,  0, k4Plus1Second, {0.34, 0.08, 0.4, 0.36},     {0.8, 0.11, 0.2, 0.3}},
    {LayoutId::L4_3,       0.11, 0.04,  0.22,  0.31,   4,  4, nullptr,       {0.15, 0.1, 0.7, 0.35},      {0.9, 0.12, 0.2, 0.3}},
    {LayoutId::L5_0,       0.1,  0.05,  0.19,  0.22,   5,  5, nullptr,       {0.13, 0.13, 0.82, 0.29},    {1.0, 0.1, 0.15, 0.35}},
    {LayoutId::L6_0,       0.13, 0.04,  0.31,  0.126,  6,  3, nullptr,       {0.245, 0.085, 0.6, 0.38},   {0.9, 0.1, 0.2, 0.35}},
    {LayoutId::L6_1,       0.1,  0.03,  0.29,  0.16,   6,  3, nullptr,       {0.22, 0.1, 0.7, 0.35},      {1.0, 0.1, 0.15, 0.35}},
    {LayoutId::L6_2,       0.09, 0.025, 0.38,  0.245,  6,  3, nullptr,       {0.315, 0.05, 0.45, 0.43},   {0.82, 0.1, 0.2, 0.35}},
    {LayoutId::L9_2,       0.08, 0.015, 0.26,  0.13,   9,  3, nullptr,       {0.22, 0.09, 0.62, 0.35},    {0.9, 0.1, 0.15, 0.33}},
    {LayoutId::L9_3,       0.08, 0.015, 0.24,  0.09,   9,  3, nullptr,       {0.2, 0.06, 0.65, 0.41},     {0.9, 0.1, 0.15, 0.35}},
    {LayoutId::L11_3,      0.08, 0.01,  0.25,  0.09,   11, 0, k11Plus3,      {0.2, 0.06, 0.67, 0.41},     {0.9, 0.1, 0.15, 0.35}},
    {LayoutId::L12_0,      0.08, 0.01,  0.3,   0.14,   12, 4, nullptr,       {0.27, 0.1, 0.41, 0.34},     {0.8, 0.1, 0.25, 0.34}},
    {LayoutId::L12_2,      0.08, 0.01,  0.2,   0.14,   12, 4, nullptr,       {0.15, 0.1, 0.7, 0.34},      {0.9, 0.1, 0.15, 0.34}},
    {LayoutId::L12_3,      0.08, 0.01,  0.19,  0.09,   12, 4, nullptr,       {0.15, 0.06, 0.7, 0.41},     {0.9, 0.1, 0.15, 0.35}},
    {LayoutId::L12_4,      0.08, 0.01,  0.13,  0.09,   12, 4, nullptr,       {0.1, 0.06, 0.86, 0.41},     {1.0, 0.1, 0.15, 0.35}},
    {LayoutId::L16_0,      0.08, 0.01,  0.35,  0.09,   16, 4, nullptr,       {0.32, 0.06, 0.41, 0.41},    {0.8, 0.1, 0.25, 0.35}},
    {LayoutId::L16_3,      0.08, 0.01,  0.19,  0.09,   16, 4, nullptr,       {0.15, 0.06, 0.7, 0.41},     {0.9, 0.1, 0.15, 0.35}},
    {LayoutId::L21_1,      0.07, 0.008, 0.42,  0.075,  21, 0, k21Plus1,      {0.15, 0.05, 0.7, 0.43},     {0.88, 0.1, 0.22, 0.35}},
    {LayoutId::Default,    0.08, 0.01,  0.169, 0.15,   15, 5, nullptr,       {0.13, 0.1, 0.82, 0.35},     {1.0, 0.1, 0.15, 0.35}},
};
// clang-format on
static_assert(std::size(kKeyLayouts) == models::kLayoutCount, "one key layout per picture");

// Knob tables. A knob row applies to every layout in its mask.
constexpr quint32 in(LayoutId a)
{
    return 1u << unsigned(a);
}
constexpr quint32 in(LayoutId a, LayoutId b, LayoutId c)
{
    return in(a) | in(b) | in(c);
}

struct KnobPart {
    quint8 slot; // 0: the knob has no such slot
    double x, y;
    double labelY; // 0: the label sits under its button
};

enum KnobFlag : quint8 {
    NoFlag = 0,
    SecondTurnPictures = 1, // the _2 turn pictures of a knob without press
    PlainTurns = 2,         // left and right buttons get the plain style
    RoundPressLabel = 4,    // the press label gets a radius of P / 2
};

struct KnobRow {
    quint32 layouts;
    double f;
    KnobPart left, press, right;
    quint8 flags;
};

// clang-format off
constexpr KnobRow kKnobs[] = {
    // layouts                                                f     left                    press                   right                          flags
    {in(LayoutId::L0_1),                                      1.25, {16, 0.405, 0.16, 0},   {17, 0.465, 0.2, 0},    {18, 0.575, 0.16, 0},          NoFlag},
    {in(LayoutId::L0_1),                                      1.25, {19, 0.405, 0.295, 0},  {0, 0, 0, 0},           {21, 0.575, 0.295, 0},         SecondTurnPictures},
    {in(LayoutId::L0_2),                                      1.25, {16, 0.215, 0.175, 0},  {17, 0.275, 0.215, 0},  {18, 0.385, 0.175, 0},         NoFlag},
    {in(LayoutId::L0_2),                                      1.25, {19, 0.475, 0.175, 0},  {20, 0.535, 0.215, 0},  {21, 0.645, 0.175, 0},         NoFlag},
    {in(LayoutId::L0_3),                                      1.25, {16, 0.155, 0.175, 0},  {17, 0.215, 0.215, 0},  {18, 0.325, 0.175, 0},         NoFlag},
    {in(LayoutId::L0_3),                                      1.25, {19, 0.415, 0.175, 0},  {20, 0.475, 0.215, 0},  {21, 0.585, 0.175, 0},         NoFlag},
    {in(LayoutId::L0_3),                                      1.25, {22, 0.675, 0.175, 0},  {23, 0.735, 0.215, 0},  {24, 0.845, 0.175, 0},         RoundPressLabel},
    {in(LayoutId::L3_1),                                      1.25, {16, 0.585, 0.175, 0},  {17, 0.64, 0.215, 0},   {18, 0.745, 0.175, 0},         NoFlag},
    {in(LayoutId::L4_1First),                                 1.25, {16, 0.605, 0.2, 0},    {17, 0.66, 0.22, 0},    {18, 0.756, 0.2, 0},           NoFlag},
    {in(LayoutId::L4_1Second),                                1.25, {16, 0.435, 0.09, 0},   {17, 0.49, 0.11, 0},    {18, 0.586, 0.09, 0},          NoFlag},
    {in(LayoutId::L4_3),                                      1.0,  {16, 0.18, 0.115, 0},   {17, 0.215, 0.165, 0},  {18, 0.295, 0.115, 0},         NoFlag},
    {in(LayoutId::L4_3),                                      1.0,  {19, 0.415, 0.115, 0},  {20, 0.45, 0.165, 0},   {21, 0.53, 0.115, 0},          NoFlag},
    {in(LayoutId::L4_3),                                      1.0,  {22, 0.635, 0.115, 0},  {23, 0.67, 0.165, 0},   {24, 0.75, 0.115, 0},          RoundPressLabel},
    {in(LayoutId::L6_1),                                      1.25, {16, 0.68, 0.141, 0},   {17, 0.72, 0.21, 0},    {18, 0.81, 0.141, 0},          NoFlag},
    {in(LayoutId::L6_2),                                      1.2,  {16, 0.36, 0.059, 0},   {17, 0.39, 0.11, 0},    {18, 0.465, 0.0595, 0},        NoFlag},
    {in(LayoutId::L6_2),                                      1.2,  {19, 0.55, 0.063, 0},   {20, 0.585, 0.11, 0},   {21, 0.665, 0.063, 0},         NoFlag},
    {in(LayoutId::L9_2),                                      1.25, {16, 0.58, 0.139, 0},   {17, 0.64, 0.14, 0},    {18, 0.741, 0.139, 0},         NoFlag},
    {in(LayoutId::L9_2),                                      1.25, {19, 0.58, 0.28, 0},    {20, 0.64, 0.28, 0},    {21, 0.741, 0.28, 0},          NoFlag},
    {in(LayoutId::L9_3, LayoutId::L11_3, LayoutId::L12_3),    1.25, {16, 0.58, 0.079, 0},   {17, 0.64, 0.08, 0},    {18, 0.741, 0.079, 0},         NoFlag},
    {in(LayoutId::L9_3, LayoutId::L11_3, LayoutId::L12_3),    1.25, {19, 0.58, 0.2, 0},     {20, 0.64, 0.2, 0},     {21, 0.741, 0.2, 0},           NoFlag},
    {in(LayoutId::L9_3, LayoutId::L11_3, LayoutId::L12_3),    1.7,  {22, 0.54, 0.31, 0},    {23, 0.62, 0.32, 0},    {24, 0.755, 0.31, 0},          NoFlag},
    {in(LayoutId::L12_2),                                     1.25, {16, 0.58, 0.139, 0},   {17, 0.64, 0.14, 0},    {18, 0.741, 0.139, 0},         NoFlag},
    {in(LayoutId::L12_2),                                     1.25, {19, 0.58, 0.29, 0},    {20, 0.64, 0.295, 0},   {21, 0.741, 0.29, 0},          NoFlag},
    {in(LayoutId::L12_4),                                     1.25, {16, 0.49, 0.079, 0},   {17, 0.55, 0.08, 0},    {18, 0.65, 0.079, 0},          NoFlag},
    {in(LayoutId::L12_4),                                     1.25, {19, 0.72, 0.079, 0},   {20, 0.78, 0.079, 0},   {21, 0.881, 0.079, 0},         NoFlag},
    {in(LayoutId::L12_4),                                     1.6,  {22, 0.56, 0.2, 0},     {23, 0.65, 0.17, 0},    {24, 0.792, 0.2, 0},           NoFlag},
    {in(LayoutId::L12_4),                                     1.6,  {13, 0.56, 0.35, 0},    {14, 0.65, 0.32, 0},    {15, 0.79, 0.35, 0},           PlainTurns},
    {in(LayoutId::L16_3),                                     1.25, {17, 0.58, 0.079, 0},   {18, 0.64, 0.08, 0},    {19, 0.741, 0.079, 0},         NoFlag},
    {in(LayoutId::L16_3),                                     1.25, {20, 0.58, 0.2, 0},     {21, 0.64, 0.2, 0},     {22, 0.741, 0.2, 0},           NoFlag},
    {in(LayoutId::L16_3),                                     1.7,  {23, 0.54, 0.31, 0},    {24, 0.62, 0.32, 0},    {25, 0.755, 0.31, 0},          NoFlag},
    {in(LayoutId::L21_1),                                     1.5,  {24, 0.173, 0.076, 0},  {23, 0.235, 0.1, 0},    {22, 0.339, 0.079, 0.074},     NoFlag},
    {in(LayoutId::Default),                                   1.25, {16, 0.625, 0.111, 0},  {17, 0.64, 0.16, 0},    {18, 0.695, 0.111, 0},         NoFlag},
    {in(LayoutId::Default),                                   1.25, {19, 0.785, 0.111, 0},  {20, 0.8, 0.16, 0},     {21, 0.855, 0.111, 0},         NoFlag},
    {in(LayoutId::Default),                                   1.7,  {22, 0.622, 0.326, 0},  {23, 0.705, 0.27, 0},   {24, 0.843, 0.326, 0.321},     NoFlag},
};
// clang-format on

const KeyLayout &keyLayout(LayoutId id)
{
    for (const KeyLayout &l : kKeyLayouts)
        if (l.id == id)
            return l;
    return kKeyLayouts[std::size(kKeyLayouts) - 1];
}

QRect fracRect(const Frac4 &r, int H)
{
    return QRect(frac(r.x, H), frac(r.y, H), frac(r.w, H), frac(r.h, H));
}

SlotPlacement keyPlacement(const KeyLayout &l, int index, int H, int S, int g)
{
    const KeyCell cell =
        l.cells ? l.cells[index] : KeyCell{qint8(index % l.cols), qint8(index / l.cols), Shape::Square};
    const int n = index + 1;
    int x = frac(l.x0, H) + cell.col * (S + g);
    int y = frac(l.y0, H) + cell.row * (S + g);
    int w = S, h = S;
    switch (cell.shape) {
    case Shape::Square:
        break;
    case Shape::Wide:
        w = 2 * S + g;
        break;
    case Shape::Short:
        h = int(0.75 * S);
        break;
    case Shape::Lowered:
        y = frac(l.y0, H) + int(1.5 * S) + 2 * g;
        break;
    }
    SlotPlacement p;
    p.slot = n;
    p.role = SlotRole::Key;
    p.button = p.label = QRect(x, y, w, h);
    const bool second = cell.shape == Shape::Wide || cell.shape == Shape::Short;
    p.picture = QStringLiteral(":/image/KEY%1%2.png").arg(n).arg(second ? QStringLiteral("_2") : QString());
    p.pictureBox = QSize(w, w);
    p.style = ButtonStyle::Plain;
    p.buttonStyle = plainSlotStyle();
    return p;
}

SlotPlacement knobPlacement(const KnobRow &k, const KnobPart &part, SlotRole role, int H, int S)
{
    const int P = int(k.f * S);
    const int Q = int(0.6 * P);
    const int side = role == SlotRole::Press ? P : Q;
    SlotPlacement p;
    p.slot = part.slot;
    p.role = role;
    p.button = QRect(frac(part.x, H), frac(part.y, H), side, side);
    p.label = p.button;
    if (part.labelY != 0)
        p.label.moveTop(frac(part.labelY, H));
    p.pictureBox = QSize(side, side);
    const QString second = (k.flags & SecondTurnPictures) ? QStringLiteral("_2") : QString();
    switch (role) {
    case SlotRole::TurnLeft:
        p.picture = QStringLiteral(":/image/KN_LEFT114x97%1.png").arg(second);
        break;
    case SlotRole::TurnRight:
        p.picture = QStringLiteral(":/image/KN_RIGHT114x97%1.png").arg(second);
        break;
    default:
        p.picture = QStringLiteral(":/image/KN_IN150x150.png");
        break;
    }
    if (role == SlotRole::Press) {
        p.style = ButtonStyle::KnobPress;
        p.buttonStyle = knobPressStyle(P);
        if (k.flags & RoundPressLabel)
            p.labelStyle = QStringLiteral("border-radius:%1px;}").arg(P / 2);
    } else if (k.flags & PlainTurns) {
        p.style = ButtonStyle::Plain;
        p.buttonStyle = plainSlotStyle();
    }
    return p;
}

} // namespace

const SlotPlacement *PictureGeometry::find(int slot) const
{
    for (const SlotPlacement &p : placements)
        if (p.slot == slot)
            return &p;
    return nullptr;
}

PictureGeometry pictureGeometry(LayoutId layout, int H)
{
    const KeyLayout &l = keyLayout(layout);
    PictureGeometry g;
    g.layout = l.id;
    g.S = frac(l.s, H);
    g.g = frac(l.gamma, H);
    g.body = fracRect(l.body, H);
    g.info = fracRect(l.info, H);
    for (int i = 0; i < l.keys; ++i)
        g.placements.append(keyPlacement(l, i, H, g.S, g.g));
    for (const KnobRow &k : kKnobs) {
        if (!(k.layouts & in(l.id)))
            continue;
        g.placements.append(knobPlacement(k, k.left, SlotRole::TurnLeft, H, g.S));
        if (k.press.slot)
            g.placements.append(knobPlacement(k, k.press, SlotRole::Press, H, g.S));
        g.placements.append(knobPlacement(k, k.right, SlotRole::TurnRight, H, g.S));
    }
    return g;
}

QString plainSlotStyle()
{
    return QStringLiteral(
        "QPushButton{background-color: rgba(125, 125, 125, 5);border-radius:10px;color:#FFFFFF;}");
}

QString highlightedSlotStyle()
{
    return QStringLiteral(
        "QPushButton{background-color: rgba(125, 125, 125, 5);border-radius:10px;color:#FFFFFF;"
        "border:4px solid #e1e100;}");
}

QString knobPressStyle(int pressSide)
{
    return QStringLiteral("QPushButton{background-color: rgba(125, 125, 125, 5);border-radius:") +
           QString::number(pressSide / 2) + QStringLiteral("px;color:#FFFFFF;}");
}

} // namespace geometry
