#pragma once
// The main window's resize handling as it was before pictures and style sheets were kept
// between resizes: every resize looked each widget up by name, decoded every picture from the
// resources, scaled it and set every style sheet again. Kept only as the benchmarks' baseline.
class Widget;

namespace legacy
{
// What Widget::resizeEvent did after the base class had handled the event.
void resize(Widget *window);
} // namespace legacy
