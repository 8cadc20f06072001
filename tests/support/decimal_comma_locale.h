#pragma once
// The process's number locale (LC_NUMERIC) switched to German, which writes
// a decimal comma, for the life of the object, and back to the one before
// after it: a test inside shows that a routine's numbers do not depend on
// the locale a school's machine has. Where the machine has no German
// locale it is made with localedef (from Debian's locales package) into a
// folder of the user's own under the temporary folder, kept there for the
// next test program, and found through LOCPATH while it is set.
//
//   const test::decimal_comma_locale comma;
//   ASSERT_TRUE(comma.active()) << comma.error();

#include <QString>
#include <string>

namespace km::test {

// The locale's name ("de_DE.UTF-8").
extern const char* const decimal_comma_locale_name;

class decimal_comma_locale {
 public:
  decimal_comma_locale();
  ~decimal_comma_locale();
  decimal_comma_locale(const decimal_comma_locale&) = delete;
  decimal_comma_locale& operator=(const decimal_comma_locale&) = delete;

  // False, with the reason in error(), when the locale could not be made
  // or set; the number locale is then as it was.
  bool active() const { return active_; }
  std::string error() const { return error_; }

 private:
  bool active_ = false;
  std::string error_;
  std::string previous_;
};

}  // namespace km::test
