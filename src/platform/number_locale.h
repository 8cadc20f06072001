#pragma once
// The C library's number locale. The program reads and writes every number
// with "." as the decimal point, whatever locale the user's machine has:
// Qt's application object sets the process locale from the environment, and
// under a locale with a decimal comma the C library's conversions (printf's
// "%f", strtod) would then write and read "75,5". Every main puts the C
// number locale back right after making its application object, and code
// that hands numbers to a library formatting with the C library (the
// workbook writer) holds the C number locale while it runs, so its files
// come out alike on every machine.

#include <locale.h>

namespace km::platform {

// Sets the process's number locale (LC_NUMERIC) to "C". Dates and texts
// keep the locale the environment gave.
void use_c_number_locale();

// The C number locale for the calling thread while the object lives; the
// thread's locale before it afterwards. The other categories stay as they
// were, and other threads are not touched.
class c_numbers_in_this_thread {
 public:
  c_numbers_in_this_thread();
  ~c_numbers_in_this_thread();
  c_numbers_in_this_thread(const c_numbers_in_this_thread&) = delete;
  c_numbers_in_this_thread& operator=(const c_numbers_in_this_thread&) = delete;

 private:
  locale_t own_ = nullptr;
  locale_t previous_ = nullptr;
};

}  // namespace km::platform
