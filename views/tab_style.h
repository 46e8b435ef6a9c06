#pragma once
#include <QProxyStyle>

// The style of the vertical tab bar.
class CustomTabStyle : public QProxyStyle
{
public:
};
