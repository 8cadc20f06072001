#include "shell/window_parts.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/language_text.h"
#include "platform/dialogs.h"

namespace km {

QLabel* add_named_label(QWidget* parent, const QString& name) {
  auto* l = new QLabel(parent);
  l->setObjectName(name);
  return l;
}

QPushButton* add_named_button(QWidget* parent, const QString& name) {
  auto* b = new QPushButton(parent);
  b->setObjectName(name);
  b->setAutoDefault(false);
  return b;
}

QFrame* add_named_frame(QWidget* parent, const QString& name) {
  auto* frame = new QFrame(parent);
  frame->setObjectName(name);
  frame->setFrameShape(QFrame::Box);
  frame->setAutoFillBackground(true);
  return frame;
}

void add_window_heading(QWidget* window, QVBoxLayout* column) {
  add_window_heading(window, column, QStringLiteral("ops_stelsel"), {"ops_ops1", "dir_disp", "vak_ops"});
}

void add_window_heading(QWidget* window, QVBoxLayout* column, const QString& title_name,
                        std::initializer_list<const char*> labels) {
  QLabel* title = add_named_label(window, title_name);
  QFont title_font = title->font();
  title_font.setBold(true);
  title_font.setPointSize(title_font.pointSize() + 3);
  title->setFont(title_font);
  title->setAlignment(Qt::AlignCenter);
  column->addWidget(title);
  for (const char* name : labels) {
    QLabel* l = add_named_label(window, QLatin1String(name));
    l->setAlignment(Qt::AlignCenter);
    column->addWidget(l);
  }
}

QFrame* add_status_panel(QWidget* parent) {
  auto* panel = new QFrame(parent);
  panel->setObjectName(QStringLiteral("status_panel"));
  panel->setAutoFillBackground(true);
  panel->setFixedSize(260, 64);
  for (const char* status : {"ops_datum", "ops_tyd", "prg_version"}) {
    QLabel* l = add_named_label(panel, QLatin1String(status));
    l->move(6, 0);
    l->resize(248, 16);
  }
  return panel;
}

QHBoxLayout* make_button_bar(platform::form& window, std::initializer_list<bar_button> buttons) {
  auto* row = new QHBoxLayout;
  for (const bar_button& b : buttons) {
    QPushButton* button = add_named_button(&window, QLatin1String(b.name));
    if (b.handler) window.on_click(button, b.handler);
    row->addWidget(button);
  }
  row->addStretch(1);
  row->addWidget(add_status_panel(&window));
  return row;
}

void show_critical(const QString& text) {
  platform::message_box(text, platform::msg_buttons::ok, platform::msg_icon::critical);
}

void set_button_texts(QWidget* window, std::initializer_list<button_text> texts) {
  for (const button_text& t : texts) {
    auto* b = window->findChild<QPushButton*>(QLatin1String(t.name));
    if (!b) continue;
    b->setText(in_language(t.caption_af, t.caption_en));
    if (t.tip_af) b->setToolTip(in_language(t.tip_af, t.tip_en));
  }
}

}  // namespace km
