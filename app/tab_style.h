#pragma once
#include <QProxyStyle>
#include <QSize>

// The style of the vertical tab bar: no tab frames, horizontal centred captions, a
// blue block behind the selected caption, and every tab sized from the window
// (Win_Width, Win_Height) whatever its caption. Wraps the application's style.
class CustomTabStyle : public QProxyStyle
{
    Q_OBJECT
  public:
    CustomTabStyle();
    ~CustomTabStyle() override;

    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &size,
                           const QWidget *widget) const override;

    // Size of every tab for a window of the given size: 9 % of the width by 5 % of
    // the height, each truncated toward zero.
    static QSize tabSize(int windowWidth, int windowHeight);
};
