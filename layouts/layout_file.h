#pragma once
// Layout files: JSON, UTF-8, described in docs/layout-format.md. Reading validates the whole
// file before it returns a layout; a file with any fault gives an error and no layout.
#include <QIODevice>

#include <variant>

#include "layouts/layout.h"

namespace layouts
{

class ReadResult
{
  public:
    ReadResult(Layout layout) : value(std::move(layout)) {}
    ReadResult(Error error) : value(std::move(error)) {}
    bool ok() const { return std::holds_alternative<Layout>(value); }
    const Layout &layout() const { return std::get<Layout>(value); } // only when ok()
    const Error &error() const { return std::get<Error>(value); }    // only when !ok()

  private:
    std::variant<Layout, Error> value;
};

// The file's text: indented, object keys in alphabetical order, records in slot order.
QByteArray toJson(const Layout &layout);
ReadResult fromJson(const QByteArray &json);

// A layout file is a few tens of kilobytes; anything over this is refused unread.
constexpr qint64 kMaxFileSize = 1 << 20;

// Reads an open device (a file, standard input); errors name it `name`.
ReadResult read(QIODevice &in, const QString &name);
// Opens and reads a file; errors name its path.
ReadResult readFile(const QString &path);
// Writes the file in one piece (a failed write leaves an existing file as it was);
// returns an empty string, or what went wrong.
QString writeFile(const QString &path, const Layout &layout);

} // namespace layouts
