#pragma once
// The splash "marks_splash": the first window the user sees. Its load
// refuses a second running copy, prepares the suite's folders, makes the
// program folder the current directory, shows the version, reads the
// settings file and takes the school's name from the school record. Two
// seconds later, or at once on a language button, it saves the settings,
// closes and opens the main menu.

#include <QColor>
#include <QLabel>
#include <QPushButton>
#include <array>

#include "platform/form_timer.h"
#include "platform/ui/form.h"

namespace km {

// The seven pastel colours the splash's background is drawn from.
const std::array<QColor, 7>& splash_colours();
// The colour for a random fraction r in [0, 1): entry Int(r * 7 + 1) - 1.
QColor splash_colour_for(double r);

// The message that refuses a second copy, in the language given.
QString second_copy_text(bool afrikaans);

// Takes the school's name from record 1 of the school record when the file
// is there, looking in the folder that the record-file opening uses (the
// school-data folder, or the default record folder when that is blank);
// "" when it is not there.
QString read_school_name_from_record();

class marks_splash : public platform::form {
  Q_OBJECT

 public:
  marks_splash();

  void on_load() override;
  // Two seconds after the load: save the settings and open the main menu.
  void Timer1_Timer();
  // A language button: 1 Afrikaans, 2 English.
  void chk_lang_Click(int index);

  QPushButton* chk_lang(int index) const { return index == 1 ? afrikaans_ : english_; }
  QLabel* lblVersion() const { return version_; }
  QLabel* lblProductName() const { return product_name_; }
  platform::form_timer* Timer1() const { return timer1_; }
  QColor skin_colour() const { return skin_colour_; }

 private:
  // Saves the settings, closes the splash and opens the main menu.
  void leave_for_menu();

  QWidget* skin_;
  QLabel* product_name_;
  QLabel* version_;
  QPushButton* afrikaans_;
  QPushButton* english_;
  platform::form_timer* timer1_;
  QColor skin_colour_;
};

}  // namespace km
