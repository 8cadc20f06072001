// The timed message window and the message call that drives it, on a fake
// clock: the count-down, the two message lines, the owner that is hidden
// and comes back, and calls that arrive while a message is on the screen.
#include "shell/frm_message.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <functional>

#include "common/shared_variables.h"
#include "common/ui/message_call.h"
#include "platform/clock.h"
#include "platform/form_timer.h"
#include "platform/program.h"
#include "platform/ui/window_registry.h"
#include "support/scripted_dialogs.h"
#include "support/window_helpers.h"

namespace km {
namespace {

using platform::form;

// What a watcher saw of the message window at one moment.
struct sample {
  qint64 at = 0;
  bool window = false;
  QString caption, line0, line1, number;
  bool image_visible = false;
  bool owner_visible = false;
};

class frm_message_test : public km::test::with_scripted_dialogs {
 protected:
  void SetUp() override {
    register_frm_message();
    owner = platform::load_form(new form("startup"));
    owner->show();
    start = fake.monotonic_ms();
  }

  // Looks at the screen every 10 ms while the call waits; a sample is kept
  // when something changed. The action, when given, runs at each look.
  void watch(std::function<void(qint64)> action = {}) {
    watcher = std::make_unique<platform::form_timer>(nullptr, "watcher", 10, true);
    watcher->set_handler([this, action] {
      const qint64 at = fake.monotonic_ms() - start;
      sample s;
      s.at = at;
      s.owner_visible = owner && owner->isVisible();
      if (auto* w = qobject_cast<frmMessage*>(platform::find_form("frmMessage"))) {
        s.window = true;
        s.caption = w->caption();
        s.line0 = w->lblMessage(0)->text();
        s.line1 = w->lblMessage(1)->text();
        s.number = w->lblClose()->text();
        s.image_visible = w->Image1()->isVisibleTo(w);
      }
      if (samples.empty() || !same(samples.back(), s)) samples.push_back(s);
      if (action) action(at);
    });
  }
  static bool same(const sample& a, const sample& b) {
    return a.window == b.window && a.caption == b.caption && a.line0 == b.line0 && a.line1 == b.line1 &&
           a.number == b.number && a.image_visible == b.image_visible && a.owner_visible == b.owner_visible;
  }
  QStringList numbers() const {
    QStringList out;
    for (const sample& s : samples)
      if (s.window && (out.isEmpty() || out.back() != s.number)) out << s.number;
    return out;
  }
  qint64 elapsed() { return fake.monotonic_ms() - start; }

  platform::fake_clock fake;
  platform::scoped_clock use{fake};
  QPointer<form> owner;
  qint64 start = 0;
  std::unique_ptr<platform::form_timer> watcher;
  std::vector<sample> samples;
};

TEST_F(frm_message_test, empty_text_counts_down_five_seconds_and_gives_the_owner_back) {
  watch();
  show_message_window(owner, "", "TIME-OUT", 5000);
  EXPECT_EQ(elapsed(), 5000);

  const QStringList seen = numbers();
  // "" before the first step, 4.9 ... 1, 0.9, then blank until the close.
  ASSERT_EQ(seen.size(), 43) << seen.join(' ').toStdString();
  EXPECT_EQ(seen[0], "");
  EXPECT_EQ(seen[1], "4.9");
  EXPECT_EQ(seen[2], "4.8");
  EXPECT_EQ(seen[10], "4");
  EXPECT_EQ(seen[25], "2.5");
  EXPECT_EQ(seen[40], "1");
  EXPECT_EQ(seen[41], "0.9");
  EXPECT_EQ(seen[42], "");

  const sample& during = samples[samples.size() / 2];
  EXPECT_TRUE(during.window);
  EXPECT_FALSE(during.owner_visible) << "the owner is hidden while the message shows";
  EXPECT_EQ(during.caption, "TIME-OUT");
  EXPECT_EQ(during.line0, "System closing down in ");
  EXPECT_EQ(during.line1, " seconds !");
  EXPECT_FALSE(during.image_visible);

  EXPECT_FALSE(platform::is_loaded("frmMessage"));
  EXPECT_TRUE(owner->isVisible());
  km::test::run_events();
  EXPECT_EQ(QApplication::activeWindow(), owner.data()) << "the owner gets the focus back";
  EXPECT_FALSE(message_call_active());
}

TEST_F(frm_message_test, afrikaans_count_down_line) {
  g_language = true;
  watch();
  show_message_window(owner, "   ", "", 1500);
  ASSERT_GE(samples.size(), 2u);
  EXPECT_EQ(samples[0].line0, "   ");
  EXPECT_EQ(samples[1].line0, "Stelsel sluit oor ");
  EXPECT_EQ(samples[1].line1, " sekondes !");
  EXPECT_EQ(samples[1].caption, "KORVA-MARKS") << "no title: the program's title";
}

TEST_F(frm_message_test, a_time_not_a_multiple_of_100) {
  watch();
  show_message_window(owner, "", "", 2550);
  const QStringList seen = numbers();
  ASSERT_EQ(seen.size(), 18) << seen.join(' ').toStdString();
  EXPECT_EQ(seen[1], "2.45");
  EXPECT_EQ(seen[2], "2.35");
  EXPECT_EQ(seen[15], "1.05");
  EXPECT_EQ(seen[16], "0.95");
  EXPECT_EQ(seen[17], "");
  EXPECT_EQ(elapsed(), 2550);
}

TEST_F(frm_message_test, a_time_below_one_second_never_shows_a_number) {
  watch();
  show_message_window(owner, "", "", 900);
  EXPECT_EQ(numbers(), QStringList({""}));
  EXPECT_EQ(elapsed(), 900);
}

TEST_F(frm_message_test, a_time_beyond_16_bits_still_counts_down) {
  watch();
  show_message_window(owner, "", "", 40000);
  const QStringList seen = numbers();
  ASSERT_GE(seen.size(), 2);
  EXPECT_EQ(seen[1], "39.9");
  EXPECT_EQ(elapsed(), 40000);
}

TEST_F(frm_message_test, text_lines_split_at_the_first_dollar) {
  const struct {
    const char* text;
    const char* line0;
    const char* line1;
  } cases[] = {
      {"Marks saved$in the data folder", "Marks saved", "in the data folder"},
      {"a$b$c", "a", "b$c"},
      {"one line", "one line", ""},
      {"$second only", "", "second only"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    samples.clear();
    watch();
    show_message_window(owner, c.text, "NOTE", 1200);
    ASSERT_FALSE(samples.empty());
    // An empty first line is filled by the count-down's first step.
    const sample& first = samples.front();
    ASSERT_TRUE(first.window);
    if (QString(c.line0).isEmpty()) {
      EXPECT_EQ(first.line0, "");
      EXPECT_EQ(first.line1, c.line1);
    } else {
      for (const sample& s : samples) {
        if (!s.window) continue;
        EXPECT_EQ(s.line0, c.line0) << "a first line with text keeps it";
        EXPECT_EQ(s.line1, c.line1);
      }
    }
  }
}

TEST_F(frm_message_test, the_picture_shows_only_when_asked) {
  watch();
  show_message_window(owner, "x", "", 500, true);
  ASSERT_FALSE(samples.empty());
  ASSERT_TRUE(samples.front().window);
  EXPECT_TRUE(samples.front().image_visible);
}

TEST_F(frm_message_test, a_second_message_during_the_wait_follows_the_first_without_nesting) {
  bool inner_returned_while_first_up = false;
  int queued_after_inner = -1;
  watch([&](qint64 at) {
    if (at == 1000) {
      show_message_window(owner, "Second$message", "NEXT", 1000);
      inner_returned_while_first_up = platform::is_loaded("frmMessage") && message_call_active();
      queued_after_inner = queued_message_count();
      // The same message as the one on the screen is not repeated.
      show_message_window(owner, "", "TIME-OUT", 5000);
      // Nor one already waiting.
      show_message_window(owner, "Second$message", "NEXT", 1000);
    }
  });
  show_message_window(owner, "", "TIME-OUT", 5000);
  EXPECT_TRUE(inner_returned_while_first_up);
  EXPECT_EQ(queued_after_inner, 1);
  EXPECT_EQ(elapsed(), 6000) << "the first message, then the second";
  bool second_seen = false;
  for (const sample& s : samples)
    if (s.window && s.caption == "NEXT") {
      second_seen = true;
      EXPECT_EQ(s.line0, "Second");
      EXPECT_EQ(s.line1, "message");
      EXPECT_FALSE(s.owner_visible);
    }
  EXPECT_TRUE(second_seen);
  EXPECT_TRUE(owner->isVisible());
  EXPECT_FALSE(message_call_active());
  EXPECT_EQ(queued_message_count(), 0);
}

TEST_F(frm_message_test, a_warning_asked_for_on_every_tick_does_not_pile_up) {
  int calls = 0;
  watch([&](qint64) {
    ++calls;
    show_message_window(owner, "", "TIME-OUT", 5000);
  });
  show_message_window(owner, "", "TIME-OUT", 5000);
  EXPECT_EQ(calls, 500);
  EXPECT_EQ(elapsed(), 5000);
  EXPECT_FALSE(message_call_active());
}

TEST_F(frm_message_test, the_window_unloaded_during_the_wait_ends_the_call) {
  watch([&](qint64 at) {
    if (at == 2000) platform::unload_all_but("startup");
  });
  show_message_window(owner, "", "TIME-OUT", 5000);
  EXPECT_LT(elapsed(), 2100);
  EXPECT_TRUE(owner->isVisible());
  EXPECT_FALSE(platform::is_loaded("frmMessage"));
  km::test::run_events();
  EXPECT_FALSE(message_call_active());
}

TEST_F(frm_message_test, an_owner_unloaded_during_the_wait_is_not_shown_again) {
  QPointer<form> work = platform::load_form(new form("pboek_inlees"));
  work->show();
  watch([&](qint64 at) {
    if (at == 500) platform::unload_form(work.data());
  });
  show_message_window(work, "x", "", 1000);
  EXPECT_EQ(elapsed(), 1000);
  if (work) {
    EXPECT_FALSE(work->isVisible());
  }
  EXPECT_FALSE(platform::is_loaded("pboek_inlees"));
}

TEST_F(frm_message_test, the_program_ending_during_the_wait_leaves_nothing_behind) {
  watch([&](qint64 at) {
    if (at == 700) platform::end_program();
  });
  EXPECT_THROW(show_message_window(owner, "", "TIME-OUT", 5000), platform::program_ended);
  EXPECT_FALSE(platform::is_loaded("frmMessage"));
  EXPECT_FALSE(message_call_active());
}

TEST_F(frm_message_test, a_time_of_zero_closes_at_once) {
  show_message_window(owner, "x", "", 0);
  EXPECT_EQ(elapsed(), 0);
  EXPECT_FALSE(platform::is_loaded("frmMessage"));
  EXPECT_TRUE(owner->isVisible());
}

// The program's own path: real timers under the system clock (no time is
// measured here).
TEST(frm_message_system_clock, a_short_message_closes_by_its_real_timer) {
  register_frm_message();
  form* owner = platform::load_form(new form("startup"));
  owner->show();
  show_message_window(owner, "x$y", "", 30);
  EXPECT_FALSE(platform::is_loaded("frmMessage"));
  EXPECT_TRUE(owner->isVisible());
  EXPECT_FALSE(message_call_active());
}

TEST_F(frm_message_test, handlers_called_directly) {
  auto* w = qobject_cast<frmMessage*>(platform::load_form("frmMessage"));
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->Timer1()->interval(), 200);
  EXPECT_FALSE(w->Timer1()->enabled());
  EXPECT_EQ(w->tmrLabel()->interval(), 100);
  EXPECT_EQ(w->findChild<QLabel*>("lblMessage_0"), w->lblMessage(0));
  EXPECT_EQ(w->findChild<QLabel*>("lblMessage_1"), w->lblMessage(1));
  EXPECT_NE(w->findChild<QLabel*>("Image1"), nullptr);
  EXPECT_EQ(w->timer("Timer1"), w->Timer1());
  EXPECT_EQ(w->timer("tmrLabel"), w->tmrLabel());

  w->Timer1()->set_enabled(true);
  w->Timer1_Timer();
  EXPECT_FALSE(w->Timer1()->enabled());

  w->lblMessage(0)->setText("Busy");
  set_message_close_ms(1100);
  w->tmrLabel_Timer();
  EXPECT_EQ(w->lblClose()->text(), "1");
  EXPECT_EQ(message_close_ms(), 1000);
  EXPECT_EQ(g_message_close_ms, 1000);
  w->tmrLabel_Timer();
  EXPECT_EQ(w->lblClose()->text(), "0.9");
  w->tmrLabel_Timer();
  EXPECT_EQ(w->lblClose()->text(), "");
  EXPECT_EQ(message_close_ms(), 900);
  EXPECT_EQ(w->lblMessage(0)->text(), "Busy");
}

}  // namespace
}  // namespace km
