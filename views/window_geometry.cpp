#include "views/window_geometry.h"

#include "views/model_catalogue.h"

quint32 Win_Width = 1920;
quint32 Win_Height = 1006;

namespace geometry
{
namespace
{

int frac(double f, int v)
{
    return int(f * v);
}

struct FixedWidget {
    const char *objectName;
    double x, y, w, h; // x, w of W; y, h of H (w of H where widthOfH)
    bool widthOfH;
};

// clang-format off
constexpr FixedWidget kFixedWidgets[] = {
    {"LAYER_SELE",         0.675,  0.04,  0.045, 0.035, false},
    {"Layer1",             0.72,   0.04,  0.035, 0.035, true},
    {"Layer2",             0.75,   0.04,  0.035, 0.035, true},
    {"Layer3",             0.78,   0.04,  0.035, 0.035, true},
    {"tabWidget",          0.006,  0.5,   0.988, 0.5,   false},
    {"pushButton_SeleKey", 0.007,  0.458, 0.068, 0.04,  false},
    {"Dev_Sta_Dsp",        0,      0,     1.0,   0.035, false},
    {"cancel",             0.8725, 0.11,  0.11,  0.07,  false},
    {"cancel_2",           0.8725, 0.19,  0.11,  0.07,  false},
    {"Read_Configuration", 0.8725, 0.27,  0.11,  0.07,  false},
    {"download",           0.8725, 0.35,  0.11,  0.07,  false},
    {"dowload_kuang",      0.86,   0.03,  0.135, 0.47,  false},
};
// clang-format on

} // namespace

QVector<NamedRect> fixedWidgetRects(int W, int H)
{
    QVector<NamedRect> out;
    for (const FixedWidget &f : kFixedWidgets)
        out.append({f.objectName, QRect(frac(f.x, W), frac(f.y, H), f.widthOfH ? frac(f.w, H) : frac(f.w, W),
                                        frac(f.h, H))});
    return out;
}

QRect modelDialogRect(int W, int H)
{
    return QRect(frac(0.1, W), frac(0.25, H), frac(0.79, W), frac(0.6, H));
}

QRect dialogTitleRect(int W, int H)
{
    return QRect(frac(0.22, W), frac(0.02, H), frac(0.3, W), frac(0.04, H));
}

QRect dialogChoiceRect(int id, int W, int H)
{
    const models::DialogChoice *c = models::dialogChoice(id);
    if (!c)
        return QRect();
    return QRect(frac(c->x, W), frac(c->y, H), frac(c->w, W), frac(c->h, H));
}

} // namespace geometry
