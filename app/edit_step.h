#pragma once
// One undo step around a handler that edits the store: what the handler changes, and what
// the handlers it calls change, becomes a single step (nothing when the store is unchanged).
//
//   const EditStep step(this, button->text());
#include <QString>

#include <utility>

#include "app/widget.h"

class EditStep
{
  public:
    // `mergeKey` != 0: consecutive steps with the same key become one (a slider drag).
    EditStep(Widget *window, QString what, int mergeKey = 0)
        : window(window), what(std::move(what)), mergeKey(mergeKey)
    {
        window->beginEdit();
    }
    ~EditStep() { window->endEdit(what, mergeKey); }
    EditStep(const EditStep &) = delete;
    EditStep &operator=(const EditStep &) = delete;

  private:
    Widget *window;
    QString what;
    int mergeKey;
};
