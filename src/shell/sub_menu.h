#pragma once
// The two sub-menus: punte_menu1 (cycle, test and continuous-assessment
// marks and outcomes-based assessment, three roads) and punte_menu2 (the
// mark book, five roads). One window class; what differs between the two
// is a table. A road button opens its work window by name through the
// window registry, after its password and a check that the data folder
// holds marks files; a work window that is not part of the program yet
// opens nothing.

#include <QString>
#include <array>

#include "shell/menu_form.h"

namespace km {

struct sub_menu_road {
  const char* caption_af;
  const char* caption_en;
  const char* tip_af;
  const char* tip_en;
  const char* window;  // the work window it opens
};

struct sub_menu_kind {
  const char* window_name;  // "punte_menu1"
  const char* menu_name;    // the password keys' menu name
  int road_count;
  std::array<sub_menu_road, 5> roads;
  const char* heading_af;
  const char* heading_en;
  const char* manual_af;
  const char* manual_en;
  bool manual_modal;        // the manuals window is shown modally
  bool key_0_ends;          // the key 0 ends the program
  bool trim_folder_test;    // the folder is created when its trimmed text is not empty
  bool clears_sub_heading;  // has ops_subops, emptied at load
};

const sub_menu_kind& cycle_obe_menu_kind();  // punte_menu1
const sub_menu_kind& mark_book_menu_kind();  // punte_menu2

// True when the folder exists and holds Exp_Mrk_control.txt or
// Exp_Control.dbf (names in any letter case).
bool folder_holds_marks_files(const QString& folder);

// "Bestaande gids (<folder>) bevat nie punteleêrs nie ..." / "Current folder (<folder>) does
// not contain marks files ...".
QString current_folder_without_marks_text(const QString& folder);

class sub_menu : public menu_form {
  Q_OBJECT

 public:
  explicit sub_menu(const sub_menu_kind& kind, QWidget* parent = nullptr);

  const sub_menu_kind& kind() const { return kind_; }

  void on_load() override;
  bool on_key_down(QKeyEvent* event) override;

  // The handlers, as the events call them.
  void punte_menu_click(int index) override;
  void help_pdf_click();
  void punte_exit_click();
  // A top-row digit key (0 to 9): 1 to the road count act as the roads;
  // 0 ends the program on the mark-book menu.
  void key_down(int digit);

  // Before a work window opens: a data folder without marks files is told
  // and the change of data folder follows. The work window opens after it
  // in every case, so the answer is always true.
  bool check_data_folder();

 private:
  const sub_menu_kind& kind_;
};

}  // namespace km
