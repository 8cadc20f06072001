#include "platform/services.h"

#include <array>
#include <vector>

namespace km::platform {

namespace {

services_t& defaults() {
  static services_t d;
  return d;
}

// By stage; made on first use, since the steps register while the program
// is being initialised.
std::array<std::vector<void (*)()>, 3>& steps() {
  static std::array<std::vector<void (*)()>, 3> s;
  return s;
}

void run(reset_stage stage) {
  for (void (*step)() : steps()[std::size_t(stage)]) step();
}

}  // namespace

services_t& services() {
  static services_t s;
  return s;
}

void set_default_services(const services_t& d) { defaults() = d; }

void reset_for_tests() {
  run(reset_stage::windows);
  run(reset_stage::open_files);
  services() = defaults();
  run(reset_stage::values);
}

reset_step::reset_step(reset_stage stage, void (*step)()) { steps()[std::size_t(stage)].push_back(step); }

}  // namespace km::platform
