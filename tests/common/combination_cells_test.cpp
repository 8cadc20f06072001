// The class part and the report title of a subject-grid row.
#include "common/combination_cells.h"

#include <gtest/gtest.h>

namespace km {
namespace {

TEST(combination_cells_test, class_part_and_report_title) {
  struct title_case {
    QStringList cells;
    const char* klass;
    const char* title;
  };
  for (const title_case& c :
       {title_case{{"8  ", "101  ", "100", "8A ", "AFR HT", "", "", "", ""}, "8A", "8   101__ 8A AFR HT"},
        title_case{{"12", "501", "100", "", " GESK ", "12B", "", "", ""}, "12B", "12 501 12B GESK"},
        title_case{{"9", "4 01", "100", "", "", "", "", "", ""}, "", "9 4_01 "}}) {
    SCOPED_TRACE(c.title);
    EXPECT_EQ(class_part(c.cells), QString::fromLatin1(c.klass));
    EXPECT_EQ(combination_report_title(c.cells), QString::fromLatin1(c.title));
  }
}

}  // namespace
}  // namespace km
