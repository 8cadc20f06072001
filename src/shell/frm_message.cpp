#include "shell/frm_message.h"

#include <QHBoxLayout>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

#include "common/shared_variables.h"
#include "common/ui/message_call.h"
#include "platform/ui/window_registry.h"
#include "platform/value.h"

namespace km {

namespace {

QLabel* make_label(QWidget* parent, const QString& name) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setAlignment(Qt::AlignCenter);
  return label;
}

// Blank in the platform's sense: nothing but spaces.
bool is_blank(const QString& text) {
  return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c == QLatin1Char(' '); });
}

}  // namespace

frmMessage::frmMessage() : form(QStringLiteral("frmMessage")) {
  setWindowFlag(Qt::WindowStaysOnTopHint);
  line0_ = make_label(this, platform::control_name(QStringLiteral("lblMessage"), 0));
  line1_ = make_label(this, platform::control_name(QStringLiteral("lblMessage"), 1));
  close_ = make_label(this, QStringLiteral("lblClose"));
  QFont bold = close_->font();
  bold.setBold(true);
  line0_->setFont(bold);
  line1_->setFont(bold);
  close_->setFont(bold);
  image_ = make_label(this, QStringLiteral("Image1"));
  image_->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));

  auto* lines = new QVBoxLayout;
  lines->addWidget(line0_);
  lines->addWidget(close_);
  lines->addWidget(line1_);
  auto* row = new QHBoxLayout(this);
  row->addWidget(image_);
  row->addLayout(lines, 1);
  move_twips(0, 0, 5400, 1800);

  timer1_ = new platform::form_timer(this, QStringLiteral("Timer1"), 200, false);
  timer1_->set_handler([this] { Timer1_Timer(); });
  count_down_ = new platform::form_timer(this, QStringLiteral("tmrLabel"), 100, false);
  count_down_->set_handler([this] { tmrLabel_Timer(); });
}

void frmMessage::Timer1_Timer() { timer1_->set_enabled(false); }

void frmMessage::tmrLabel_Timer() {
  if (is_blank(line0_->text())) {
    line0_->setText(g_language ? QStringLiteral("Stelsel sluit oor ")
                               : QStringLiteral("System closing down in "));
    line1_->setText(g_language ? QStringLiteral(" sekondes !") : QStringLiteral(" seconds !"));
  }
  close_->clear();
  // The count is kept in 32 bits: a time above 32767 ms counts down too.
  std::int32_t left = message_close_ms();
  if (left >= 1000) {
    left -= count_down_->interval();
    set_message_close_ms(left);
    close_->setText(platform::number_text(left / 1000.0));
  }
}

void register_frm_message() {
  platform::register_form(QStringLiteral("frmMessage"), [] { return new frmMessage; });
}

}  // namespace km
