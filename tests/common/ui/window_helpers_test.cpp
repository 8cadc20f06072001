// The window helpers: placement, the idle clock, the close box, rounded
// corners, gradients, the tray-icon record, unloading only what is loaded,
// the grade test and the wait.
#include "support/window_helpers.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <QScreen>

#include "common/grade_range.h"
#include "common/idle_clock.h"
#include "common/shared_variables.h"
#include "common/tray_icon_data.h"
#include "common/ui/gradient_painting.h"
#include "common/ui/loaded_windows.h"
#include "common/ui/message_call.h"
#include "common/ui/window_placement.h"
#include "common/user_name.h"
#include "platform/clock.h"
#include "platform/form_timer.h"
#include "platform/ui/window_registry.h"
#include "support/scripted_dialogs.h"

namespace km {
namespace {

using platform::form;

class window_helpers_test : public km::test::with_scripted_dialogs {
 protected:
  form* load(const QString& name) { return platform::load_form(new form(name)); }

  platform::fake_clock fake;
  platform::scoped_clock use{fake};
};

TEST_F(window_helpers_test, centre_form_on_a_window_as_large_as_the_screen) {
  form* w = load("startup");
  w->resize(w->screen()->geometry().size());
  centre_form(*w);
  EXPECT_EQ(w->left(), 0);
  EXPECT_EQ(w->top(), -480);
  EXPECT_TRUE(w->key_preview());
}

TEST_F(window_helpers_test, centre_form_puts_the_window_480_twips_above_the_middle) {
  form* w = load("marks_splash");
  w->move_twips(0, 0, 6000, 4500);
  centre_form(*w);
  EXPECT_EQ(w->left(), int(platform::screen_width_twips() - 6000) / 2);
  EXPECT_EQ(w->top(), int(platform::screen_height_twips() - 4500) / 2 - 480);
}

TEST_F(window_helpers_test, reset_idle_clock_takes_the_seconds_since_midnight) {
  fake.set_now(42811.5);  // 12:00:00
  reset_idle_clock();
  EXPECT_FLOAT_EQ(g_last_activity, 43200.0f);
  fake.advance_ms(1500);
  reset_idle_clock();
  EXPECT_FLOAT_EQ(g_last_activity, 43201.5f);
}

TEST_F(window_helpers_test, remove_close_menu_refuses_the_close_box) {
  form* w = load("punte_mnu");
  remove_close_menu(*w);
  w->show();
  EXPECT_FALSE(w->close());
  EXPECT_TRUE(platform::is_loaded(w));
  EXPECT_TRUE(w->close_box_refused());
}

TEST_F(window_helpers_test, round_form_corners_of_a_splash_of_6000_by_4500_twips) {
  form* w = load("marks_splash");
  w->move_twips(0, 0, 6000, 4500);
  round_form_corners(*w, 30);
  const QRegion mask = w->mask();
  EXPECT_EQ(mask.boundingRect(), QRect(0, 0, 400, 300));
  for (QPoint corner : {QPoint(0, 0), QPoint(399, 0), QPoint(0, 299), QPoint(399, 299), QPoint(3, 3)})
    EXPECT_FALSE(mask.contains(corner)) << corner.x() << "," << corner.y();
  for (QPoint inside :
       {QPoint(200, 150), QPoint(15, 0), QPoint(384, 299), QPoint(0, 15), QPoint(399, 150), QPoint(5, 5)})
    EXPECT_TRUE(mask.contains(inside)) << inside.x() << "," << inside.y();
}

TEST_F(window_helpers_test, paint_gradient_runs_row_by_row_from_start_to_end_colour) {
  platform::picture_box box(nullptr);
  box.resize(20, 51);
  // 0..50 pixels on the default twips scale.
  paint_gradient(box.surface(), 0, 200, 100, 100, 0, 100, 0, 750, true, 0, 10);
  const QImage& img = box.surface().image();
  EXPECT_EQ(img.pixelColor(0, 0), QColor(0, 200, 100));
  EXPECT_EQ(img.pixelColor(5, 25), QColor(50, 100, 100));
  EXPECT_EQ(img.pixelColor(10, 50), QColor(100, 0, 100));
  EXPECT_NE(img.pixelColor(15, 25), QColor(50, 100, 100)) << "right x limits the lines";
  EXPECT_EQ(box.surface().picture(), img) << "keep makes the drawing persistent";
}

TEST_F(window_helpers_test, paint_gradient_without_keep_is_lost_on_clear) {
  platform::picture_box box(nullptr);
  box.resize(10, 10);
  box.surface().set_scale_mode(platform::scale_mode::pixels);
  paint_gradient(box.surface(), 255, 0, 0, 255, 0, 0, 0, 9, false);
  EXPECT_EQ(box.surface().image().pixelColor(9, 9), QColor(255, 0, 0)) << "right x 0 is the full width";
  box.surface().clear();
  EXPECT_NE(box.surface().image().pixelColor(5, 5), QColor(255, 0, 0));
}

TEST_F(window_helpers_test, paint_gradient_of_height_zero_paints_one_line_in_the_start_colour) {
  platform::picture_box box(nullptr);
  box.resize(10, 10);
  box.surface().set_scale_mode(platform::scale_mode::pixels);
  paint_gradient(box.surface(), 10, 20, 30, 200, 200, 200, 4, 4, false);
  EXPECT_EQ(box.surface().image().pixelColor(3, 4), QColor(10, 20, 30));
  EXPECT_NE(box.surface().image().pixelColor(3, 5), QColor(10, 20, 30));
}

TEST_F(window_helpers_test, draw_gradient_frame_lies_behind_the_control_offset_down_right) {
  QWidget container;
  container.resize(300, 200);
  QWidget control(&container);
  control.setGeometry(30, 40, 100, 20);
  platform::picture_box shadow(&container);
  g_frame_red = 255;
  g_frame_green = 192;
  g_frame_blue = 158;
  draw_gradient_frame(shadow, control);
  EXPECT_EQ(shadow.geometry(), QRect(36, 46, 100, 20)) << "90 twips are 6 pixels";
  const QImage& img = shadow.surface().image();
  EXPECT_EQ(img.pixelColor(50, 0), QColor(255, 192, 158));
  const QColor last = img.pixelColor(50, 19);
  EXPECT_NEAR(last.red(), 158, 6);
  EXPECT_NEAR(last.green(), 158, 2);
  EXPECT_EQ(last.blue(), 158);
  EXPECT_EQ(container.children().indexOf(&shadow) < container.children().indexOf(&control), true)
      << "the shadow is stacked under the control";

  draw_gradient_frame(shadow, control, 90, true);
  EXPECT_EQ(shadow.surface().image().pixelColor(50, 0), QColor(255, 0, 0));
}

TEST_F(window_helpers_test, fill_tray_icon_data_record) {
  tray_icon_data data;
  fill_tray_icon_data(data, 0x1234, 1, 7, 0x200, 0xABCD, "KORVA-MARKS");
  const QByteArray bytes = data.to_bytes();
  ASSERT_EQ(bytes.size(), 88);
  EXPECT_EQ(bytes.left(24), QByteArray::fromHex("58000000"
                                                "34120000"
                                                "01000000"
                                                "07000000"
                                                "00020000"
                                                "cdab0000"));
  EXPECT_EQ(bytes.mid(24, 12), QByteArray("KORVA-MARKS\0", 12));
  EXPECT_EQ(bytes.mid(36), QByteArray(52, ' '));
  EXPECT_EQ(data.tip_text(), "KORVA-MARKS");
}

TEST_F(window_helpers_test, fill_tray_icon_data_cuts_a_long_tip_to_64_without_nul) {
  const struct {
    int length;
    bool nul_at_end;
  } cases[] = {{63, true}, {64, false}, {90, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.length);
    QString tip;
    for (int i = 0; i < c.length; ++i) tip += QChar('A' + i % 26);
    tray_icon_data data;
    fill_tray_icon_data(data, 0, 0, 0, 0, 0, tip);
    const QByteArray bytes = data.to_bytes().mid(24);
    ASSERT_EQ(bytes.size(), 64);
    EXPECT_EQ(bytes.left(63), tip.left(63).toLatin1());
    EXPECT_EQ(bytes.at(63), c.nul_at_end ? '\0' : tip.at(63).toLatin1());
    EXPECT_EQ(data.tip_text(), tip.left(c.nul_at_end ? 63 : 64));
  }
}

TEST_F(window_helpers_test, unload_form_if_loaded) {
  form* loaded = load("kies_drukker");
  QPointer<form> other(new form("wys_druk_vordering"));  // made but never loaded
  unload_form_if_loaded(other.data());
  EXPECT_FALSE(other.isNull());
  EXPECT_TRUE(platform::is_loaded(loaded));
  unload_form_if_loaded(nullptr);
  unload_form_if_loaded(loaded);
  EXPECT_FALSE(platform::is_loaded(loaded));
  unload_form_if_loaded(QStringLiteral("kies_drukker"));  // by name, no longer loaded: nothing
  delete other.data();
}

TEST_F(window_helpers_test, is_grade_10_to_12) {
  const std::pair<const char*, bool> cases[] = {{"10", true},  {"11", true},  {"12", true}, {" 12", true},
                                                {"9", false},  {"13", false}, {"", false},  {"12.5", false},
                                                {"10a", true}, {"A10", false}};
  for (const auto& [grade, expected] : cases) {
    g_grade = QString::fromLatin1(grade);
    EXPECT_EQ(is_grade_10_to_12(), expected) << '"' << grade << '"';
  }
}

TEST_F(window_helpers_test, get_user_name_is_the_login_name) {
  const passwd* pw = getpwuid(geteuid());
  ASSERT_NE(pw, nullptr);
  EXPECT_EQ(get_user_name(), QString::fromLocal8Bit(pw->pw_name));
}

TEST_F(window_helpers_test, wait_milliseconds_lets_timers_run_and_nests_safely) {
  std::vector<qint64> ticks;
  const qint64 start = fake.monotonic_ms();
  platform::form_timer other(nullptr, "tmrCheckMouse", 100, true);
  bool nested_done = false;
  other.set_handler([&] {
    ticks.push_back(fake.monotonic_ms() - start);
    if (ticks.size() == 1) {
      wait_milliseconds(150);  // a wait inside the wait
      nested_done = true;
    }
  });
  wait_milliseconds(300);
  EXPECT_TRUE(nested_done);
  EXPECT_EQ(fake.monotonic_ms() - start, 300);
  EXPECT_EQ(ticks, std::vector<qint64>({100, 200, 300}));
  const qint64 before = fake.monotonic_ms();
  wait_milliseconds(0);
  wait_milliseconds(-5);
  EXPECT_EQ(fake.monotonic_ms(), before);
}

TEST_F(window_helpers_test, message_call_without_the_message_window_fails_plainly) {
  EXPECT_THROW(show_message_window(nullptr, "x", "", 1000), std::runtime_error);
  EXPECT_FALSE(message_call_active());
}

TEST_F(window_helpers_test, message_close_ms_is_mirrored_within_16_bits) {
  set_message_close_ms(40000);
  EXPECT_EQ(message_close_ms(), 40000);
  EXPECT_EQ(g_message_close_ms, 32767);
  set_message_close_ms(2550);
  EXPECT_EQ(g_message_close_ms, 2550);
}

}  // namespace
}  // namespace km
