#pragma once
// Keeps the messages Qt prints about what the program does on purpose off the terminal: the
// form's style sheets use a property ("PointSize") and a colour ("rgba(67, 67, 67)") that Qt's
// style sheet parser does not know, and the window's documented slots on_confirmButton_clicked,
// on_CleanButton_clicked and on_CleanALLButton_clicked have no widget of that name to be
// connected to by name. Every other message goes on to the handler that was installed before.

// Installs the filtering handler for its lifetime.
class QuietMessages
{
  public:
    QuietMessages();
    ~QuietMessages();
    QuietMessages(const QuietMessages &) = delete;
    QuietMessages &operator=(const QuietMessages &) = delete;
};
