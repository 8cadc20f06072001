// The status labels of a window: their places, fonts, colours and texts, the
// panels that take the panel colour, the internet_version label added next
// to prg_version, and the audit record the call leaves behind; and the
// heading of the work windows built on them.
#include "shell/status_labels.h"

#include <gtest/gtest.h>

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <algorithm>
#include <cmath>

#include "shell/audit_trail.h"
#include "shell/menu_form.h"
#include "start_fixture.h"
#include "support/window_helpers.h"

namespace km {
namespace {

using test::find_control_as;

QLabel* add_label(QWidget* parent, const QString& name, int x, int y) {
  auto* label = new QLabel(QStringLiteral("?"), parent);
  label->setObjectName(name);
  label->move(x, y);
  return label;
}

QFrame* add_frame(QWidget* parent, const QString& name) {
  auto* frame = new QFrame(parent);
  frame->setObjectName(name);
  frame->setGeometry(0, 0, 300, 200);
  return frame;
}

QColor back_colour(QWidget* w) { return w->palette().color(QPalette::Window); }
QColor text_colour(QWidget* w) { return w->palette().color(QPalette::WindowText); }

class status_labels_test : public test::start_fixture {
 protected:
  void SetUp() override {
    start_fixture::SetUp();
    g_settings_folder = QStringLiteral("C:\\ProgramData\\OSKAVEN");
    make_folder(g_settings_folder);
    g_windows_name = QStringLiteral("  Windows 10 Pro ");
  }

  // A window as the menus build theirs: a status panel with the three
  // labels, and the exit button in a frame inside a frame.
  platform::form* make_window(const QString& name, bool with_version = true) {
    auto* window = new platform::form(name);
    QFrame* panel = add_frame(window, QStringLiteral("status_panel"));
    add_label(panel, QStringLiteral("ops_datum"), 30, 0);
    add_label(panel, QStringLiteral("ops_tyd"), 30, 0);
    if (with_version) add_label(panel, QStringLiteral("prg_version"), 44, 0);
    add_label(panel, QStringLiteral("other_label"), 10, 100);
    QFrame* outer = add_frame(window, QStringLiteral("button_outer"));
    QFrame* inner = add_frame(outer, QStringLiteral("button_inner"));
    auto* exit = new QPushButton(QStringLiteral("EXIT"), inner);
    exit->setObjectName(QStringLiteral("punte_exit"));
    auto* beside = new QLabel(QStringLiteral("x"), outer);
    beside->setObjectName(QStringLiteral("beside_button"));
    add_label(window, QStringLiteral("elsewhere"), 0, 0);
    return platform::load_form(window);
  }
};

TEST_F(status_labels_test, labels_get_their_places_fonts_colours_and_texts) {
  platform::form* window = make_window(QStringLiteral("pboek_inlees"));
  ASSERT_NE(window, nullptr);
  const QString version = show_status_labels(*window);
  EXPECT_EQ(version, QStringLiteral(" (WINDOWS 10 PRO)"));

  auto* date = find_control_as<QLabel>(window, QStringLiteral("ops_datum"));
  auto* time = find_control_as<QLabel>(window, QStringLiteral("ops_tyd"));
  auto* prg = find_control_as<QLabel>(window, QStringLiteral("prg_version"));
  auto* internet = find_control_as<QLabel>(window, QStringLiteral("internet_version"));
  ASSERT_TRUE(date && time && prg && internet);

  // Tops of 120, 360, 600 and 840 twips; lefts unchanged.
  EXPECT_EQ(date->pos(), QPoint(30, 8));
  EXPECT_EQ(time->pos(), QPoint(30, 24));
  EXPECT_EQ(prg->pos(), QPoint(44, 40));
  // 510 by 195 twips at least, grown to show the whole text.
  EXPECT_EQ(internet->pos(), QPoint(44, 56));
  EXPECT_GE(internet->width(), std::max(34, internet->sizeHint().width()));
  EXPECT_GE(internet->height(), std::max(13, internet->sizeHint().height()));
  EXPECT_EQ(internet->parentWidget(), prg->parentWidget());

  EXPECT_EQ(date->text(), QStringLiteral("2017.03.17"));
  EXPECT_EQ(time->text(), QStringLiteral("10:30:00"));
  EXPECT_EQ(prg->text(), QStringLiteral(" (WINDOWS 10 PRO)"));
  EXPECT_EQ(internet->text(), QStringLiteral(" (www.korva-scope.co.za)"));

  EXPECT_EQ(date->font().family(), QStringLiteral("TAHOMA"));
  EXPECT_EQ(date->font().pointSizeF(), 8.0);
  EXPECT_FALSE(date->font().bold());
  EXPECT_EQ(prg->font().family(), QStringLiteral("Copperplate Gothic"));
  EXPECT_EQ(text_colour(date), QColor(Qt::white));
  EXPECT_EQ(text_colour(time), QColor(Qt::white));
  EXPECT_EQ(text_colour(prg), QColor(Qt::red));
  EXPECT_EQ(text_colour(internet), QColor(Qt::black));
  EXPECT_TRUE(window->key_preview());
}

TEST_F(status_labels_test, panels_of_the_version_and_the_exit_button_take_the_panel_colour) {
  platform::form* window = make_window(QStringLiteral("punte_mnu"));
  show_status_labels(*window);
  const QColor panel = status_panel_colour();
  for (const char* name :
       {"status_panel", "button_outer", "other_label", "beside_button", "button_inner", "ops_datum"}) {
    QWidget* w = test::find_control(window, QString::fromLatin1(name));
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(back_colour(w), panel) << name;
    EXPECT_TRUE(w->autoFillBackground()) << name;
  }
  // The button itself lies in the inner frame, whose container was
  // remembered instead: it keeps its own colour, as does a label elsewhere.
  EXPECT_FALSE(test::find_control(window, QStringLiteral("punte_exit"))->autoFillBackground());
  EXPECT_FALSE(test::find_control(window, QStringLiteral("elsewhere"))->autoFillBackground());
}

// The fonts here are wider than the twip sizes were made for: no status
// line may be cut, however small its panel was made.
TEST_F(status_labels_test, the_panel_grows_to_hold_every_line_whole) {
  platform::form* window = make_window(QStringLiteral("punte_mnu"));
  auto* panel = find_control_as<QFrame>(window, QStringLiteral("status_panel"));
  panel->setFixedSize(60, 40);
  show_status_labels(*window);
  for (const char* name : {"ops_datum", "ops_tyd", "prg_version", "internet_version"}) {
    auto* label = find_control_as<QLabel>(window, QString::fromLatin1(name));
    ASSERT_NE(label, nullptr);
    EXPECT_GE(label->width(), label->sizeHint().width()) << name;
    EXPECT_TRUE(panel->rect().contains(label->geometry())) << name;
  }
  EXPECT_EQ(panel->minimumSize(), panel->maximumSize()) << "a fixed panel stays fixed, only larger";
}

// WCAG contrast of two colours.
double contrast(const QColor& a, const QColor& b) {
  const auto luminance = [](const QColor& c) {
    const auto channel = [](double v) {
      v /= 255.0;
      return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
  };
  const double la = luminance(a), lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TEST_F(status_labels_test, the_white_date_and_time_read_well_on_the_panel) {
  EXPECT_GE(contrast(Qt::white, status_panel_colour()), 4.5);
  EXPECT_GE(contrast(Qt::black, status_panel_colour()), 3.0);
}

TEST_F(status_labels_test, no_prg_version_no_internet_version) {
  platform::form* window = make_window(QStringLiteral("change_folder"), false);
  EXPECT_EQ(show_status_labels(*window), QStringLiteral(" (WINDOWS 10 PRO)"));
  EXPECT_EQ(window->findChild<QWidget*>(QStringLiteral("internet_version")), nullptr);
  EXPECT_NE(back_colour(test::find_control(window, QStringLiteral("status_panel"))), status_panel_colour());
}

TEST_F(status_labels_test, an_existing_internet_version_is_kept_and_not_doubled) {
  platform::form* window = make_window(QStringLiteral("punte_menu2"));
  QWidget* panel = test::find_control(window, QStringLiteral("status_panel"));
  QLabel* own = add_label(panel, QStringLiteral("internet_version"), 5, 5);
  show_status_labels(*window);
  EXPECT_EQ(window->findChildren<QLabel*>(QStringLiteral("internet_version")).size(), 1);
  EXPECT_EQ(own->pos(), QPoint(5, 5));
  EXPECT_EQ(own->text(), QStringLiteral(" (www.korva-scope.co.za)"));
}

TEST_F(status_labels_test, the_windows_name_is_upper_cased_the_afrikaans_way) {
  g_windows_name = QStringLiteral("Debian ë-uitgawe");
  platform::form* window = make_window(QStringLiteral("punte_mnu"));
  EXPECT_EQ(show_status_labels(*window), QStringLiteral(" (DEBIAN ë-UITGAWE)"));
}

TEST_F(status_labels_test, every_call_appends_the_windows_audit_record) {
  platform::form* first = make_window(QStringLiteral("punte_mnu"));
  platform::form* second = make_window(QStringLiteral("pboek_inlees"));
  show_status_labels(*first);
  fake.advance_ms(61'000);
  show_status_labels(*second);
  const QByteArray bytes = file_bytes(g_settings_folder + QStringLiteral("\\Audit_Trail.txt"));
  ASSERT_EQ(bytes.size(), 2 * 258);
  audit_entry e = current_audit_entry(QStringLiteral("punte_mnu"));
  e.time_text = QStringLiteral("10:30:00");
  EXPECT_EQ(bytes.left(258), audit_record_bytes(e));
  EXPECT_EQ(bytes.mid(258 + 68, 12), QByteArray("pboek_inlees"));
  EXPECT_EQ(bytes.mid(258 + 58, 10), QByteArray("10:31:01  "));
}

TEST_F(status_labels_test, no_settings_folder_still_fills_the_labels) {
  g_settings_folder = QStringLiteral("C:\\NOWHERE");
  platform::form* window = make_window(QStringLiteral("punte_mnu"));
  EXPECT_EQ(show_status_labels(*window), QStringLiteral(" (WINDOWS 10 PRO)"));
  EXPECT_EQ(find_control_as<QLabel>(window, QStringLiteral("ops_datum"))->text(),
            QStringLiteral("2017.03.17"));
  EXPECT_FALSE(platform::file_exists(QStringLiteral("C:\\NOWHERE\\Audit_Trail.txt")));
}

// The heading: the data folder, the school's name (the caption for the
// maker's test school) and the version text, in the labels the work windows
// carry.
TEST_F(status_labels_test, window_heading_shows_folder_school_and_version) {
  struct heading_case {
    QString school;
    QString expected_school_label;
  };
  const heading_case cases[] = {
      {QStringLiteral("Hoerskool Korva"), QStringLiteral("Hoerskool Korva")},
      {maker_test_school, QStringLiteral("KORVA-MARKS : Punte")},
      {QString(), QString()},
  };
  for (const heading_case& c : cases) {
    SCOPED_TRACE(c.school.toStdString());
    g_school_name = c.school;
    g_data_folder = QStringLiteral("C:\\KORVA-DATA\\");
    platform::form* window = make_window(QStringLiteral("pboek_opstel"));
    window->set_caption(QStringLiteral("KORVA-MARKS : Punte"));
    add_label(window, QStringLiteral("dir_disp"), 0, 120);
    add_label(window, QStringLiteral("ops_ops1"), 0, 140);
    show_window_heading(*window);
    EXPECT_EQ(find_control_as<QLabel>(window, QStringLiteral("dir_disp"))->text(),
              QStringLiteral("C:\\KORVA-DATA\\"));
    EXPECT_EQ(find_control_as<QLabel>(window, QStringLiteral("ops_ops1"))->text(), c.expected_school_label);
    EXPECT_EQ(find_control_as<QLabel>(window, QStringLiteral("prg_version"))->text(),
              QStringLiteral(" (WINDOWS 10 PRO)"));
    platform::unload_form(window);
  }
}

}  // namespace
}  // namespace km
