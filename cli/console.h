#pragma once
// The command line's messages: one line each on the error stream, and on a terminal a
// progress line ("\rSaving 40/78…") for an exchange that has run for more than a second.
#include <QElapsedTimer>
#include <QIODevice>
#include <QString>

namespace cli
{

class Console
{
  public:
    Console(QIODevice &err, bool terminal) : err(err), terminal(terminal) {}

    // A line of its own ("zorveldeck: " is not added).
    void say(const QString &line);
    // An exchange starts (`what`: "Saving", "Reading"), shows its progress, ends.
    void begin(const QString &what);
    void progress(int done, int total);
    void end();

  private:
    QIODevice &err;
    const bool terminal;
    QString task;
    QElapsedTimer clock;
    bool shown = false;
};

} // namespace cli
