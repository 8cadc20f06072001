// The set-up grid printed to a PDF through the printer choice, read back
// with pdftotext; the grid on screen keeps every row.
#include "markbook/setup_print.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <map>

#include "markbook/example_setup.h"
#include "markbook/setup_grid_rows.h"
#include "platform/ui/printer/pdf_device.h"
#include "printing/page_fit.h"
#include "printing/poppler_tools.h"
#include "printing/print_messages.h"
#include "printing/printing_fixture.h"

namespace km::test {
namespace {

using platform::msg_icon;

class setup_print_test : public printing_test {
 protected:
  // The set-up grid as the window lays it out, holding the example, with
  // rows tall enough to take six pages.
  void fill_grid() {
    lay_out_setup_grid(grid);
    setup_rows rows;
    apply_example_setup(rows, g_language);
    put_rows_in_setup_grid(grid, rows);
    for (int r = 1; r <= 40; ++r) grid.set_row_height(r, 900);
  }
  std::vector<QString> texts() const {
    std::vector<QString> t;
    for (int r = 0; r < grid.rows(); ++r)
      for (int c = 0; c < grid.cols(); ++c) t.push_back(grid.text_matrix(r, c));
    return t;
  }
  platform::flex_grid grid;
};

struct setup_language_case {
  bool afrikaans;
  const char* title;
  const char* done;  // the completion message before the file name
};

class setup_print_languages : public setup_print_test,
                              public testing::WithParamInterface<setup_language_case> {};

TEST_P(setup_print_languages, prints_a_copy_page_by_page_with_continuation_marks) {
  const setup_language_case& t = GetParam();
  g_language = t.afrikaans;
  fill_grid();
  QTemporaryDir dir;
  const QString pdf = dir.filePath(QStringLiteral("setup.pdf"));
  platform::printer().set_device(platform::pdf_device::to_file(pdf));
  const std::vector<QString> before = texts();
  dialogs.expect_message(QString::fromUtf8(t.done) + QStringLiteral("\r\n") + pdf)
      .icon(msg_icon::information);
  while_choosing([](kies_drukker& w) { click(&w, QStringLiteral("druk_ok")); },
                 [&] { print_setup_grid(grid); });

  EXPECT_EQ(g_print_title, QString::fromUtf8(t.title));
  EXPECT_EQ(g_excel_file_name, QString::fromUtf8(t.title));
  EXPECT_EQ(texts(), before);  // every row still there
  EXPECT_EQ(grid.rows(), 41);
  EXPECT_EQ(grid.col_width(1), 4500);
  const QString info = run_tool(QStringLiteral("pdfinfo"), {pdf});
  EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+6\\n")))) << info.toStdString();
  for (int page = 1; page <= 6; ++page) {
    SCOPED_TRACE(page);
    const QString text = pdf_page_text(pdf, page);
    EXPECT_TRUE(text.contains(QString::fromUtf8(t.title))) << text.toStdString();
    EXPECT_EQ(text.contains(QStringLiteral("%1.../").arg(page + 1)), page < 6) << text.toStdString();
  }
  EXPECT_TRUE(
      pdf_page_text(pdf, 1).contains(g_language ? QStringLiteral("KLASWERK") : QStringLiteral("CLASS WORK")));
}

INSTANTIATE_TEST_SUITE_P(
    both, setup_print_languages,
    testing::Values(setup_language_case{false, "MARK BOOK SETUP", "PRINTING COMPLETE (6 pages)"},
                    setup_language_case{true, "PUNTEBOEK OPSTELLING", "DRUKWERK VOLTOOI (6 bladsye)"}),
    [](const auto& info) { return info.param.afrikaans ? "afrikaans" : "english"; });

// Where the rules down of one row fail to meet those of the next: at each
// x the rules of one row each (a frame line that runs past them is left
// out), every one starting where the one above it ended.
QStringList rule_breaks(const platform::print_page& page) {
  std::map<long, std::vector<std::pair<double, double>>> down;
  for (const platform::print_op& op : page.ops)
    if (op.what == platform::print_op::kind::line && std::abs(op.x1 - op.x2) < 0.5)
      down[std::lround(op.x1)].push_back({std::min(op.y1, op.y2), std::max(op.y1, op.y2)});
  QStringList breaks;
  for (auto& [x, rules] : down) {
    std::vector<std::pair<double, double>> rows;
    for (const auto& rule : rules) {
      const bool spans_another = std::any_of(rules.begin(), rules.end(), [&](const auto& other) {
        return &other != &rule && rule.first <= other.first && other.second <= rule.second &&
               rule.second - rule.first > other.second - other.first;
      });
      if (!spans_another) rows.push_back(rule);
    }
    std::sort(rows.begin(), rows.end());
    for (std::size_t i = 1; i < rows.size(); ++i)
      if (std::abs(rows[i].first - rows[i - 1].second) > 1)
        breaks << QStringLiteral("page %1, x %2: a rule ends at y %3, the next starts at y %4")
                      .arg(page.number)
                      .arg(x)
                      .arg(rows[i - 1].second, 0, 'f', 0)
                      .arg(rows[i].first, 0, 'f', 0);
  }
  return breaks;
}

TEST_F(setup_print_test, the_column_rules_run_unbroken_from_row_to_row) {
  struct height_case {
    bool afrikaans;
    int row_height;  // of every other row, from row 1; 0: as laid out
    int pages;
  };
  platform::printer().set_metrics(nullptr);  // the fonts as they print
  for (const height_case& c : {height_case{false, 0, 2}, height_case{true, 0, 2}, height_case{false, 900, 4},
                               height_case{true, 900, 4}}) {
    SCOPED_TRACE(QStringLiteral("afrikaans %1, height %2").arg(c.afrikaans).arg(c.row_height).toStdString());
    g_language = c.afrikaans;
    lay_out_setup_grid(grid);
    setup_rows rows;
    apply_example_setup(rows, g_language);
    put_rows_in_setup_grid(grid, rows);
    if (c.row_height > 0)
      for (int r = 1; r <= 40; r += 2) grid.set_row_height(r, c.row_height);
    device->clear();
    dialogs.expect_message(printing_complete_message(c.pages)).icon(msg_icon::information);
    while_choosing([](kies_drukker& w) { click(&w, QStringLiteral("druk_ok")); },
                   [&] { print_setup_grid(grid); });
    dialogs.verify();
    ASSERT_EQ(device->documents().size(), 1u);
    for (const platform::print_page& page : device->last().pages) EXPECT_EQ(rule_breaks(page), QStringList());
    EXPECT_EQ(document_faults(device->last()), QStringList());
  }
}

TEST_F(setup_print_test, a_cancelled_choice_prints_nothing) {
  fill_grid();
  while_choosing([](kies_drukker& w) { click(&w, QStringLiteral("druk_stop")); },
                 [&] { print_setup_grid(grid); });
  EXPECT_TRUE(device->documents().empty());
  EXPECT_EQ(grid.rows(), 41);
}

}  // namespace
}  // namespace km::test
