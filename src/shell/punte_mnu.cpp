#include "shell/punte_mnu.h"

#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

#include "common/shared_variables.h"
#include "common/text_routines.h"
#include "common/tray_icon_data.h"
#include "common/ui/window_placement.h"
#include "platform/dialogs.h"
#include "platform/program.h"
#include "platform/ui/window_registry.h"
#include "platform/value.h"
#include "shell/idle_timeout_answer.h"
#include "shell/menu_passwords.h"
#include "shell/settings_files.h"
#include "shell/setup_txt.h"
#include "shell/status_labels.h"
#include "shell/work_windows.h"

namespace km {

namespace {

const QString time_out_file_name = QStringLiteral("time_out.txt");

// Values of the notification-icon record: icon 1, with message, icon and
// tip; the callback message is one of the application's own (WM_USER + 1),
// to which nothing reacts.
constexpr std::uint32_t tray_icon_id = 1;
constexpr std::uint32_t tray_icon_flags = 7;
constexpr std::uint32_t tray_callback_message = 0x0401;

// The program's icon: the frame colour with the product's initials.
QIcon program_icon() {
  QPixmap picture(32, 32);
  picture.fill(QColor(255, 192, 158));
  QPainter p(&picture);
  p.setPen(QColor(150, 0, 0));
  QFont f = p.font();
  f.setBold(true);
  f.setPixelSize(15);
  p.setFont(f);
  p.drawText(picture.rect(), Qt::AlignCenter, QStringLiteral("KM"));
  return QIcon(picture);
}

// A handle for the record: the platform gives windows none, so the
// window's address stands in for it (the record is only ever compared with
// itself).
std::uint32_t window_handle(const QWidget* window) {
  return static_cast<std::uint32_t>(reinterpret_cast<quintptr>(window) & 0xFFFFFFFFu);
}

void fill_tray_record(const QWidget* window) {
  fill_tray_icon_data(g_tray_icon, window_handle(window), tray_icon_id, tray_icon_flags,
                      tray_callback_message, tray_icon_id, platform::program_title());
}

}  // namespace

punte_mnu::punte_mnu(QWidget* parent)
    : menu_form(QStringLiteral("punte_mnu"), QStringLiteral("MARKS_MENU"), 2, parent) {
  set_caption(platform::program_title());
  setWindowIcon(program_icon());
  add_side_button(QStringLiteral("backup"), QStringLiteral("BACKUP"), &menu_form::backup_click);
  add_side_button(QStringLiteral("data_folder"), QStringLiteral("DATA"), &menu_form::data_folder_click);
  add_side_button(QStringLiteral("system_menu"), QStringLiteral("SYS"), [this] { system_menu_click(); });
  add_side_button(QStringLiteral("timeout"), QStringLiteral("TIME-OUT"), [this] { timeout_click(); });
  add_side_button(QStringLiteral("www_call"), QStringLiteral("WWW"), &menu_form::www_call_click);
  add_side_button(QStringLiteral("punte_exit"), QStringLiteral("EXIT"), [this] { punte_exit_click(); });
  for (int i = 0; i <= 1; ++i) {
    auto* list = new QListWidget(this);
    list->setObjectName(platform::control_name(QStringLiteral("wagwoord_lys"), i));
    list->setSortingEnabled(false);
    list->setVisible(false);
  }
}

punte_mnu::~punte_mnu() = default;

void punte_mnu::on_load() {
  centre_form(*this);
  remove_close_menu(*this);
  add_tray_icon();
  show_school_and_folder(g_data_folder);
  show_status_labels(*this);

  road_button(1)->setText(g_language ? QStringLiteral("SIKLUS/UGO") : QStringLiteral("CYCLE/OBE"));
  road_button(2)->setText(g_language ? QStringLiteral("PUNTEBOEK") : QStringLiteral("MARKS BOOK"));
  road_button(1)->setToolTip(g_language ? QStringLiteral("SIKLUS-/TOETS, DAS-/KTA PUNTE")
                                        : QStringLiteral("CYCLE/TEST, CASS/CTA MARKS"));
  road_button(2)->setToolTip(g_language ? QStringLiteral("PUNTEBOEK") : QStringLiteral("MARKS BOOK"));
  set_side_tool_tips(g_data_folder);
  control<QPushButton>(QStringLiteral("system_menu"))
      ->setToolTip(g_language ? QStringLiteral(" Vertoon Stelselspyskaart ")
                              : QStringLiteral(" Display System Menu "));

  read_setup_txt();
  g_data_folder = upper_case_afrikaans(g_data_folder);
  label(QStringLiteral("dir_disp"))->setText(g_data_folder);
  load_passwords();
}

void punte_mnu::on_unload() { tray_.remove(); }

void punte_mnu::add_tray_icon() {
  fill_tray_record(this);
  tray_.show(windowIcon(), g_tray_icon.tip_text().trimmed());
}

void punte_mnu::remove_tray_icon() {
  fill_tray_record(this);
  tray_.remove();
}

bool punte_mnu::tray_icon_shown() const { return tray_.shown(); }

void punte_mnu::punte_menu_click(int index) {
  if (index < 1 || index > road_count()) return;
  if (!password_check(menu_name(), index)) return;
  label(QStringLiteral("ops_stelsel"))->setText(road_button(index)->toolTip());
  platform::show_form(index == 1 ? QStringLiteral("punte_menu1") : QStringLiteral("punte_menu2"));
}

void punte_mnu::system_menu_click() { platform::show_form(QStringLiteral("sk0_floating")); }

void punte_mnu::timeout_click() {
  const platform::input_answer answer = platform::input_box(
      g_language ? QStringLiteral("TYDSDUUR IN MINUTE") : QStringLiteral("TIME OUT IN MINUTES"), QString(),
      idle_timeout_minutes_text());
  // Cancel or an empty answer changes nothing, and nothing is said.
  if (answer.cancelled || answer.text.trimmed().isEmpty()) return;
  const auto minutes = parse_idle_timeout_minutes(answer.text);
  if (!minutes) {
    platform::message_box(idle_timeout_refused_text(answer.text), platform::msg_buttons::ok,
                          platform::msg_icon::exclamation);
    return;
  }
  g_idle_timeout = *minutes * 60.0f;
  // A file that cannot be written is told; the time-out holds for this run
  // all the same, so the change is reported too.
  write_text_lines_or_report(time_out_file_name, {print_number_text(g_idle_timeout)});
  platform::message_box(idle_timeout_changed_text(), platform::msg_buttons::ok,
                        platform::msg_icon::information);
}

void punte_mnu::end_after_closing_windows() {
  if (!close_windows_orderly({QStringLiteral("startup"), name()})) return;
  remove_tray_icon();
  platform::unload_form(this);
  platform::end_program();
}

void punte_mnu::punte_exit_click() { end_after_closing_windows(); }

void punte_mnu::key_down(int digit) {
  if (digit == 1 || digit == 2)
    punte_menu_click(digit);
  else if (digit == 0)
    end_after_closing_windows();
}

bool punte_mnu::on_key_down(QKeyEvent* event) {
  // Keys here do not count as activity for the idle log-out.
  const int digit = top_row_digit(event);
  if (digit < 0) return false;
  key_down(digit);
  return digit <= 2;
}

}  // namespace km
