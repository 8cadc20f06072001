// The registry of loaded windows and the window base: load order, lookup by
// name, unload with its hooks, unload all but one, modal show, the close
// box, key preview and placement in twips.
#include "platform/ui/window_registry.h"

#include <gtest/gtest.h>

#include <QCloseEvent>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "platform/clock.h"
#include "platform/form_timer.h"
#include "support/clean_state.h"
#include "support/scripted_dialogs.h"
#include "support/window_helpers.h"

namespace km::platform {
namespace {

// A window that counts its hooks and can refuse its unload.
class counting_form : public form {
 public:
  explicit counting_form(const QString& name) : form(name) {}
  void on_load() override { ++loads; }
  bool query_unload(unload_reason why) override {
    last_reason = why;
    return !refuse_unload;
  }
  void on_unload() override { ++unloads; }
  int loads = 0;
  int unloads = 0;
  bool refuse_unload = false;
  unload_reason last_reason = unload_reason::code;
};

class window_registry_test : public km::test::clean_state_test {
 protected:
  counting_form* load(const QString& name) {
    auto* f = new counting_form(name);
    EXPECT_EQ(load_form(f), f);
    return f;
  }
};

TEST_F(window_registry_test, windows_are_kept_in_load_order_and_found_by_name_in_any_case) {
  form* startup = load("startup");
  form* menu = load("punte_mnu");
  form* book = load("pboek_inlees");
  EXPECT_EQ(loaded_count(), 3);
  EXPECT_EQ(loaded_forms(), QList<form*>({startup, menu, book}));
  EXPECT_EQ(loaded_form(0), startup);
  EXPECT_EQ(loaded_form(2), book);
  EXPECT_EQ(loaded_form(3), nullptr);
  EXPECT_EQ(loaded_form(-1), nullptr);
  EXPECT_EQ(last_loaded_form(), book);
  EXPECT_EQ(find_form("PUNTE_MNU"), menu);
  EXPECT_TRUE(is_loaded("Pboek_Inlees"));
  EXPECT_FALSE(is_loaded("pboek_druk"));
  EXPECT_EQ(find_form("pboek_druk"), nullptr);
}

TEST_F(window_registry_test, loading_by_name_makes_one_window_once) {
  int made = 0;
  register_form("punte_mnu", [&] {
    ++made;
    return new counting_form("punte_mnu");
  });
  form* first = load_form("punte_mnu");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(load_form("PUNTE_MNU"), first);
  EXPECT_EQ(made, 1);
  EXPECT_EQ(static_cast<counting_form*>(first)->loads, 1);
  EXPECT_EQ(load_form("no_such_window"), nullptr);

  // After an unload the next load makes a fresh window.
  ASSERT_TRUE(unload_form(first));
  km::test::run_events();
  form* second = load_form("punte_mnu");
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(made, 2);
}

TEST_F(window_registry_test, a_window_that_unloads_itself_while_loading_is_not_returned) {
  struct self_closing : form {
    self_closing() : form("change_folder") {}
    void on_load() override { unload_form(this); }
  };
  register_form("change_folder", [] { return new self_closing; });
  EXPECT_EQ(load_form("change_folder"), nullptr);
  EXPECT_EQ(show_form("change_folder", true), nullptr);
  EXPECT_FALSE(is_loaded("change_folder"));
}

TEST_F(window_registry_test, unload_runs_the_hooks_stops_the_timers_and_deletes_later) {
  counting_form* f = load("pboek_inlees");
  auto* clock_timer = new form_timer(f, "Timer1", 1000, true);
  f->show_modeless();
  QPointer<form> watch(f);
  ASSERT_TRUE(unload_form(f));
  EXPECT_EQ(f->unloads, 1);
  EXPECT_FALSE(clock_timer->enabled());
  EXPECT_FALSE(f->isVisible());
  EXPECT_FALSE(is_loaded(f));
  EXPECT_FALSE(unload_form(f)) << "a second unload of the same window";
  km::test::run_events();
  EXPECT_TRUE(watch.isNull());
}

TEST_F(window_registry_test, a_refused_unload_keeps_the_window) {
  counting_form* f = load("pboek_opstel");
  f->refuse_unload = true;
  EXPECT_FALSE(unload_form(f));
  EXPECT_TRUE(is_loaded(f));
  EXPECT_EQ(f->unloads, 0);
}

TEST_F(window_registry_test, unload_all_but_one_keeps_only_that_exact_name) {
  form* startup = load("startup");
  load("punte_mnu");
  load("STARTUP");
  load("pboek_inlees");
  unload_all_but("startup");
  EXPECT_EQ(loaded_forms(), QList<form*>({startup}));
}

TEST_F(window_registry_test, unload_all_but_one_leaves_a_window_that_refuses) {
  load("startup");
  counting_form* busy = load("pboek_inlees");
  busy->refuse_unload = true;
  load("punte_mnu");
  unload_all_but("startup");
  EXPECT_EQ(loaded_count(), 2);
  EXPECT_TRUE(is_loaded(busy));
}

TEST_F(window_registry_test, modal_show_returns_when_the_window_is_hidden) {
  counting_form* f = load("kies_drukker");
  bool was_modal = false;
  QTimer::singleShot(0, f, [&] {
    was_modal = f->isVisible() && f->windowModality() == Qt::ApplicationModal;
    f->hide();
  });
  f->show_modal();
  EXPECT_TRUE(was_modal);
  EXPECT_FALSE(f->isVisible());
  EXPECT_EQ(f->windowModality(), Qt::NonModal);
  EXPECT_TRUE(is_loaded(f));
}

TEST_F(window_registry_test, modal_show_returns_when_a_timer_unloads_the_window) {
  fake_clock fake;
  scoped_clock use(fake);
  counting_form* f = load("wys_druk_vordering");
  auto* t = new form_timer(f, "tmrDone", 2500, true);
  t->set_handler([f] { unload_form(f); });
  const qint64 start = fake.monotonic_ms();
  f->show_modal();
  EXPECT_FALSE(is_loaded(f));
  EXPECT_EQ(fake.monotonic_ms() - start, 2500);
}

TEST_F(window_registry_test, close_box_unloads_unless_refused) {
  counting_form* open = load("calculator");
  open->show_modeless();
  EXPECT_TRUE(open->close());
  EXPECT_FALSE(is_loaded(open));
  EXPECT_EQ(open->last_reason, unload_reason::close_box);

  counting_form* main = load("startup");
  int refused = 0;
  main->refuse_close_box(true, [&] { ++refused; });
  main->show_modeless();
  EXPECT_FALSE(main->close());
  EXPECT_TRUE(is_loaded(main));
  EXPECT_TRUE(main->isVisible());
  EXPECT_EQ(refused, 1);
  EXPECT_EQ(main->unloads, 0);
  // The program's own unload still works.
  EXPECT_TRUE(unload_form(main));
}

TEST_F(window_registry_test, request_close_unloads_by_default) {
  counting_form* f = load("punte_menu1");
  f->request_close();
  EXPECT_FALSE(is_loaded(f));
}

// A window with a box that records the keys its handler saw.
class key_form : public form {
 public:
  key_form() : form("pboek_inlees") {
    edit = new QLineEdit(this);
    edit->setObjectName("vak_ops");
  }
  bool on_key_down(QKeyEvent* e) override {
    seen.push_back(e->key());
    edit_text_when_seen = edit->text();
    return e->key() == swallow;
  }
  QLineEdit* edit;
  std::vector<int> seen;
  QString edit_text_when_seen;
  int swallow = 0;
};

TEST_F(window_registry_test, key_preview_shows_each_key_to_the_window_first_and_once) {
  auto* f = new key_form;
  load_form(f);
  f->set_key_preview(true);
  f->show_modeless();
  km::test::press_key(f->edit, Qt::Key_A);
  EXPECT_EQ(f->seen, std::vector<int>({Qt::Key_A}));
  EXPECT_EQ(f->edit_text_when_seen, "") << "the window must see the key before the box";
  EXPECT_EQ(f->edit->text(), "a");
  // A key the box leaves alone travels up to the window: still seen once.
  km::test::press_key(f->edit, Qt::Key_F5);
  EXPECT_EQ(f->seen, std::vector<int>({Qt::Key_A, Qt::Key_F5}));
  // A swallowed key never reaches the box.
  f->swallow = Qt::Key_B;
  km::test::press_key(f->edit, Qt::Key_B);
  EXPECT_EQ(f->edit->text(), "a");
}

TEST_F(window_registry_test, without_key_preview_the_window_does_not_see_keys_of_its_boxes) {
  auto* f = new key_form;
  load_form(f);
  f->show_modeless();
  km::test::press_key(f->edit, Qt::Key_A);
  EXPECT_TRUE(f->seen.empty());
  EXPECT_EQ(f->edit->text(), "a");
}

// Dialogs and other top-level windows are parented to the active window;
// the keys typed into them are theirs, never the parent's key preview's.
TEST_F(window_registry_test, key_preview_never_sees_keys_of_a_top_level_window_parented_to_it) {
  auto* f = new key_form;
  load_form(f);
  f->set_key_preview(true);
  f->show_modeless();
  QDialog dialog(f);
  auto* dialog_edit = new QLineEdit(&dialog);
  QWidget other(f, Qt::Window);
  auto* other_edit = new QLineEdit(&other);
  dialog.show();
  other.show();
  QTest::keyClicks(dialog_edit, "10");
  QTest::keyClicks(other_edit, "20");
  km::test::press_key(&dialog, Qt::Key_0);
  EXPECT_TRUE(f->seen.empty());
  EXPECT_EQ(dialog_edit->text(), "10");
  EXPECT_EQ(other_edit->text(), "20");
  EXPECT_EQ(key_owner(dialog_edit), nullptr);
  EXPECT_EQ(key_owner(f->edit), f);
  // The window's own box still shows its keys to the window.
  km::test::press_key(f->edit, Qt::Key_1);
  EXPECT_EQ(f->seen, std::vector<int>({Qt::Key_1}));
}

// A window whose buttons are wired by name and by pointer.
class wired_form : public form {
 public:
  wired_form() : form("acrobat_interface") {
    ok = new QPushButton("OK", this);
    ok->setObjectName("pdf_ok");
    auto* fail = new QPushButton("?", this);
    fail->setObjectName("pdf_soek");
    on_click("pdf_ok", &wired_form::ok_click);
    on_click(fail, [] { throw std::runtime_error("the manual is gone"); });
  }
  void ok_click() { ++ok_clicks; }
  QPushButton* ok;
  int ok_clicks = 0;
};

TEST_F(window_registry_test, on_click_runs_the_handler_as_an_event_handler) {
  km::test::scripted_dialogs dialogs;
  auto* f = new wired_form;
  load_form(f);
  f->show_modeless();
  km::test::click(f, "pdf_ok");
  km::test::click(f, "pdf_ok");
  EXPECT_EQ(f->ok_clicks, 2);
  // A failure is told and the window goes on.
  dialogs
      .expect_message(
          "UNEXPECTED ERROR: the manual is gone\r\n\r\nThe step was stopped; the program goes on.")
      .icon(msg_icon::critical);
  km::test::click(f, "pdf_soek");
  dialogs.verify();
  EXPECT_TRUE(is_loaded(f));
  EXPECT_THROW(f->on_click("no_such_button", [] {}), std::logic_error);
}

TEST_F(window_registry_test, placement_in_twips) {
  counting_form* f = load("marks_splash");
  f->move_twips(1500, -480, 6000, 4500);
  EXPECT_EQ(f->pos(), QPoint(100, -32));
  EXPECT_EQ(f->size(), QSize(400, 300));
  EXPECT_EQ(f->left(), 1500);
  EXPECT_EQ(f->top(), -480);
  EXPECT_EQ(f->width_twips(), 6000);
  EXPECT_EQ(f->height_twips(), 4500);
  f->set_left(22);  // 1.47 pixels: whole pixels only
  EXPECT_EQ(f->left(), 15);
}

TEST_F(window_registry_test, controls_are_found_by_name_and_index) {
  counting_form* f = load("frmMessage");
  auto* line = new QLineEdit(f);
  line->setObjectName(control_name("lblMessage", 1));
  EXPECT_EQ(line->objectName(), "lblMessage_1");
  EXPECT_EQ(f->control<QLineEdit>("lblMessage_1"), line);
  EXPECT_EQ(f->control<QLineEdit>("lblMessage_0"), nullptr);
  EXPECT_EQ(form_of(line), f);
}

}  // namespace
}  // namespace km::platform
