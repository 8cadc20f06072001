#pragma once
// Pieces the work windows build alike: named labels and buttons, the
// status panel with the date, the clock and the version, and the critical
// message with an OK button.
#include <QString>
#include <functional>
#include <initializer_list>

#include "platform/ui/form.h"

class QFrame;
class QHBoxLayout;
class QVBoxLayout;
class QLabel;
class QPushButton;
class QWidget;

namespace km {

QLabel* add_named_label(QWidget* parent, const QString& name);
QPushButton* add_named_button(QWidget* parent, const QString& name);
// A boxed frame that covers what lies under it.
QFrame* add_named_frame(QWidget* parent, const QString& name);
// The heading of a work window in its column: the title ops_stelsel (bold,
// larger), then the centred labels ops_ops1 (the school), dir_disp (the
// data folder) and vak_ops (the chosen combination).
void add_window_heading(QWidget* window, QVBoxLayout* column);
// The same with another title label and other centred labels under it.
void add_window_heading(QWidget* window, QVBoxLayout* column, const QString& title_name,
                        std::initializer_list<const char*> labels);
// The panel holding ops_datum, ops_tyd and prg_version (placed and filled
// by show_status_labels).
QFrame* add_status_panel(QWidget* parent);

// The row of buttons at the foot of a window, each wired to its handler (a
// button without one only shows), then the status panel at the right.
struct bar_button {
  const char* name;
  std::function<void()> handler;
};
QHBoxLayout* make_button_bar(platform::form& window, std::initializer_list<bar_button> buttons);
void show_critical(const QString& text);

// The caption and tool tip of a button in both languages (no tool tip
// when tip_af is null).
struct button_text {
  const char* name;
  const char16_t* caption_af;
  const char16_t* caption_en;
  const char16_t* tip_af;
  const char16_t* tip_en;
};
// Gives the named buttons under the window their texts in the chosen
// language.
void set_button_texts(QWidget* window, std::initializer_list<button_text> texts);

}  // namespace km
