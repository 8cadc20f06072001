#include "shell/marks_splash.h"

#include <QFont>
#include <QPalette>
#include <QRandomGenerator>
#include <algorithm>
#include <cmath>
#include <cstring>

#include "common/file_not_written.h"
#include "common/file_number_pool.h"
#include "common/folder_path.h"
#include "common/open_random_files.h"
#include "common/school_record.h"
#include "common/shared_variables.h"
#include "common/ui/window_placement.h"
#include "platform/clock.h"
#include "platform/date_time.h"
#include "platform/dialogs.h"
#include "platform/drive_map.h"
#include "platform/file_error.h"
#include "platform/file_system.h"
#include "platform/instance_lock.h"
#include "platform/program.h"
#include "platform/program_location.h"
#include "platform/ui/window_registry.h"
#include "platform/win_path.h"
#include "shell/settings_files.h"
#include "shell/setup_txt.h"
#include "shell/startup.h"
#include "shell/suite_paths.h"
#include "shell/version_numbers.h"

namespace km {

namespace {

using platform::twips_to_pixels;

QPushButton* make_language_button(QWidget* parent, int index, const QString& caption, int left_twips) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(platform::control_name(QStringLiteral("chk_lang"), index));
  button->setCheckable(true);
  QFont font = button->font();
  font.setBold(true);
  font.setPointSize(12);
  button->setFont(font);
  button->setGeometry(twips_to_pixels(left_twips), twips_to_pixels(3000), twips_to_pixels(2400),
                      twips_to_pixels(700));
  return button;
}

QLabel* make_label(QWidget* parent, const QString& name, const QString& text, int top_twips, int point_size,
                   bool bold) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setAlignment(Qt::AlignCenter);
  QFont font = label->font();
  font.setPointSize(point_size);
  font.setBold(bold);
  label->setFont(font);
  label->setGeometry(0, twips_to_pixels(top_twips), twips_to_pixels(6000), twips_to_pixels(point_size * 40));
  return label;
}

// A seed from the clock: the date and time in milliseconds.
quint32 clock_seed() {
  const double now = platform::clock().now();
  quint64 bits = 0;
  std::memcpy(&bits, &now, sizeof bits);
  return quint32(bits ^ (bits >> 32)) ^ quint32(platform::clock().monotonic_ms());
}

}  // namespace

const std::array<QColor, 7>& splash_colours() {
  static const std::array<QColor, 7> colours{{
      QColor(255, 192, 192),
      QColor(255, 224, 192),
      QColor(255, 255, 192),
      QColor(192, 255, 192),
      QColor(192, 255, 255),
      QColor(192, 192, 255),
      QColor(255, 192, 255),
  }};
  return colours;
}

QColor splash_colour_for(double r) {
  const int entry = static_cast<int>(std::floor(r * 7 + 1)) - 1;
  return splash_colours()[std::size_t(std::clamp(entry, 0, 6))];
}

QString second_copy_text(bool afrikaans) {
  return afrikaans ? QStringLiteral("KORVA-MARKS stelsel reeds gelaai - sien 'TASK BAR' ...")
                   : QStringLiteral("KORVA-MARKS system already loaded - see TASK BAR ...");
}

QString read_school_name_from_record() {
  // The same folder the opening below uses for a blank school-data folder,
  // so the look and the opening agree.
  const QString folder =
      g_school_data_folder.trimmed().isEmpty() ? default_record_folder() : g_school_data_folder;
  if (!platform::file_exists(file_in_folder(folder, QStringLiteral("skl_dta_random.txt")))) return {};
  QString name;
  try {
    open_random_files(QStringLiteral("SKL"), g_school_data_folder);
    name = read_school_name(g_skl_file_number);
  } catch (const platform::file_error&) {
    name.clear();
  }
  abandon_file(g_skl_file_number);
  return name;
}

marks_splash::marks_splash()
    : platform::form(QStringLiteral("marks_splash")),
      skin_(new QWidget(this)),
      product_name_(nullptr),
      version_(nullptr),
      afrikaans_(nullptr),
      english_(nullptr),
      timer1_(new platform::form_timer(this, QStringLiteral("Timer1"), 2000, false)) {
  setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
  resize(twips_to_pixels(6000), twips_to_pixels(4500));
  skin_->setObjectName(QStringLiteral("akSkin1"));
  skin_->setGeometry(0, 0, width(), height());
  skin_->setAutoFillBackground(true);
  product_name_ = make_label(this, QStringLiteral("lblProductName"), QString(), 400, 24, true);
  make_label(this, QStringLiteral("lblCompany"), QStringLiteral("OSKAVEN"), 1500, 12, true);
  version_ = make_label(this, QStringLiteral("lblVersion"), QString(), 2000, 9, false);
  afrikaans_ = make_language_button(this, 1, QStringLiteral("AFRIKAANS"), 480);
  english_ = make_language_button(this, 2, QStringLiteral("ENGLISH"), 3120);
  make_label(this, QStringLiteral("lblNotice"), QStringLiteral("Kies u taal  /  Choose your language"), 3900,
             8, false);
  on_click(afrikaans_, [this] { chk_lang_Click(1); });
  on_click(english_, [this] { chk_lang_Click(2); });
  timer1_->set_handler([this] { Timer1_Timer(); });
}

void marks_splash::on_load() {
  QRandomGenerator random(clock_seed());
  skin_colour_ = splash_colour_for(random.generateDouble());
  QPalette palette = skin_->palette();
  palette.setColor(QPalette::Window, skin_colour_);
  skin_->setPalette(palette);

  g_frame_red = 255;
  g_frame_green = 192;
  g_frame_blue = 158;

  centre_form(*this);
  show();
  repaint();
  round_form_corners(*this, 30);

  if (platform::another_instance_running()) {
    platform::message_box(second_copy_text(g_language), platform::msg_buttons::ok,
                          platform::msg_icon::critical);
    platform::end_program();
  }

  set_up_suite_paths();
  // The program's folder under the root; when the root does not hold it,
  // the running program's own folder serves.
  const QString own_folder = g_program_root + QStringLiteral("\\KORVA-MARKS");
  g_program_path = platform::folder_exists(own_folder)
                       ? own_folder
                       : platform::parent_folder_name(platform::program_file_path());
  g_program_folder = g_program_path;
  try {
    platform::set_current_directory(g_program_path);
  } catch (const platform::file_error&) {
    // The current directory stays where it was.
  }

  version_->setText(version_label_text());
  product_name_->setText(platform::program_title());
  g_year = QString::number(platform::split_date(platform::today()).year);
  read_setup_txt();
  if (const QString name = read_school_name_from_record(); !name.isEmpty()) g_school_name = name;

  if (g_language)
    afrikaans_->setChecked(true);
  else
    english_->setChecked(true);
  timer1_->set_enabled(true);
}

void marks_splash::Timer1_Timer() {
  read_setup_txt();
  leave_for_menu();
}

void marks_splash::chk_lang_Click(int index) {
  if (index == 1) {
    g_language = true;
    english_->setChecked(false);
  } else {
    g_language = false;
    afrikaans_->setChecked(false);
  }
  leave_for_menu();
}

void marks_splash::leave_for_menu() {
  timer1_->set_enabled(false);
  if (!write_setup_txt(g_language)) report_file_not_written(setup_txt_path());
  platform::unload_form(this);
  show_main_menu();
}

}  // namespace km
