#pragma once
// A printer of the system (CUPS), chosen by name. The sheet and printable
// area are the ones the printer's driver reports for A4.

#include <QString>
#include <array>
#include <optional>

#include "platform/ui/printer/print_device.h"

namespace km::platform {

class system_printer_device : public print_device {
 public:
  explicit system_printer_device(QString printer_name);

  QString name() const override { return printer_name_; }
  page_geometry geometry(page_orientation orientation) const override;
  double dots_per_inch() const override;
  [[nodiscard]] bool write(const print_document& document, print_error& error) override;

  // Grey instead of colour (the colour choice of the print dialog).
  void set_grayscale(bool on) { grayscale_ = on; }

 private:
  QString printer_name_;
  bool grayscale_ = false;
  mutable std::array<std::optional<page_geometry>, 2> geometry_;
  mutable std::optional<double> dpi_;
};

}  // namespace km::platform
