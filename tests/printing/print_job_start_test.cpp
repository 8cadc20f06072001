#include "printing/print_job_start.h"

#include "platform/model/grid/flex_grid.h"
#include "printing/wys_druk_vordering.h"
#include "printing_fixture.h"

namespace km::test {
namespace {

using platform::page_orientation;
using platform::printer;

class print_job_start_test : public printing_test {};

struct paper_case {
  const char* paper;
  page_orientation orientation;
  int font_size;
  double columns;  // ScaleWidth in characters
  double lines;    // ScaleHeight in lines
  double rule_offset;
};

TEST_F(print_job_start_test, the_paper_sets_orientation_font_size_and_page_measures) {
  const paper_case cases[] = {
      {"A4_portrait", page_orientation::portrait, 10, portrait_width / 120, portrait_height / 240, -0.5},
      {"A4_landscape", page_orientation::landscape, 8, portrait_height / 120, portrait_width / 240, 1.0},
      // The paper name is compared as exact text.
      {"A4_Portrait", page_orientation::landscape, 8, portrait_height / 120, portrait_width / 240, 1.0},
      {"", page_orientation::landscape, 8, portrait_height / 120, portrait_width / 240, 1.0},
  };
  for (const paper_case& c : cases) {
    SCOPED_TRACE(c.paper);
    printer().reset();
    g_print_new_document = true;
    begin_print_job(QString::fromLatin1(c.paper));
    EXPECT_EQ(printer().orientation(), c.orientation);
    EXPECT_EQ(printer().scale_mode(), platform::scale_unit::characters);
    EXPECT_EQ(g_print_font_size, c.font_size);
    EXPECT_EQ(g_print_chars_per_line, int(std::nearbyint(c.columns)));
    EXPECT_EQ(g_print_page_columns, int(std::nearbyint(c.columns)));
    EXPECT_EQ(g_print_line_length, g_print_page_columns);
    EXPECT_NEAR(g_print_page_lines, c.lines - 1.25, 1e-4);
    EXPECT_NEAR(g_print_header_rule_y, c.lines / 12 + c.rule_offset, 1e-4);
    // The report default: Lucida Console 10, black, plain.
    EXPECT_EQ(printer().font_name(), QStringLiteral("Lucida Console"));
    EXPECT_DOUBLE_EQ(printer().font_size(), 10);
    EXPECT_FALSE(printer().font_bold() || printer().font_italic() || printer().font_underline() ||
                 printer().font_strikethrough());
    EXPECT_TRUE(printer().font_transparent());
    EXPECT_EQ(printer().fore_color(), QColor(Qt::black));
    EXPECT_EQ(printer().draw_width(), 2);
  }
}

TEST_F(print_job_start_test, a_document_under_way_keeps_its_orientation) {
  g_print_new_document = false;
  begin_print_job(paper_a4_landscape);
  EXPECT_EQ(printer().orientation(), page_orientation::portrait);
  EXPECT_EQ(g_print_font_size, 8);  // the measures are made all the same
  EXPECT_EQ(g_print_page_columns, 93);
}

TEST_F(print_job_start_test, a_height_factor_counts_more_lines_down_the_page) {
  begin_print_job(paper_a4_portrait, 1.5);
  EXPECT_NEAR(printer().scale_height(), portrait_height / 240 * 1.5, 1e-9);
  EXPECT_NEAR(g_print_page_lines, portrait_height / 240 * 1.5 - 1.25, 1e-4);
  EXPECT_NEAR(g_print_header_rule_y, portrait_height / 240 * 1.5 / 12 - 0.5, 1e-4);
  EXPECT_EQ(g_print_page_columns, 93);
  // A factor the scale cannot take is passed over.
  begin_print_job(paper_a4_portrait, 0);
  EXPECT_NEAR(printer().scale_height(), portrait_height / 240, 1e-9);
}

TEST_F(print_job_start_test, an_excel_export_sets_nothing_up) {
  g_export_excel = true;
  g_print_new_document = true;
  begin_print_job(paper_a4_landscape);
  EXPECT_EQ(printer().scale_mode(), platform::scale_unit::twips);
  EXPECT_EQ(printer().orientation(), page_orientation::portrait);
  EXPECT_EQ(printer().font_name(), QStringLiteral("Arial"));
  EXPECT_EQ(g_print_page_columns, 0);
  EXPECT_FALSE(progress_window());
}

struct heading_case {
  bool afrikaans;
  const char* title;
  const char* shown;
};

TEST_F(print_job_start_test, the_progress_window_shows_the_title_or_the_busy_text) {
  const heading_case cases[] = {
      {false, "", " BUSY WITH PRINTING ... "},
      {true, "   ", " BESIG MET DRUKWERK ... "},
      {false, "  MARK LIST  ", "  MARK LIST  "},  // shown untrimmed
  };
  for (const heading_case& c : cases) {
    SCOPED_TRACE(c.shown);
    g_language = c.afrikaans;
    g_print_title = QString::fromLatin1(c.title);
    begin_print_job();
    wys_druk_vordering* window = progress_window();
    ASSERT_TRUE(window);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->wdv_opskrif()->text(), QString::fromLatin1(c.shown));
    EXPECT_EQ(window->wdv_drukker()->text(), QStringLiteral("Recorder"));
    EXPECT_EQ(window->wdv_bladsy()->text(), QStringLiteral("1"));
  }
}

TEST_F(print_job_start_test, the_progress_window_has_its_controls_by_name) {
  begin_print_job();
  wys_druk_vordering* window = progress_window();
  ASSERT_TRUE(window);
  for (const char* name :
       {"wdv_opskrif", "wdv_bladsy", "wdv_drukker", "Animation1", "druk_raam", "Picture1", "Picture2"})
    EXPECT_TRUE(find_control(window, QString::fromLatin1(name))) << name;
  // The gradient frame lies behind druk_raam, offset down and to the right.
  QWidget* shadow = find_control(window, QStringLiteral("Picture2"));
  EXPECT_EQ(shadow->size(), window->druk_raam()->size());
  EXPECT_EQ(shadow->pos(), window->druk_raam()->pos() + QPoint(6, 6));
}

TEST_F(print_job_start_test, a_second_job_reuses_the_progress_window_while_it_is_up) {
  begin_print_job();
  wys_druk_vordering* first = progress_window();
  begin_print_job();
  EXPECT_EQ(progress_window(), first);
  EXPECT_TRUE(first->animation_playing());
  // Hidden, it is made afresh.
  first->hide();
  begin_print_job();
  run_events();
  EXPECT_TRUE(progress_window()->isVisible());
  EXPECT_TRUE(progress_window()->animation_playing());
}

struct colour_case {
  const char* content;  // nullptr: no file
  bool before;
  bool after;
};

TEST_F(print_job_start_test, the_colour_choice_is_read_back_from_its_file) {
  const colour_case cases[] = {
      {nullptr, true, false},  // a missing file means black
      {"#TRUE#\r\n", false, true},  {"#FALSE#\r\n", true, false},
      {"1\r\n", false, true},        // numbers count too
      {"nonsense\r\n", true, true},  // unreadable: the choice stays
  };
  for (const colour_case& c : cases) {
    SCOPED_TRACE(c.content ? c.content : "no file");
    QFile::remove(drives.native_drive(u'C') + QStringLiteral("/kleur_drukker.txt"));
    if (c.content) drives.write_native(QStringLiteral("C/kleur_drukker.txt"), c.content);
    g_print_colour = c.before;
    begin_print_job();
    EXPECT_EQ(g_print_colour, c.after);
    EXPECT_EQ(printer().colors(), c.after ? platform::color_mode::color : platform::color_mode::monochrome);
  }
}

TEST_F(print_job_start_test, reset_progress_window_starts_the_headings_afresh) {
  platform::flex_grid grid;
  print_rotated_text(QStringLiteral("TASK 1"), grid);
  print_rotated_text(QStringLiteral("TASK 2"), grid);
  EXPECT_EQ(rotated_picture_count(), 2);
  reset_progress_window();
  EXPECT_EQ(rotated_picture_count(), 0);
}

}  // namespace
}  // namespace km::test
