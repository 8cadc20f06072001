#pragma once
// Where a finished document goes. The printer object collects a document's
// pages and hands the whole document to its device at EndDoc; a device
// renders it (PDF file, system printer, HTML page) or keeps it (tests).

#include <QString>

#include "platform/model/print/print_types.h"

namespace km::platform {

class print_device {
 public:
  virtual ~print_device() = default;

  // The name the printer object reports as DeviceName.
  virtual QString name() const = 0;

  // Sheet size and printable area for an orientation. The default is A4
  // with a quarter inch that the printer cannot reach on every side.
  virtual page_geometry geometry(page_orientation orientation) const;

  // Writes the document; false (with the reason in error) when it could not.
  [[nodiscard]] virtual bool write(const print_document& document, print_error& error) = 0;

  // The file written by the last successful write, when the device writes files.
  virtual QString output_path() const { return {}; }
};

// A4 (210 x 297 mm) with a margin of `margin` twips on every side.
page_geometry a4_geometry(page_orientation orientation, double margin = 360.0);

}  // namespace km::platform
