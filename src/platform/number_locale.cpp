#include "platform/number_locale.h"

#include <clocale>
#include <new>

namespace km::platform {

void use_c_number_locale() { std::setlocale(LC_NUMERIC, "C"); }

c_numbers_in_this_thread::c_numbers_in_this_thread() {
  // A copy of the locale in force (the thread's own, else the process's)
  // with only its number category replaced.
  const locale_t current = uselocale(nullptr);
  // Making a locale fails only when memory runs out.
  const locale_t copy = duplocale(current);
  if (!copy) throw std::bad_alloc();
  own_ = newlocale(LC_NUMERIC_MASK, "C", copy);
  if (!own_) {
    freelocale(copy);
    throw std::bad_alloc();
  }
  previous_ = uselocale(own_);
}

c_numbers_in_this_thread::~c_numbers_in_this_thread() {
  uselocale(previous_);
  freelocale(own_);
}

}  // namespace km::platform
