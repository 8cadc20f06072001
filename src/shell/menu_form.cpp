#include "shell/menu_form.h"

#include <QFont>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>
#include <exception>

#include "common/shared_variables.h"
#include "platform/clock.h"
#include "platform/date_time.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/form_timer.h"
#include "platform/program.h"
#include "platform/program_launcher.h"
#include "platform/ui/window_registry.h"
#include "shell/menu_passwords.h"
#include "shell/suite_programs.h"

namespace km {

namespace {

// The lock picture of password_show: a small padlock.
QPixmap lock_picture() {
  QPixmap picture(24, 24);
  picture.fill(Qt::transparent);
  QPainter p(&picture);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(90, 90, 90), 2.5));
  p.drawArc(QRectF(6, 2, 12, 14), 0, 180 * 16);
  p.drawLine(QPointF(6, 9), QPointF(6, 11));
  p.drawLine(QPointF(18, 9), QPointF(18, 11));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(200, 30, 30));
  p.drawRoundedRect(QRectF(3, 11, 18, 12), 2, 2);
  p.setBrush(Qt::white);
  p.drawEllipse(QPointF(12, 16), 2, 2);
  return picture;
}

QLabel* add_label(QWidget* parent, const QString& name) {
  auto* l = new QLabel(parent);
  l->setObjectName(name);
  return l;
}

// Status labels are placed by the status routine in twips within their
// panel, so the panel has no layout of its own.
constexpr int status_panel_width = 260;
constexpr int status_panel_height = 64;

}  // namespace

menu_form::menu_form(const QString& name, const QString& menu_name, int road_count, QWidget* parent)
    : platform::form(name, parent), menu_name_(menu_name), road_count_(road_count) {
  setMouseTracking(true);
  auto* column = new QVBoxLayout(this);
  QLabel* heading = add_label(this, QStringLiteral("ops_stelsel"));
  QFont heading_font = heading->font();
  heading_font.setBold(true);
  heading_font.setPointSize(heading_font.pointSize() + 2);
  heading->setFont(heading_font);
  heading->setAlignment(Qt::AlignCenter);
  column->addWidget(heading);
  QLabel* school = add_label(this, QStringLiteral("ops_ops1"));
  school->setAlignment(Qt::AlignCenter);
  column->addWidget(school);
  QLabel* folder = add_label(this, QStringLiteral("dir_disp"));
  folder->setAlignment(Qt::AlignCenter);
  column->addWidget(folder);

  for (int i = 1; i <= road_count_; ++i) {
    auto* b = new QPushButton(this);
    b->setObjectName(platform::control_name(QStringLiteral("punte_menu"), i));
    b->setAutoDefault(false);
    b->setMinimumHeight(48);
    QFont f = b->font();
    f.setBold(true);
    f.setPointSize(f.pointSize() + 3);
    b->setFont(f);
    b->setMouseTracking(true);
    b->installEventFilter(this);
    on_click(b, [this, i] { punte_menu_click(i); });
    column->addWidget(b);
  }

  auto* side_panel = new QFrame(this);
  side_panel->setObjectName(QStringLiteral("side_panel"));
  side_panel->setAutoFillBackground(true);
  side_row_ = new QHBoxLayout(side_panel);
  auto* lock = new QLabel(side_panel);
  lock->setObjectName(QStringLiteral("password_show"));
  lock->setPixmap(lock_picture());
  // The lock's place is kept while it is hidden, so the window keeps its
  // size when the lock shows.
  QSizePolicy keep_place = lock->sizePolicy();
  keep_place.setRetainSizeWhenHidden(true);
  lock->setSizePolicy(keep_place);
  lock->setVisible(false);
  side_row_->addWidget(lock);
  side_row_->addStretch(1);
  column->addWidget(side_panel);

  auto* status_panel = new QFrame(this);
  status_panel->setObjectName(QStringLiteral("status_panel"));
  status_panel->setAutoFillBackground(true);
  status_panel->setFixedSize(status_panel_width, status_panel_height);
  for (const char* status : {"ops_datum", "ops_tyd", "prg_version"}) {
    QLabel* l = add_label(status_panel, QLatin1String(status));
    l->move(6, 0);
    l->resize(status_panel_width - 12, 16);
  }
  column->addWidget(status_panel, 0, Qt::AlignRight);

  auto* clock_timer = new platform::form_timer(this, QStringLiteral("Timer1"), 1000, true);
  clock_timer->set_handler([this] { Timer1_Timer(); });
  resize(560, 200 + 56 * road_count_);
}

QPushButton* menu_form::road_button(int index) const {
  if (index < 1 || index > road_count_) return nullptr;
  return control<QPushButton>(platform::control_name(QStringLiteral("punte_menu"), index));
}

QLabel* menu_form::label(const QString& name) const { return control<QLabel>(name); }

QPushButton* menu_form::add_side_button(const QString& name, const QString& text,
                                        std::function<void()> handler) {
  QWidget* panel = side_row_->parentWidget();
  auto* b = new QPushButton(text, panel);
  b->setObjectName(name);
  b->setAutoDefault(false);
  on_click(b, std::move(handler));
  // Side buttons stand before the stretch that keeps them to the left of
  // the exit.
  side_row_->insertWidget(side_row_->count() - 1, b);
  return b;
}

QPushButton* menu_form::add_side_button(const QString& name, const QString& text,
                                        void (menu_form::*handler)()) {
  return add_side_button(name, text, [this, handler] { (this->*handler)(); });
}

void menu_form::show_school_and_folder(const QString& folder) {
  label(QStringLiteral("dir_disp"))->setText(folder);
  label(QStringLiteral("ops_ops1"))->setText(g_school_name == maker_test_school ? name() : g_school_name);
}

void menu_form::set_side_tool_tips(const QString& folder) {
  if (auto* b = control<QPushButton>(QStringLiteral("backup")))
    b->setToolTip(g_language ? QStringLiteral("RUGSTEUN/HERWIN") : QStringLiteral("BACKUP/RESTORE"));
  if (auto* b = control<QPushButton>(QStringLiteral("data_folder")))
    b->setToolTip(g_language
                      ? QStringLiteral(" VERANDER DATA-FOLDER VAN ") + folder + QStringLiteral(" NA ... ")
                      : QStringLiteral(" CHANGE DATA FOLDER FROM ") + folder + QStringLiteral(" TO ... "));
  if (auto* b = control<QPushButton>(QStringLiteral("punte_exit"))) b->setToolTip(QStringLiteral("EXIT"));
}

void menu_form::load_passwords() {
  load_passwords_and_colour(menu_name_, road_count_, [this](int i) { return road_button(i); });
}

int menu_form::top_row_digit(const QKeyEvent* event) {
  if (event->modifiers() & Qt::KeypadModifier) return -1;
  const int key = event->key();
  return key >= Qt::Key_0 && key <= Qt::Key_9 ? key - Qt::Key_0 : -1;
}

void menu_form::punte_menu_mouse_up(int index, Qt::MouseButton button) {
  if (button != Qt::RightButton) return;
  QPushButton* b = road_button(index);
  if (!b) return;
  password_administration(menu_name_, index, b->text());
}

void menu_form::punte_menu_mouse_move(int index) {
  const QPushButton* b = road_button(index);
  if (auto* lock = label(QStringLiteral("password_show")))
    lock->setVisible(b && button_text_colour(b) == protected_button_colour);
}

void menu_form::form_mouse_move() {
  if (auto* lock = label(QStringLiteral("password_show"))) lock->setVisible(false);
}

void menu_form::backup_click() {
  const QString program = g_program_root + QStringLiteral("\\korva-backup\\korva-backup.exe");
  if (platform::file_exists(program)) platform::launcher().start(program);
}

void menu_form::data_folder_click() {
  try {
    platform::show_form(QStringLiteral("change_folder"), true);
  } catch (const platform::program_ended&) {
    throw;
  } catch (const platform::no_dialog_service&) {
    throw;
  } catch (const std::exception&) {
    // A failure of the change-folder window is passed over.
  }
}

void menu_form::www_call_click() {
  platform::message_box(
      (g_language ? QStringLiteral("Besoek ons webwerf: ") : QStringLiteral("Visit our web site: ")) +
          suite_web_address,
      platform::msg_buttons::ok, platform::msg_icon::information);
}

void menu_form::Timer1_Timer() {
  label(QStringLiteral("ops_tyd"))->setText(platform::time_text(platform::clock().now()));
}

bool menu_form::eventFilter(QObject* watched, QEvent* event) {
  for (int i = 1; i <= road_count_; ++i) {
    if (watched != road_button(i)) continue;
    if (event->type() == QEvent::MouseMove) {
      platform::run_handler([this, i] { punte_menu_mouse_move(i); });
      // A move over a button is not a move over the background: the
      // button would pass it on to the window unless a mouse button is
      // down on it.
      if (static_cast<QMouseEvent*>(event)->buttons() == Qt::NoButton) return true;
    } else if (event->type() == QEvent::MouseButtonRelease) {
      const Qt::MouseButton button = static_cast<QMouseEvent*>(event)->button();
      platform::run_handler([this, i, button] { punte_menu_mouse_up(i, button); });
    }
    break;
  }
  return platform::form::eventFilter(watched, event);
}

void menu_form::mouseMoveEvent(QMouseEvent* event) {
  platform::run_handler([this] { form_mouse_move(); });
  platform::form::mouseMoveEvent(event);
}

}  // namespace km
