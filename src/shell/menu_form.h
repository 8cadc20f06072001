#pragma once
// What the main menu and the two sub-menus share: the road buttons
// punte_menu_1 .. punte_menu_<n> with their passwords (red text, the lock
// indicator password_show, the right-click administration), the school and
// data-folder labels, the side buttons backup, data_folder, www_call and
// punte_exit, the status labels and the clock Timer1.

#include <QString>
#include <functional>

#include "platform/ui/form.h"

class QFrame;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QKeyEvent;

namespace km {

class menu_form : public platform::form {
  Q_OBJECT

 public:
  // name: the window's name; menu_name: the name its password keys start
  // with ("MARKS_MENU"); road_count: its road buttons.
  menu_form(const QString& name, const QString& menu_name, int road_count, QWidget* parent = nullptr);

  const QString& menu_name() const { return menu_name_; }
  int road_count() const { return road_count_; }
  // Road button 1 .. road_count (nullptr outside).
  QPushButton* road_button(int index) const;
  QLabel* label(const QString& name) const;

  // Handlers, public so that tests reach them as the events do.
  virtual void punte_menu_click(int index) = 0;
  // Mouse button released on a road button: the right button starts the
  // password administration of that button.
  void punte_menu_mouse_up(int index, Qt::MouseButton button);
  // Mouse over a road button: the lock shows over a red one.
  void punte_menu_mouse_move(int index);
  // Mouse over the background: the lock hides.
  void form_mouse_move();
  void backup_click();
  void data_folder_click();
  void www_call_click();
  // The clock: ops_tyd shows the time of day.
  void Timer1_Timer();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

  // A side button in the row of side buttons.
  QPushButton* add_side_button(const QString& name, const QString& text, void (menu_form::*handler)());
  QPushButton* add_side_button(const QString& name, const QString& text, std::function<void()> handler);

  // ops_ops1 shows the school's name, or the window's own name for the
  // maker's test school; dir_disp shows the folder.
  void show_school_and_folder(const QString& folder);
  // Tool tips of backup, data_folder (naming the folder) and punte_exit.
  void set_side_tool_tips(const QString& folder);
  // Appends the passwords file to the list and colours the road buttons.
  void load_passwords();

  // The top-row digit of a key (0 to 9), or -1 for any other key (the
  // numeric keypad included).
  static int top_row_digit(const QKeyEvent* event);

 private:
  QString menu_name_;
  int road_count_;
  QHBoxLayout* side_row_;
};

// The name of the maker's test school: menus then show their own name.
inline const QString maker_test_school = QStringLiteral("RIRUD-EDAVE");

}  // namespace km
