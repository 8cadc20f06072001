#include "shell/sk0_floating.h"

#include <QGridLayout>
#include <QPlainTextEdit>
#include <QPushButton>

#include "common/ui/window_placement.h"
#include "platform/dialogs.h"
#include "platform/program.h"
#include "platform/ui/system_info.h"
#include "platform/ui/window_registry.h"
#include "shell/suite_programs.h"

namespace km {

namespace {

constexpr int corner_diameter = 30;
constexpr int buttons_per_row = 2;

}  // namespace

sk0_floating::sk0_floating(QWidget* parent) : platform::form(QStringLiteral("sk0_floating"), parent) {
  setWindowFlag(Qt::FramelessWindowHint);
  auto* grid = new QGridLayout(this);
  for (int i = 1; i <= floating_menu_button_count; ++i) {
    auto* b = new QPushButton(floating_menu_caption(i), this);
    b->setObjectName(platform::control_name("sk0f_menu", i));
    b->setAutoDefault(false);
    on_click(b, [this, i] { sk0f_menu_click(i); });
    grid->addWidget(b, (i - 1) / buttons_per_row, (i - 1) % buttons_per_row);
  }
  const int next_row = (floating_menu_button_count + buttons_per_row - 1) / buttons_per_row;
  auto* environment = new QPlainTextEdit(this);
  environment->setObjectName("system_environment");
  environment->setReadOnly(true);
  environment->setLineWrapMode(QPlainTextEdit::NoWrap);
  grid->addWidget(environment, next_row, 0, 1, buttons_per_row);
  auto* exit = new QPushButton("EXIT", this);
  exit->setObjectName("sk0f_exit");
  exit->setAutoDefault(false);
  on_click(exit, [this] { platform::unload_form(this); });
  grid->addWidget(exit, next_row + 1, 0, 1, buttons_per_row);
}

void sk0_floating::on_load() {
  round_form_corners(*this, corner_diameter);
  QString text;
  for (const QString& entry : platform::system_info().environment()) text += entry + '\n';
  control<QPlainTextEdit>("system_environment")->setPlainText(text);
}

void sk0_floating::sk0f_menu_click(int index) {
  if (const auto message = start_suite_program(index))
    platform::message_box(*message, platform::msg_buttons::ok, platform::msg_icon::critical);
}

}  // namespace km
