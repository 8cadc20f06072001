#pragma once
// A device that keeps every document handed to it, page by page and
// operation by operation, for tests to inspect. It can be told to refuse
// the next documents, to test how callers handle a failed print.

#include <vector>

#include "platform/ui/printer/print_device.h"

namespace km::platform {

class recording_device : public print_device {
 public:
  explicit recording_device(QString name = QStringLiteral("Recorder")) : name_(std::move(name)) {}

  QString name() const override { return name_; }
  [[nodiscard]] bool write(const print_document& document, print_error& error) override;

  const std::vector<print_document>& documents() const { return documents_; }
  // The last document written; throws std::out_of_range when there is none.
  const print_document& last() const;
  void clear() { documents_.clear(); }

  // While set, write refuses with this error and keeps nothing.
  void refuse_with(print_error error) { refusal_ = std::move(error); }

 private:
  QString name_;
  std::vector<print_document> documents_;
  print_error refusal_;
};

}  // namespace km::platform
