#pragma once
// Writes each document as a PDF file on A4 at 1440 dots per inch, so one
// unit of the writer is one twip. Files go to a folder under a name made
// from the job name and the time, or to one file named by the caller.

#include "platform/ui/printer/print_device.h"

namespace km::platform {

class pdf_device : public print_device {
 public:
  // folder empty: the folder default_pdf_folder() names when writing.
  explicit pdf_device(QString folder = QString());
  // Every document goes to this file, replaced when it exists.
  static std::shared_ptr<pdf_device> to_file(const QString& file_path);

  QString name() const override;
  double dots_per_inch() const override { return 600.0; }
  [[nodiscard]] bool write(const print_document& document, print_error& error) override;
  QString output_path() const override { return output_path_; }

 private:
  QString folder_;
  QString file_path_;
  QString output_path_;
};

}  // namespace km::platform
