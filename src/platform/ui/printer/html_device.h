#pragma once
// Writes a document as one HTML page: every sheet is a block of its paper
// size holding absolutely placed text spans, rules, boxes and pictures, so
// in a browser it looks as it does on paper. The file is written at EndDoc.

#include <QString>

#include "platform/ui/printer/print_device.h"

namespace km::platform {

class html_device : public print_device {
 public:
  explicit html_device(QString file_path) : file_path_(std::move(file_path)) {}

  QString name() const override { return QStringLiteral("HTML"); }
  [[nodiscard]] bool write(const print_document& document, print_error& error) override;
  QString output_path() const override { return output_path_; }

 private:
  QString file_path_;
  QString output_path_;
};

// The HTML text of a document (what html_device writes).
QString document_html(const print_document& document);

}  // namespace km::platform
