#pragma once
// The base of the run-time errors the platform layer raises (values, files,
// tables, grids, the printer, the registry, system calls): each carries the
// error number the older programs tested and the error's text, read the
// same way whichever part raised it. what() gives the text with any detail
// the raiser added (the file, field or value concerned), for logs.

#include <QString>
#include <stdexcept>

namespace km::platform {

class platform_error : public std::runtime_error {
 public:
  platform_error(int number, const QString& text) : platform_error(number, text, text) {}
  platform_error(int number, const QString& text, const QString& detailed)
      : std::runtime_error(detailed.toStdString()), number_(number), text_(text) {}

  // The error number ("Err.Number"): 6 for an overflow, 53 for a missing
  // file, 3011 for a missing table ...
  int number() const { return number_; }
  // The error's text ("Err.Description"): "Overflow", "File not found", or
  // the engine's description of a table failure.
  const QString& text() const { return text_; }

 private:
  int number_;
  QString text_;
};

// The older programs' own text of a run-time error number ("Overflow" for
// 6, "File not found" for 53 ...), for the numbers this layer raises;
// "Application-defined or object-defined error" for any other.
QString standard_error_text(int number);

}  // namespace km::platform
