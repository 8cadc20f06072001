#pragma once
// A build or an upgrade that could not make its record file (a table that
// cannot be read, a full disk, a folder that cannot be written) tells the
// teacher why and throws this. The opening then leaves the code's file
// alone for the rest of the call, so that no empty or half-converted file
// takes the record file's name; the next opening tries again.

#include <stdexcept>

namespace km {

class record_file_not_ready : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace km
