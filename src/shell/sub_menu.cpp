#include "shell/sub_menu.h"

#include <QBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include "common/idle_clock.h"
#include "common/language_text.h"
#include "common/shared_variables.h"
#include "common/ui/window_placement.h"
#include "platform/dialogs.h"
#include "platform/file_error.h"
#include "platform/file_system.h"
#include "platform/program.h"
#include "platform/ui/window_registry.h"
#include "platform/win_path.h"
#include "shell/menu_passwords.h"
#include "shell/status_labels.h"
#include "shell/work_windows.h"

namespace km {

namespace {

// The caption of the chosen language from the menu's UTF-8 texts.
QString text(const char* afrikaans, const char* english) {
  return in_language(QString::fromUtf8(afrikaans), QString::fromUtf8(english));
}

}  // namespace

const sub_menu_kind& cycle_obe_menu_kind() {
  static const sub_menu_kind kind{
      "punte_menu1",
      "MARKS1_MENU",
      3,
      {{{"INLEES PUNTE", "INPUT MARKS", "INLEES van punte/persentasies",
         "INPUT of CASS/CTA marks/percentages", "punte_inlees"},
        {"INLEES ASSESSERING", "INPUT ASSESSMENT", "INLEES van UGO Assessering", "INPUT of OBE Assessment",
         "obe_inlees"},
        {"DRUK PUNTELYSTE", "PRINT MARK LISTS", "DRUK PUNTELYS(TE)", "PRINT MARK LIST(S)", "punte_druk"},
        {},
        {}}},
      "SIKLUS-/TOETS, DAS-/KTA PUNTE",
      "CYCLE/TEST, CASS/CTA MARKS",
      "m_marks_afr.pdf",
      "m_marks_eng.pdf",
      true,
      false,
      false,
      true};
  return kind;
}

const sub_menu_kind& mark_book_menu_kind() {
  static const sub_menu_kind kind{
      "punte_menu2",
      "MARKS2_MENU",
      5,
      {{{"PUNTEBOEK OPSTEL", "SETUP MARK BOOK", "OPSTEL van PUNTEBOEK", "SETUP of MARK BOOK", "pboek_opstel"},
        {"INLEES PUNTEBOEK", "INPUT MARKS BOOK", "INLEES van PUNTE", "INPUT of MARKS", "pboek_inlees"},
        {"DRUK PUNTELYSTE", "PRINT MARK LISTS", "DRUK PUNTELYSTE", "PRINT MARK LIST(S)", "pboek_druk"},
        {"SIMBOOLVERSPREIDING", "SYMBOL DISTRIBUTION", "DRUK SIMBOLVERSPREIDINGS VIR GEBRUIKTE REEKSE",
         "PRINT SYMBOL DISTRIBUTIONS FOR ALL USED SERIES", "simbole_druk"},
        {"UITVOER na ADMIN", "EXPORT to ADMIN", "UITVOER na ADMIN", "EXPORT to ADMIN", "pboek_uitvoer"}}},
      "PUNTEBOEK",
      "MARK BOOK",
      "m_punteboek.pdf",
      "m_markbook.pdf",
      false,
      true,
      true,
      false};
  return kind;
}

bool folder_holds_marks_files(const QString& folder) {
  if (!platform::folder_exists(folder)) return false;
  return platform::file_exists(platform::join_win_path(folder, QStringLiteral("Exp_Mrk_control.txt"))) ||
         platform::file_exists(platform::join_win_path(folder, QStringLiteral("Exp_Control.dbf")));
}

QString current_folder_without_marks_text(const QString& folder) {
  return g_language
             ? QStringLiteral("Bestaande gids (") + folder + QStringLiteral(") bevat nie punteleêrs nie ...")
             : QStringLiteral("Current folder (") + folder +
                   QStringLiteral(") does not contain marks files ...");
}

sub_menu::sub_menu(const sub_menu_kind& kind, QWidget* parent)
    : menu_form(QLatin1String(kind.window_name), QLatin1String(kind.menu_name), kind.road_count, parent),
      kind_(kind) {
  set_caption(platform::program_title());
  if (kind_.clears_sub_heading) {
    auto* sub_heading = new QLabel(this);
    sub_heading->setObjectName(QStringLiteral("ops_subops"));
    sub_heading->setAlignment(Qt::AlignCenter);
    static_cast<QBoxLayout*>(layout())->insertWidget(1, sub_heading);
  }
  add_side_button(QStringLiteral("help_pdf"), QStringLiteral("?"), [this] { help_pdf_click(); });
  add_side_button(QStringLiteral("backup"), QStringLiteral("BACKUP"), &menu_form::backup_click);
  add_side_button(QStringLiteral("data_folder"), QStringLiteral("DATA"), &menu_form::data_folder_click);
  add_side_button(QStringLiteral("www_call"), QStringLiteral("WWW"), &menu_form::www_call_click);
  add_side_button(QStringLiteral("punte_exit"), QStringLiteral("EXIT"), [this] { punte_exit_click(); });
}

void sub_menu::on_load() {
  centre_form(*this);
  remove_close_menu(*this);
  const bool folder_given =
      kind_.trim_folder_test ? !g_data_folder.trimmed().isEmpty() : !g_data_folder.isEmpty();
  if (folder_given && !platform::folder_exists(g_data_folder)) {
    try {
      platform::create_folder(g_data_folder);
    } catch (const platform::file_error&) {
      // A folder that cannot be made (a missing drive, a name no folder
      // can have): the data-folder check before each work window sends the
      // user to choose another.
    }
  }
  show_school_and_folder(g_data_folder);
  if (kind_.clears_sub_heading) label(QStringLiteral("ops_subops"))->clear();
  show_status_labels(*this);

  label(QStringLiteral("ops_stelsel"))->setText(text(kind_.heading_af, kind_.heading_en));
  for (int i = 1; i <= road_count(); ++i) {
    const sub_menu_road& road = kind_.roads[std::size_t(i - 1)];
    road_button(i)->setText(text(road.caption_af, road.caption_en));
    road_button(i)->setToolTip(text(road.tip_af, road.tip_en));
  }
  set_side_tool_tips(g_data_folder);
  load_passwords();
}

void sub_menu::punte_menu_click(int index) {
  if (index < 1 || index > road_count()) return;
  if (!password_check(menu_name(), index)) return;
  check_data_folder();
  const QString window = QLatin1String(kind_.roads[std::size_t(index - 1)].window);
  // Work windows join the registry as they become part of the program.
  if (platform::has_form_factory(window)) platform::show_form(window);
}

bool sub_menu::check_data_folder() {
  if (!folder_holds_marks_files(g_data_folder)) {
    platform::message_box(current_folder_without_marks_text(g_data_folder), platform::msg_buttons::ok,
                          platform::msg_icon::critical);
    platform::show_form(QStringLiteral("change_folder"), true);
  }
  return true;
}

void sub_menu::help_pdf_click() {
  g_manual_file_name = text(kind_.manual_af, kind_.manual_en);
  platform::show_form(QStringLiteral("acrobat_interface"), kind_.manual_modal);
}

void sub_menu::punte_exit_click() {
  platform::unload_form(this);
  platform::show_form(QStringLiteral("punte_mnu"));
}

void sub_menu::key_down(int digit) {
  if (digit >= 1 && digit <= road_count()) {
    punte_menu_click(digit);
  } else if (digit == 0 && kind_.key_0_ends) {
    if (!close_windows_orderly({QStringLiteral("startup"), QStringLiteral("punte_mnu"), name()})) return;
    platform::end_program();
  }
}

bool sub_menu::on_key_down(QKeyEvent* event) {
  reset_idle_clock();
  const int digit = top_row_digit(event);
  if (digit < 0) return false;
  key_down(digit);
  return digit <= road_count();
}

}  // namespace km
