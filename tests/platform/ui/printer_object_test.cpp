// The printer object on the recording device with the fixed text model:
// a character is 0.6 em wide, a line 1.2 em high (at 10 points 120 x 240
// twips, the character scale), so every figure here is exact.
#include "platform/ui/printer/printer_object.h"

#include <gtest/gtest.h>

#include <QImage>
#include <memory>

#include "platform/ui/printer/recording_device.h"

namespace km::platform {
namespace {

using kind = print_op::kind;

class printer_test : public ::testing::Test {
 protected:
  std::shared_ptr<recording_device> device = std::make_shared<recording_device>();
  printer_object p{device, std::make_shared<fixed_text_metrics>()};

  // The A4 printable area with a quarter-inch margin, in twips.
  const double page_w = a4_geometry(page_orientation::portrait).printable.width();
  const double page_h = a4_geometry(page_orientation::portrait).printable.height();

  const std::vector<print_op>& ops() const { return p.pending_document()->pages.back().ops; }
  const print_op& last_op() const { return ops().back(); }
};

// --- scales

struct conversion {
  double value;
  scale_unit from;
  scale_unit to;
  double x;
  double y;
};

TEST_F(printer_test, scale_x_and_y_convert_between_units) {
  const conversion table[] = {
      {1, scale_unit::characters, scale_unit::twips, 120, 240},
      {240, scale_unit::twips, scale_unit::characters, 2, 1},
      {10, scale_unit::points, scale_unit::twips, 200, 200},
      {8, scale_unit::points, scale_unit::characters, 160.0 / 120, 160.0 / 240},
      {1, scale_unit::inches, scale_unit::twips, 1440, 1440},
      {1, scale_unit::centimeters, scale_unit::millimeters, 10, 10},
      {2540, scale_unit::himetric, scale_unit::twips, 1440, 1440},
      {1, scale_unit::pixels, scale_unit::twips, 2.4, 2.4},  // a 600 dpi printer
      {6, scale_unit::characters, scale_unit::inches, 0.5, 1},
  };
  for (const conversion& c : table) {
    SCOPED_TRACE(c.value);
    EXPECT_NEAR(p.scale_x(c.value, c.from, c.to), c.x, 1e-9);
    EXPECT_NEAR(p.scale_y(c.value, c.from, c.to), c.y, 1e-9);
  }
  // Without a target the scale in force is the target.
  p.set_scale_mode(scale_unit::characters);
  EXPECT_DOUBLE_EQ(p.scale_x(360, scale_unit::twips), 3);
  EXPECT_DOUBLE_EQ(p.scale_y(360, scale_unit::twips), 1.5);
  EXPECT_DOUBLE_EQ(p.scale_x(2, scale_unit::user, scale_unit::twips), 240);
}

TEST_F(printer_test, standard_scale_modes_measure_the_printable_area) {
  EXPECT_EQ(p.scale_mode(), scale_unit::twips);
  EXPECT_DOUBLE_EQ(p.scale_width(), page_w);
  EXPECT_DOUBLE_EQ(p.scale_height(), page_h);
  p.set_scale_mode(scale_unit::characters);
  EXPECT_DOUBLE_EQ(p.scale_width(), page_w / 120);
  EXPECT_DOUBLE_EQ(p.scale_height(), page_h / 240);
  EXPECT_EQ(std::lround(p.scale_width()), 93);  // columns across an A4 page
  p.set_scale_mode(scale_unit::points);
  EXPECT_DOUBLE_EQ(p.scale_width(), page_w / 20);
  p.set_scale_mode(scale_unit::inches);
  EXPECT_NEAR(p.scale_width(), 8.27 - 0.5, 0.01);
  // The sheet itself is A4 whatever the scale.
  EXPECT_NEAR(p.width(), 11906, 1);
  EXPECT_NEAR(p.height(), 16838, 1);
}

TEST_F(printer_test, user_scale_from_scale_width_halves_the_page_at_fifty) {
  p.set_scale_width(100);
  p.set_scale_height(100);
  EXPECT_EQ(p.scale_mode(), scale_unit::user);
  EXPECT_DOUBLE_EQ(p.scale_width(), 100);
  p.line(0, 0, 50, 50);
  EXPECT_DOUBLE_EQ(last_op().x2, page_w / 2);
  EXPECT_DOUBLE_EQ(last_op().y2, page_h / 2);
  EXPECT_DOUBLE_EQ(p.current_x(), 50);
  EXPECT_DOUBLE_EQ(p.current_y(), 50);
}

TEST_F(printer_test, scale_left_and_top_move_the_origin) {
  p.scale(-10, -20, 90, 180);  // 100 units across, 200 down
  EXPECT_DOUBLE_EQ(p.scale_left(), -10);
  EXPECT_DOUBLE_EQ(p.scale_top(), -20);
  EXPECT_DOUBLE_EQ(p.scale_width(), 100);
  EXPECT_DOUBLE_EQ(p.scale_height(), 200);
  p.line(-10, -20, 40, 80);  // the corner to the middle
  EXPECT_DOUBLE_EQ(last_op().x1, 0);
  EXPECT_DOUBLE_EQ(last_op().y1, 0);
  EXPECT_DOUBLE_EQ(last_op().x2, page_w / 2);
  EXPECT_DOUBLE_EQ(last_op().y2, page_h / 2);
  // A standard mode puts the origin back.
  p.set_scale_mode(scale_unit::twips);
  EXPECT_DOUBLE_EQ(p.scale_left(), 0);
  EXPECT_DOUBLE_EQ(p.current_x(), page_w / 2);
}

TEST_F(printer_test, a_scale_change_keeps_the_physical_position) {
  p.set_current_x(1200);
  p.set_current_y(480);
  p.set_scale_mode(scale_unit::characters);
  EXPECT_DOUBLE_EQ(p.current_x(), 10);
  EXPECT_DOUBLE_EQ(p.current_y(), 2);
  p.set_current_x(5);
  p.set_scale_mode(scale_unit::points);
  EXPECT_DOUBLE_EQ(p.current_x(), 30);
  EXPECT_DOUBLE_EQ(p.current_y(), 24);
  p.set_scale_width(p.scale_width() / 2);  // a user scale of double-width units
  EXPECT_DOUBLE_EQ(p.current_x(), 15);
  p.set_scale_mode(scale_unit::twips);
  EXPECT_DOUBLE_EQ(p.current_x(), 600);
}

TEST_F(printer_test, a_height_factor_makes_a_vertical_user_scale) {
  // What the page set-up does with a height factor of 1.5.
  p.set_scale_mode(scale_unit::characters);
  const double lines = p.scale_height();
  p.set_scale_height(1.5 * p.scale_height());
  EXPECT_EQ(p.scale_mode(), scale_unit::user);
  EXPECT_DOUBLE_EQ(p.scale_height(), 1.5 * lines);
  EXPECT_DOUBLE_EQ(p.scale_width(), page_w / 120);  // columns unchanged
  EXPECT_DOUBLE_EQ(p.scale_y(1, scale_unit::user, scale_unit::twips), 160);
}

TEST_F(printer_test, impossible_values_are_refused) {
  EXPECT_THROW(p.set_scale_width(0), printer_error);
  EXPECT_THROW(p.set_scale_height(0), printer_error);
  EXPECT_THROW(p.set_scale_mode(scale_unit::himetric), printer_error);
  EXPECT_THROW(p.set_scale_mode(static_cast<scale_unit>(12)), printer_error);
  EXPECT_THROW(p.set_font_size(0), printer_error);
  EXPECT_THROW(p.set_draw_width(0), printer_error);
  EXPECT_THROW(p.set_copies(0), printer_error);
  EXPECT_THROW(p.set_paper_size(1), printer_error);
  EXPECT_THROW(p.set_orientation(static_cast<page_orientation>(3)), printer_error);
  EXPECT_THROW(p.scale(0, 0, 0, 10), printer_error);
  // Nothing refused has changed the printer.
  EXPECT_EQ(p.scale_mode(), scale_unit::twips);
  EXPECT_DOUBLE_EQ(p.font_size(), 10);
  EXPECT_EQ(p.draw_width(), 1);
}

// --- text

TEST_F(printer_test, text_width_and_height_follow_font_and_scale) {
  EXPECT_DOUBLE_EQ(p.text_width("ABCD"), 480);
  EXPECT_DOUBLE_EQ(p.text_height("ABCD"), 240);
  EXPECT_DOUBLE_EQ(p.text_width(""), 0);
  EXPECT_DOUBLE_EQ(p.text_height(""), 240);
  EXPECT_DOUBLE_EQ(p.text_width("AB\r\nABCDEF\nA"), 720);  // the widest line
  EXPECT_DOUBLE_EQ(p.text_height("AB\r\nABCDEF\nA"), 720);
  p.set_font_size(8);
  EXPECT_DOUBLE_EQ(p.text_width("W"), 96);
  p.set_scale_mode(scale_unit::characters);
  EXPECT_DOUBLE_EQ(p.text_width("ABCDE"), 4);
  EXPECT_DOUBLE_EQ(p.text_height("A"), 0.8);
}

TEST_F(printer_test, print_with_a_line_end_goes_to_the_left_edge_of_the_next_line) {
  p.set_current_x(500);
  p.set_current_y(1000);
  p.print("Hello");
  ASSERT_EQ(ops().size(), 1u);
  EXPECT_EQ(last_op().what, kind::text);
  EXPECT_EQ(last_op().text, "Hello");
  EXPECT_DOUBLE_EQ(last_op().x1, 500);
  EXPECT_DOUBLE_EQ(last_op().y1, 1000);
  EXPECT_DOUBLE_EQ(last_op().x2, 500 + 600);
  EXPECT_DOUBLE_EQ(last_op().y2, 1000 + 240);
  EXPECT_DOUBLE_EQ(last_op().ascent, 200);
  EXPECT_DOUBLE_EQ(p.current_x(), 0);
  EXPECT_DOUBLE_EQ(p.current_y(), 1000 + p.text_height("Hello"));
  // An empty Print is an empty line.
  p.print();
  EXPECT_DOUBLE_EQ(p.current_y(), 1000 + 2 * 240);
  EXPECT_EQ(ops().size(), 1u);
}

TEST_F(printer_test, semicolon_continues_on_the_same_line) {
  p.print("AB", print_end::stay);
  EXPECT_DOUBLE_EQ(p.current_x(), 240);
  EXPECT_DOUBLE_EQ(p.current_y(), 0);
  p.set_font_size(20);
  p.print("CD");
  EXPECT_DOUBLE_EQ(last_op().x1, 240);
  EXPECT_DOUBLE_EQ(last_op().y1, 0);
  EXPECT_DOUBLE_EQ(last_op().font.size, 20);
  EXPECT_DOUBLE_EQ(p.current_y(), 480);  // the line height of the font in force
  // Items of one statement follow each other directly.
  p.print({QStringLiteral("E"), QStringLiteral("FG")}, print_end::stay);
  EXPECT_EQ(ops().back().text, "FG");
  EXPECT_DOUBLE_EQ(ops().back().x1, 240);
}

TEST_F(printer_test, comma_moves_to_the_next_print_zone) {
  p.print("A", print_end::next_zone);
  EXPECT_DOUBLE_EQ(p.current_x(), 14 * 120);
  p.print({QStringLiteral("B"), print_zone{}, QStringLiteral("C")}, print_end::stay);
  EXPECT_DOUBLE_EQ(ops()[1].x1, 14 * 120);
  EXPECT_DOUBLE_EQ(ops()[2].x1, 28 * 120);
}

TEST_F(printer_test, tab_columns_are_one_character_of_the_font_wide) {
  p.set_font_size(8);  // a column is 96 twips
  p.print({print_tab{3}, QStringLiteral("X")}, print_end::stay);
  EXPECT_DOUBLE_EQ(last_op().x1, 2 * 96);
  EXPECT_DOUBLE_EQ(p.current_x(), 3 * 96);
  p.print({print_tab{54}, QStringLiteral("|")}, print_end::stay);
  EXPECT_DOUBLE_EQ(last_op().x1, 53 * 96);
  EXPECT_DOUBLE_EQ(last_op().y1, 0);
  // In the character scale the same column lies at 1.6 columns.
  p.set_scale_mode(scale_unit::characters);
  p.print({print_tab{3}, QStringLiteral("Y")});
  EXPECT_DOUBLE_EQ(p.scale_x(ops().back().x1, scale_unit::twips), 1.6);
  // Tab(0) counts as Tab(1).
  p.print({print_tab{0}, QStringLiteral("Z")});
  EXPECT_DOUBLE_EQ(ops().back().x1, 0);
}

TEST_F(printer_test, tab_to_a_column_already_passed_goes_to_the_next_line) {
  p.set_font_size(8);
  p.print("ABCDEFGHIJ", print_end::stay);  // ends at 960 twips, column 11
  p.print({print_tab{5}, QStringLiteral("Z")});
  EXPECT_DOUBLE_EQ(last_op().x1, 4 * 96);
  EXPECT_DOUBLE_EQ(last_op().y1, 192);
  // The column the position stands at is not passed.
  p.print({print_tab{3}, QStringLiteral("A"), print_tab{4}, QStringLiteral("B")});
  EXPECT_DOUBLE_EQ(ops().back().x1, 3 * 96);
  EXPECT_DOUBLE_EQ(ops().back().y1, 2 * 192);
}

TEST_F(printer_test, spc_moves_by_blank_columns) {
  p.print({QStringLiteral("A"), print_spc{3}, QStringLiteral("B")});
  EXPECT_DOUBLE_EQ(last_op().x1, 4 * 120);
}

TEST_F(printer_test, line_breaks_inside_text_start_new_lines) {
  p.set_current_x(600);
  p.print("one\r\ntwo\nthree", print_end::stay);
  ASSERT_EQ(ops().size(), 3u);
  EXPECT_DOUBLE_EQ(ops()[0].x1, 600);
  EXPECT_DOUBLE_EQ(ops()[1].x1, 0);
  EXPECT_DOUBLE_EQ(ops()[1].y1, 240);
  EXPECT_EQ(ops()[2].text, "three");
  EXPECT_DOUBLE_EQ(ops()[2].y1, 480);
  EXPECT_DOUBLE_EQ(p.current_x(), 600);
  EXPECT_DOUBLE_EQ(p.current_y(), 480);
}

TEST_F(printer_test, text_carries_font_colour_and_transparency) {
  print_font f;
  f.name = "Lucida Console";
  f.size = 8;
  f.bold = true;
  f.underline = true;
  p.set_font(f);
  p.set_font_italic(true);
  p.set_font_strikethrough(true);
  p.set_fore_color(color_from_bgr(255));
  p.set_font_transparent(false);
  p.print("x");
  EXPECT_EQ(last_op().font.name, "Lucida Console");
  EXPECT_TRUE(last_op().font.bold && last_op().font.italic && last_op().font.underline &&
              last_op().font.strikethrough);
  EXPECT_EQ(last_op().color, QColor(255, 0, 0));
  EXPECT_FALSE(last_op().transparent);
}

TEST_F(printer_test, monochrome_prints_colours_as_grey) {
  p.set_colors(color_mode::monochrome);
  p.set_fore_color(QColor(255, 0, 0));
  p.print("red");
  p.line(0, 0, 10, 10, line_shape::filled_box, QColor(0, 0, 255));
  const int red = qGray(qRgb(255, 0, 0)), blue = qGray(qRgb(0, 0, 255));
  EXPECT_EQ(ops()[0].color, QColor(red, red, red));
  EXPECT_EQ(ops()[1].color, QColor(blue, blue, blue));
}

TEST_F(printer_test, rotated_text_is_recorded_with_its_angle) {
  p.set_current_x(1000);
  p.set_current_y(3000);
  p.print_rotated("Name", 900);
  EXPECT_EQ(last_op().what, kind::text);
  EXPECT_EQ(last_op().text, "Name");
  EXPECT_EQ(last_op().angle_tenths, 900);
  EXPECT_DOUBLE_EQ(last_op().x1, 1000);
  EXPECT_DOUBLE_EQ(last_op().y1, 3000);
  EXPECT_DOUBLE_EQ(last_op().x2 - last_op().x1, 480);  // measured unturned
  EXPECT_DOUBLE_EQ(p.current_x(), 1000);
  EXPECT_DOUBLE_EQ(p.current_y(), 3000);
  // A second line of turned text lies one line height to the right.
  p.print_rotated("Class\r\n10-A", 900);
  EXPECT_NEAR(ops()[2].x1, 1240, 1e-9);
  EXPECT_NEAR(ops()[2].y1, 3000, 1e-9);
}

// --- graphics

TEST_F(printer_test, line_box_and_filled_box_end_at_their_second_corner) {
  p.set_draw_width(2);
  p.line(100, 200, 300, 200);
  EXPECT_EQ(last_op().what, kind::line);
  EXPECT_DOUBLE_EQ(last_op().pen_width, 4.8);
  EXPECT_EQ(last_op().color, QColor(Qt::black));
  p.line(100, 200, 300, 400, line_shape::box);
  EXPECT_EQ(last_op().what, kind::box);
  EXPECT_FALSE(last_op().filled_interior);
  EXPECT_DOUBLE_EQ(p.current_x(), 300);
  EXPECT_DOUBLE_EQ(p.current_y(), 400);
  p.line(10, 20, 30, 40, line_shape::filled_box, color_from_bgr(0xC0C0C0));
  EXPECT_EQ(last_op().what, kind::filled_box);
  EXPECT_EQ(last_op().color, QColor(0xC0, 0xC0, 0xC0));
  EXPECT_DOUBLE_EQ(last_op().x1, 10);
  EXPECT_DOUBLE_EQ(last_op().y2, 40);
  EXPECT_DOUBLE_EQ(p.current_x(), 30);
  EXPECT_DOUBLE_EQ(p.current_y(), 40);
  // Line -(x, y) starts at the print position.
  p.line_to(130, 40);
  EXPECT_DOUBLE_EQ(last_op().x1, 30);
  EXPECT_DOUBLE_EQ(last_op().x2, 130);
  // A box with a solid fill style is filled with FillColor.
  p.set_fill_style(0);
  p.set_fill_color(Qt::yellow);
  p.line(0, 0, 50, 50, line_shape::box);
  EXPECT_TRUE(last_op().filled_interior);
  EXPECT_EQ(last_op().fill_color, QColor(Qt::yellow));
}

TEST_F(printer_test, lines_in_the_character_scale_are_stored_in_twips) {
  p.set_scale_mode(scale_unit::characters);
  p.line(0.25, 0.25, 93, 66.5, line_shape::box);
  EXPECT_DOUBLE_EQ(last_op().x1, 30);
  EXPECT_DOUBLE_EQ(last_op().y1, 60);
  EXPECT_DOUBLE_EQ(last_op().x2, 93 * 120);
  EXPECT_DOUBLE_EQ(last_op().y2, 66.5 * 240);
}

TEST_F(printer_test, paint_picture_at_its_own_or_a_given_size) {
  QImage image(96, 48, QImage::Format_RGB32);
  image.fill(Qt::red);
  image.setDotsPerMeterX(3780);  // 96 dots per inch
  image.setDotsPerMeterY(3780);
  p.paint_picture(image, 100, 200);
  EXPECT_EQ(last_op().what, kind::picture);
  EXPECT_NEAR(last_op().x2 - last_op().x1, 1440, 0.5);
  EXPECT_NEAR(last_op().y2 - last_op().y1, 720, 0.5);
  p.set_scale_mode(scale_unit::characters);
  p.paint_picture(image, 1, 2, 3, 4);
  EXPECT_DOUBLE_EQ(last_op().x1, 120);
  EXPECT_DOUBLE_EQ(last_op().y1, 480);
  EXPECT_DOUBLE_EQ(last_op().x2, 480);
  EXPECT_DOUBLE_EQ(last_op().y2, 1440);
  EXPECT_EQ(last_op().image.size(), image.size());
  EXPECT_DOUBLE_EQ(p.current_x(), 0);  // a picture does not move the position
}

// --- document

TEST_F(printer_test, an_empty_document_produces_nothing) {
  // What the printer choice does: set up, move the position, end.
  p.set_scale_mode(scale_unit::characters);
  p.set_orientation(page_orientation::portrait);
  p.set_font_name("Lucida Console");
  p.set_current_x(0);
  p.set_current_y(0);
  EXPECT_FALSE(p.document_open());
  EXPECT_TRUE(p.end_doc());
  EXPECT_TRUE(device->documents().empty());
  EXPECT_EQ(p.last_page_count(), 0);
}

TEST_F(printer_test, the_first_drawing_starts_the_document) {
  p.print("");
  EXPECT_TRUE(p.document_open());
  ASSERT_TRUE(p.end_doc());
  ASSERT_EQ(device->documents().size(), 1u);
  EXPECT_EQ(device->last().pages.size(), 1u);
  EXPECT_TRUE(device->last().pages[0].ops.empty());
}

TEST_F(printer_test, kill_doc_throws_pending_output_away) {
  p.print("gone");
  p.new_page();
  p.print("gone too");
  EXPECT_EQ(p.page(), 2);
  p.kill_doc();
  EXPECT_FALSE(p.document_open());
  EXPECT_EQ(p.page(), 1);
  EXPECT_DOUBLE_EQ(p.current_y(), 0);
  EXPECT_TRUE(p.end_doc());
  EXPECT_TRUE(device->documents().empty());
  p.print("kept");
  ASSERT_TRUE(p.end_doc());
  ASSERT_EQ(device->documents().size(), 1u);
  ASSERT_EQ(device->last().pages.size(), 1u);
  EXPECT_EQ(device->last().pages[0].ops.at(0).text, "kept");
}

TEST_F(printer_test, new_page_numbers_pages_and_resets_the_position) {
  p.set_job_name("MARKS LIST");
  p.set_copies(2);
  p.print("page one");
  p.new_page();
  EXPECT_EQ(p.page(), 2);
  EXPECT_DOUBLE_EQ(p.current_x(), 0);
  EXPECT_DOUBLE_EQ(p.current_y(), 0);
  p.print("page two");
  p.new_page();  // a new page left blank is not printed
  ASSERT_TRUE(p.end_doc());
  EXPECT_EQ(p.last_page_count(), 2);
  EXPECT_EQ(p.page(), 1);
  const print_document& doc = device->last();
  EXPECT_EQ(doc.job_name, "MARKS LIST");
  EXPECT_EQ(doc.copies, 2);
  ASSERT_EQ(doc.pages.size(), 2u);
  EXPECT_EQ(doc.pages[0].number, 1);
  EXPECT_EQ(doc.pages[1].number, 2);
  EXPECT_EQ(doc.pages[1].ops.at(0).text, "page two");
}

TEST_F(printer_test, new_page_on_an_untouched_document_feeds_a_blank_page) {
  p.new_page();
  p.print("second");
  ASSERT_TRUE(p.end_doc());
  ASSERT_EQ(device->last().pages.size(), 2u);
  EXPECT_TRUE(device->last().pages[0].ops.empty());
}

TEST_F(printer_test, orientation_changed_after_output_applies_to_the_next_page) {
  p.print("portrait");
  p.set_orientation(page_orientation::landscape);
  EXPECT_EQ(p.orientation(), page_orientation::landscape);
  EXPECT_DOUBLE_EQ(p.scale_width(), page_w);  // the page in hand stays portrait
  p.new_page();
  EXPECT_DOUBLE_EQ(p.scale_width(), page_h);  // the blank page takes the new orientation
  p.print("landscape");
  ASSERT_TRUE(p.end_doc());
  const print_document& doc = device->last();
  ASSERT_EQ(doc.pages.size(), 2u);
  EXPECT_EQ(doc.pages[0].orientation, page_orientation::portrait);
  EXPECT_EQ(doc.pages[1].orientation, page_orientation::landscape);
  EXPECT_GT(doc.pages[1].geometry.paper_width, doc.pages[1].geometry.paper_height);
  EXPECT_DOUBLE_EQ(doc.pages[1].geometry.printable.width(), page_h);
}

TEST_F(printer_test, orientation_before_the_first_drawing_applies_to_page_one) {
  p.set_orientation(page_orientation::landscape);
  p.set_scale_mode(scale_unit::characters);
  EXPECT_EQ(std::lround(p.scale_width()), 134);
  EXPECT_NEAR(p.width(), 16838, 1);
  p.print("x");
  ASSERT_TRUE(p.end_doc());
  EXPECT_EQ(device->last().pages[0].orientation, page_orientation::landscape);
}

TEST_F(printer_test, a_refused_document_is_reported_and_finished) {
  device->refuse_with({print_error::kind::printer_refused, "Office", {}});
  p.print("x");
  EXPECT_FALSE(p.end_doc());
  EXPECT_EQ(p.last_error().what, print_error::kind::printer_refused);
  EXPECT_EQ(p.last_error().text(), "The printer Office did not accept the document.");
  EXPECT_FALSE(p.document_open());
  EXPECT_TRUE(device->documents().empty());
  // The next good document clears the error.
  device->refuse_with({});
  p.print("y");
  EXPECT_TRUE(p.end_doc());
  EXPECT_FALSE(p.last_error().failed());
}

TEST_F(printer_test, reset_puts_the_start_state_back) {
  p.set_scale_mode(scale_unit::characters);
  p.set_font_size(8);
  p.set_orientation(page_orientation::landscape);
  p.print("x");
  p.reset();
  EXPECT_FALSE(p.document_open());
  EXPECT_EQ(p.scale_mode(), scale_unit::twips);
  EXPECT_DOUBLE_EQ(p.font_size(), 10);
  EXPECT_EQ(p.orientation(), page_orientation::portrait);
  EXPECT_EQ(p.device_name(), "Recorder");
}

TEST(print_colour, bgr_longs_round_trip) {
  EXPECT_EQ(color_from_bgr(255), QColor(255, 0, 0));
  EXPECT_EQ(color_from_bgr(16777215), QColor(255, 255, 255));
  EXPECT_EQ(color_from_bgr(0xFF8000), QColor(0, 0x80, 0xFF));
  EXPECT_EQ(bgr_from_color(QColor(0, 0x80, 0xFF)), 0xFF8000u);
}

}  // namespace
}  // namespace km::platform
