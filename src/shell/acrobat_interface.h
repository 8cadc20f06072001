#pragma once
// The manuals window: a list of the suite's manuals as option buttons, a
// button that opens the chosen one, a button that looks for any PDF file,
// and an exit button. Loaded with a manual name set by a sub-menu, it opens
// that manual at once and keeps its designed captions.

#include <QString>

#include "platform/ui/form.h"

class QRadioButton;

namespace km {

class acrobat_interface : public platform::form {
  Q_OBJECT

 public:
  explicit acrobat_interface(QWidget* parent = nullptr);

  void on_load() override;

  // Opens a PDF file when it is present and writes its marker; only a
  // marker that could not be written is reported.
  void open_pdf(const QString& path);

  void pdf_ok_click();
  void pdf_soek_click();

  // The option of index 1 to 15.
  QRadioButton* option(int index) const;
  // The first selected option, 0 when none is.
  int selected_option() const;

 private:
  void unselect_options();
};

}  // namespace km
