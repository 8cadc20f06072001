#include "tools/manual_screenshots.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <map>
#include <stdexcept>
#include <vector>

#include "common/record_file_hooks.h"
#include "common/record_lock.h"
#include "common/shared_variables.h"
#include "datafiles/datafile_services.h"
#include "markbook/example_setup.h"
#include "markbook/mark_book_update.h"
#include "markbook/markbook_windows.h"
#include "markbook/pboek_inlees.h"
#include "markbook/pboek_opstel.h"
#include "markbook/setup_file.h"
#include "markbook/setup_finder.h"
#include "marks/marks_windows.h"
#include "marks/obe_inlees.h"
#include "marks/punte_druk.h"
#include "marks/punte_inlees.h"
#include "platform/clock.h"
#include "platform/dbase/recordset_model.h"
#include "platform/dialogs.h"
#include "platform/drive_map.h"
#include "platform/file_system.h"
#include "platform/ui/form.h"
#include "platform/ui/grid/bound_grid.h"
#include "platform/ui/grid/flex_grid_view.h"
#include "platform/ui/window_registry.h"
#include "platform/win_path.h"
#include "printing/printing_windows.h"
#include "shell/frm_message.h"
#include "shell/menu_windows.h"
#include "shell/side_windows.h"
#include "tools/sample_school.h"

namespace km {

namespace {

const QString data_folder = QStringLiteral("C:\\KORVA-DATA");
const QString program_folder = QStringLiteral("C:\\Program Files (x86)\\KORVA-MARKS");

// Answers every prompt as a user who presses Enter would: the default
// button, the default text; a dialog that picks a file, folder or printer
// is cancelled. What was asked is written to the error stream, so a walk
// that meets a prompt it should not can be seen.
class default_answers : public platform::dialog_service {
 public:
  platform::msg_answer message_box(const platform::message_request& r) override {
    std::fprintf(stderr, "prompt: %s\n", qPrintable(r.text));
    using platform::msg_answer;
    using platform::msg_buttons;
    static const std::map<msg_buttons, std::vector<msg_answer>> sets = {
        {msg_buttons::ok, {msg_answer::ok}},
        {msg_buttons::ok_cancel, {msg_answer::ok, msg_answer::cancel}},
        {msg_buttons::abort_retry_ignore, {msg_answer::abort, msg_answer::retry, msg_answer::ignore}},
        {msg_buttons::yes_no_cancel, {msg_answer::yes, msg_answer::no, msg_answer::cancel}},
        {msg_buttons::yes_no, {msg_answer::yes, msg_answer::no}},
        {msg_buttons::retry_cancel, {msg_answer::retry, msg_answer::cancel}}};
    const auto& answers = sets.at(r.buttons);
    const std::size_t i = std::size_t(std::clamp(r.default_button, 1, int(answers.size())) - 1);
    return answers[i];
  }
  platform::input_answer input_box(const platform::input_request& r) override {
    std::fprintf(stderr, "input: %s\n", qPrintable(r.prompt));
    return {r.default_text, false};
  }
  void beep() override {}
  std::optional<QString> browse_folder(const platform::folder_request&) override { return std::nullopt; }
  std::optional<QString> file_dialog(const platform::file_request&) override { return std::nullopt; }
  std::optional<platform::printer_choice> printer_dialog(const platform::printer_request&) override {
    return std::nullopt;
  }
  std::optional<platform::font_choice> font_dialog(const platform::font_request&) override {
    return std::nullopt;
  }
  QString clipboard_text() override { return clipboard_; }
  void set_clipboard_text(const QString& text) override { clipboard_ = text; }

 private:
  QString clipboard_;
};

// Runs what the event loop would have run by now, the deferred deletions
// of closed cell editors included (they wait for a loop the tool does not
// run).
void settle() {
  for (int i = 0; i < 5; ++i) {
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

template <class W>
W* open(const QString& name) {
  auto* w = dynamic_cast<W*>(platform::load_form(name));
  if (!w) throw std::runtime_error("window " + name.toStdString() + " did not open");
  w->show();
  settle();
  return w;
}

QImage grab(QWidget* w) {
  settle();
  return w->grab().toImage();
}

platform::flex_grid& list_of(QWidget* w, const char* name) {
  auto* view = w->findChild<platform::flex_grid_view*>(QString::fromLatin1(name));
  if (!view) throw std::runtime_error(std::string("no list ") + name);
  return view->grid();
}

void close_all() {
  platform::unload_all_but(QString());
  settle();
}

// A drive map whose C: is a temporary folder holding the program folder
// and the sample school.
class sample_machine {
 public:
  explicit sample_machine(const QString& source_dir) {
    if (!dir_.isValid()) throw std::runtime_error("no temporary folder");
    platform::drive_map map;
    map.set_drive(QLatin1Char('C'), dir_.path() + QStringLiteral("/C"));
    QDir().mkpath(dir_.path() + QStringLiteral("/C"));
    platform::set_drive_map(map);
    const QString native_program = platform::to_native_path(program_folder);
    QProcess lay_out;
    lay_out.start(QStringLiteral("bash"),
                  {source_dir + QStringLiteral("/scripts/lay-out-program-folder.sh"), native_program});
    if (!lay_out.waitForFinished(60000) || lay_out.exitCode() != 0)
      throw std::runtime_error("the program folder could not be laid out");
    platform::set_current_directory(program_folder);
    sample_school_options school;
    school.data_folder = data_folder;
    make_sample_school(school);
  }

 private:
  QTemporaryDir dir_;
};

void prepare_program(bool afrikaans) {
  reset_shared_variables();
  g_language = afrikaans;
  g_school_name = QStringLiteral("Hoërskool Sonvallei");
  g_data_folder = data_folder;
  g_program_folder = program_folder;
  register_frm_message();
  register_menu_windows();
  register_side_windows();
  register_printing_windows();
  register_markbook_windows();
  register_marks_windows();
  install_record_file_hooks();
  set_data_file_services(&program_datafile_services());
  install_record_lock_hook();
}

// The first combination gets the example set-up and its mark book, as the
// set-up window's EXAMPLE and UPDATE make them.
void make_first_mark_book(pboek_opstel* setup) {
  list_of(setup, "vak_grid").set_row(0);
  setup->vak_grid_DblClick();
  setup->fill_example_setup();
  setup->pboek_opstel_stoor_Click();
  settle();
}

// Marks for the first tasks of the first learners, typed into the grid's
// cells key by key, as a teacher types them.
void type_some_marks(pboek_inlees* capture) {
  platform::bound_grid* grid = capture->capture_grid();
  const char* marks[][3] = {{"7", "8.5", "9"}, {"6", "a", "7.5"}, {"9.5", "10", "8"},
                            {"5", "6", "4.5"}, {"8", "7", "9"},   {"10", "9", "9.5"}};
  for (int r = 0; r < 6 && r < grid->model()->rowCount(); ++r)
    for (int c = 0; c < 3; ++c) {
      const QString mark = QString::fromLatin1(marks[r][c]);
      grid->set_current(r, c + 2);
      grid->current_view()->setFocus();
      QTest::keyClicks(grid->current_view(), mark.left(1));
      if (grid->editor()) QTest::keyClicks(grid->editor(), mark.mid(1));
      if (grid->editor()) QTest::keyClick(grid->editor(), Qt::Key_Return);
    }
  grid->set_current(0, 2);
}

void mark_book_pictures(QMap<QString, QImage>& shots) {
  shots[QStringLiteral("menu_markbook")] = grab(open<platform::form>(QStringLiteral("punte_menu2")));
  close_all();

  auto* setup = open<pboek_opstel>(QStringLiteral("pboek_opstel"));
  shots[QStringLiteral("setup_list")] = grab(setup);
  make_first_mark_book(setup);
  list_of(setup, "vak_grid").set_row(0);
  setup->vak_grid_DblClick();
  shots[QStringLiteral("setup_rows")] = grab(setup);
  close_all();

  auto* capture = open<pboek_inlees>(QStringLiteral("pboek_inlees"));
  shots[QStringLiteral("capture_list")] = grab(capture);
  capture->open_mark_book(0);
  type_some_marks(capture);
  shots[QStringLiteral("capture_grid")] = grab(capture);
  close_all();

  shots[QStringLiteral("book_print")] = grab(open<platform::form>(QStringLiteral("pboek_druk")));
  close_all();
  shots[QStringLiteral("printer_choice")] = grab(open<platform::form>(QStringLiteral("kies_drukker")));
  close_all();
  shots[QStringLiteral("symbols")] = grab(open<platform::form>(QStringLiteral("simbole_druk")));
  close_all();
  shots[QStringLiteral("export")] = grab(open<platform::form>(QStringLiteral("pboek_uitvoer")));
  close_all();
}

void marks_pictures(QMap<QString, QImage>& shots) {
  shots[QStringLiteral("menu_marks")] = grab(open<platform::form>(QStringLiteral("punte_menu1")));
  close_all();

  auto* cycle = open<punte_inlees>(QStringLiteral("punte_inlees"));
  shots[QStringLiteral("cycle_list")] = grab(cycle);
  cycle->choose_subject(0);
  shots[QStringLiteral("cycle_grid")] = grab(cycle);
  close_all();

  auto* obe = open<obe_inlees>(QStringLiteral("obe_inlees"));
  obe->choose_subject(0);
  shots[QStringLiteral("obe_options")] = grab(obe);
  // Summative marks, effort keys and formative evaluation.
  for (int i = 1; i <= 3; ++i)
    if (auto* option =
            obe->findChild<QAbstractButton*>(platform::control_name(QStringLiteral("inlees_opsie"), i)))
      option->setChecked(true);
  obe->io_ok_Click();
  shots[QStringLiteral("obe_grid")] = grab(obe);
  close_all();

  auto* lists = open<punte_druk>(QStringLiteral("punte_druk"));
  shots[QStringLiteral("mark_lists")] = grab(lists);
  close_all();
}

}  // namespace

QMap<QString, QImage> take_manual_screenshots(bool afrikaans, const QString& source_dir) {
  // A fixed school day (Monday 2 March 2026, 10:00), so that the pictures,
  // whose windows show the date and time, come out the same at every run.
  platform::fake_clock school_day(46083.0 + 10.0 / 24.0);
  platform::scoped_clock clock_in_use(school_day);
  default_answers answers;
  platform::dialog_service* before = platform::set_dialogs(&answers);
  QMap<QString, QImage> shots;
  {
    sample_machine machine(source_dir);
    prepare_program(afrikaans);
    mark_book_pictures(shots);
    marks_pictures(shots);
    close_all();
  }
  platform::set_dialogs(before);
  return shots;
}

}  // namespace km
