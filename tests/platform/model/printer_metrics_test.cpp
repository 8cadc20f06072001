// Font names mapped to the installed stand-ins, and the real font metrics.
#include <gtest/gtest.h>

#include "platform/model/print/font_mapping.h"
#include "platform/model/print/text_metrics.h"

namespace km::platform {
namespace {

TEST(font_mapping, windows_names_map_to_installed_stand_ins) {
  const std::pair<const char*, const char*> table[] = {
      {"Lucida Console", "Liberation Mono"},
      {"Arial", "Liberation Sans"},
      {"ARIAL", "Liberation Sans"},
      {"Tahoma", "DejaVu Sans"},
      {"Times New Roman", "Liberation Serif"},
      {"Courier New", "Liberation Mono"},
      {"MS Sans Serif", "Liberation Sans"},
      {" verdana ", "DejaVu Sans"},
      {"DejaVu Serif", "DejaVu Serif"},
      {"dejavu sans mono", "DejaVu Sans Mono"},
      {"Wingdings Unknown", "Liberation Sans"},
      {"", "Liberation Sans"},
  };
  for (const auto& [name, family] : table) {
    SCOPED_TRACE(name);
    EXPECT_EQ(installed_font_family(name), family);
  }
}

TEST(font_mapping, twips_font_sizes_in_twips) {
  print_font f;
  f.name = "Lucida Console";
  f.size = 8;
  f.bold = true;
  f.underline = true;
  const QFont q = twips_font(f);
  EXPECT_EQ(q.family(), "Liberation Mono");
  EXPECT_EQ(q.pixelSize(), 160);
  EXPECT_TRUE(q.bold());
  EXPECT_TRUE(q.underline());
  EXPECT_FALSE(q.italic());
}

TEST(font_metrics, lucida_console_stand_in_has_its_column_width) {
  font_text_metrics m;
  print_font f;
  f.name = "Lucida Console";
  f.size = 8;
  // A monospaced font of 0.6 em: a column at 8 points is 96 twips.
  EXPECT_NEAR(m.column_width(f), 96, 1);
  EXPECT_NEAR(m.width(f, "ABCDEFGHIJ"), 960, 2);
  f.size = 10;
  EXPECT_NEAR(m.width(f, "W"), 120, 1);
  EXPECT_GT(m.line_height(f), 200);
  EXPECT_LT(m.line_height(f), 280);
  EXPECT_GT(m.ascent(f), 0);
  EXPECT_LT(m.ascent(f), m.line_height(f));
}

TEST(font_metrics, proportional_and_bold_text_differ) {
  font_text_metrics m;
  print_font f;
  f.name = "Arial";
  f.size = 10;
  EXPECT_LT(m.width(f, "iiii"), m.width(f, "WWWW"));
  const double plain = m.width(f, "Marks Book");
  f.bold = true;
  EXPECT_GT(m.width(f, "Marks Book"), plain);
  EXPECT_DOUBLE_EQ(m.width(f, ""), 0);
}

TEST(font_metrics, fixed_model_figures) {
  fixed_text_metrics m;
  print_font f;
  f.size = 10;
  EXPECT_DOUBLE_EQ(m.width(f, "ABC"), 360);
  EXPECT_DOUBLE_EQ(m.line_height(f), 240);
  EXPECT_DOUBLE_EQ(m.ascent(f), 200);
  EXPECT_DOUBLE_EQ(m.column_width(f), 120);
}

}  // namespace
}  // namespace km::platform
