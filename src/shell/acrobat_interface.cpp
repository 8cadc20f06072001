#include "shell/acrobat_interface.h"

#include <QGridLayout>
#include <QPushButton>
#include <QRadioButton>

#include "common/shared_variables.h"
#include "common/ui/gradient_painting.h"
#include "common/ui/window_placement.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/program.h"
#include "platform/ui/document_opener.h"
#include "platform/ui/window_registry.h"
#include "shell/manuals.h"

namespace km {

namespace {

QPushButton* add_button(QWidget* parent, const QString& name, const QString& caption) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(name);
  b->setAutoDefault(false);
  return b;
}

}  // namespace

acrobat_interface::acrobat_interface(QWidget* parent)
    : platform::form(QStringLiteral("acrobat_interface"), parent) {
  set_caption("REVIZ-URORU - ACROBAT READER");
  auto* grid = new QGridLayout(this);
  for (int i = 1; i <= manual_option_count; ++i) {
    auto* o = new QRadioButton(manual_designed_caption(i), this);
    o->setObjectName(platform::control_name("um_opsie", i));
    // Each option is as wide as its text, so a click beside it does not choose it.
    grid->addWidget(o, i - 1, 0, 1, 3, Qt::AlignLeft);
  }
  grid->addWidget(add_button(this, "pdf_ok", "OK"), manual_option_count, 0);
  grid->addWidget(add_button(this, "pdf_soek", "?"), manual_option_count, 1);
  grid->addWidget(add_button(this, "pdf_exit", "EXIT"), manual_option_count, 2);
  on_click("pdf_ok", &acrobat_interface::pdf_ok_click);
  on_click("pdf_soek", &acrobat_interface::pdf_soek_click);
  on_click("pdf_exit", [this] { platform::unload_form(this); });
}

QRadioButton* acrobat_interface::option(int index) const {
  return control<QRadioButton>(platform::control_name("um_opsie", index));
}

int acrobat_interface::selected_option() const {
  for (int i = 1; i <= manual_option_count; ++i)
    if (option(i)->isChecked()) return i;
  return 0;
}

void acrobat_interface::unselect_options() {
  for (int i = 1; i <= manual_option_count; ++i) {
    QRadioButton* o = option(i);
    // Option buttons of one group cannot all be off while they exclude
    // each other.
    o->setAutoExclusive(false);
    o->setChecked(false);
    o->setAutoExclusive(true);
  }
}

void acrobat_interface::on_load() {
  update();
  paint_gradient(background(), float(g_frame_red), float(g_frame_red), float(g_frame_red),
                 float(g_frame_green), float(g_frame_green), float(g_frame_green), 0.0f,
                 float(height_twips()), true);
  centre_form(*this);
  unselect_options();
  if (!g_manual_file_name.trimmed().isEmpty()) {
    // A bare name from a sub-menu: looked for in the current directory.
    open_pdf(g_manual_file_name);
    g_manual_file_name.clear();
    update();
    return;
  }
  for (int i = 1; i <= manual_option_count; ++i) option(i)->setText(manual_caption(i, g_language));
}

void acrobat_interface::open_pdf(const QString& path) {
  // A missing manual is not opened and not reported; its marker is still
  // written.
  const pdf_open_result result = km::open_pdf(path);
  if (result.marker_failure)
    platform::message_box(marker_failed_text(result.marker, *result.marker_failure),
                          platform::msg_buttons::ok, platform::msg_icon::exclamation);
}

void acrobat_interface::pdf_ok_click() {
  const QString path = manual_path(selected_option());
  unselect_options();
  open_pdf(path);
}

void acrobat_interface::pdf_soek_click() {
  platform::file_request request;
  request.kind = platform::file_dialog_kind::open;
  request.file_name = QStringLiteral("*.pdf");
  const auto chosen = platform::dialogs().file_dialog(request);
  if (!chosen) return;
  if (platform::file_exists(*chosen)) platform::opener().open(*chosen, viewer_working_folder);
}

}  // namespace km
