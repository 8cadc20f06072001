#include "platform/ui/printer/recording_device.h"

#include <stdexcept>

namespace km::platform {

bool recording_device::write(const print_document& document, print_error& error) {
  if (refusal_.failed()) {
    error = refusal_;
    return false;
  }
  documents_.push_back(document);
  return true;
}

const print_document& recording_device::last() const {
  if (documents_.empty()) throw std::out_of_range("no document was printed");
  return documents_.back();
}

}  // namespace km::platform
