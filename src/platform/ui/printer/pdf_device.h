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
  // The PDF writer taken for want of a printer (none installed, or the one
  // asked for is not): the printer choice looks for a printer again.
  static std::shared_ptr<pdf_device> in_place_of_printer();
  bool stands_in_for_printer() const { return stands_in_; }

  QString name() const override;
  [[nodiscard]] bool write(const print_document& document, print_error& error) override;
  QString output_path() const override { return output_path_; }

 private:
  QString folder_;
  QString file_path_;
  QString output_path_;
  bool stands_in_ = false;
};

// Writes the document as a PDF file at `path` (native), replacing the file
// only once the new one is complete.
[[nodiscard]] bool write_pdf_file(const print_document& document, const QString& path, print_error& error);

}  // namespace km::platform
