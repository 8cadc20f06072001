// The symbol-distribution window: the set-up found under every name the
// windows write, the symbols from pi2_dta.dbf or pi2_random.txt (or none),
// the counts and averages of the book, and the printed distribution.
#include "markbook/simbole_druk.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <cstring>

#include "book_print_fixture.h"
#include "platform/ui/printer/pdf_device.h"
#include "printing/poppler_tools.h"
#include "printing/print_messages.h"

namespace km::test {
namespace {

using platform::msg_icon;

// Learners with the marks of the first task row.
std::vector<book_record> with_marks(std::initializer_list<const char*> marks) {
  std::vector<book_record> records;
  int k = 0;
  for (const char* mark : marks) {
    ++k;
    records.push_back({QByteArray::number(1000 + k), "LEARNER " + QByteArray::number(k), {mark}});
  }
  return records;
}

class simbole_druk_test : public book_print_test {
 protected:
  simbole_druk* open() { return window = open_window<simbole_druk>(QStringLiteral("simbole_druk")); }
  void choose(int n) {
    grid_of(window, "vak_grid").set_row(n - 1);
    window->vak_grid_Click();
  }
  void write_symbol_table(const std::vector<std::array<const char*, 3>>& symbols) const {
    dbf_builder b;
    b.field("PI2_SIMBL", 'C', 2).field("PI2_GRNS_B", 'N', 6, 1).field("PI2_GRNS_O", 'N', 6, 1);
    for (const auto& s : symbols) b.record({s[0], s[2], s[1]});  // symbol, upper, lower
    b.write(native(QStringLiteral("pi2_dta.dbf")));
  }
  // The 10-byte records of pi2_random.txt: symbol, upper bound, lower bound.
  void write_symbol_records(const std::vector<std::tuple<const char*, float, float>>& symbols) {
    QByteArray bytes;
    for (const auto& [symbol, lower, upper] : symbols) {
      bytes += QByteArray(symbol).leftJustified(2, ' ');
      char single[4];
      std::memcpy(single, &upper, 4);
      bytes += QByteArray(single, 4);
      std::memcpy(single, &lower, 4);
      bytes += QByteArray(single, 4);
    }
    drives.write_native(QStringLiteral("C/DATA/pi2_random.txt"), bytes);
  }
  // The distribution's rows as "column 0 | column 1".
  QStringList shown_rows() const {
    QStringList rows;
    const platform::flex_grid& grid = window->report_grid();
    for (int r = 0; r < grid.rows(); ++r)
      rows << grid.text_matrix(r, 0) + QStringLiteral("|") + grid.text_matrix(r, 1);
    return rows;
  }
  simbole_druk* window = nullptr;
};

TEST_F(simbole_druk_test, counts_each_symbol_and_averages_from_either_symbol_file) {
  write_mark_book(native(marks_table_file(1)), with_marks({"80.0", "79.0", "79.5", "A", ""}));
  const QStringList expected{
      QStringLiteral("SYMBOL|M1"),   QStringLiteral("|100"), QStringLiteral("A (80-100)|1"),
      QStringLiteral("B (70-79)|1"), QStringLiteral("|"),    QStringLiteral("AVERAGE|79.5")};
  for (const bool from_records : {false, true}) {
    SCOPED_TRACE(from_records ? "pi2_random.txt" : "pi2_dta.dbf");
    QFile::remove(native(QStringLiteral("pi2_dta.dbf")));
    if (from_records) {
      write_symbol_records({{"A", 80.0f, 100.0f}, {"B", 70.0f, 79.0f}});
    } else {
      write_symbol_table({{{"A", "80", "100"}}, {{"  ", "0", "100"}}, {{"B", "70", "79"}}});
    }
    ASSERT_TRUE(open());
    write_setup(grid_of(window, "vak_grid"), 1, tasks({{1, "100"}}));
    choose(1);
    ASSERT_TRUE(window->build_distribution());
    EXPECT_EQ(shown_rows(), expected);
    EXPECT_EQ(window->smb_van(), (QStringList{QStringLiteral("80"), QStringLiteral("70")}));
    EXPECT_EQ(window->smb_tot(), (QStringList{QStringLiteral("100"), QStringLiteral("79")}));
    platform::unload_form(window);
  }
  // Reading the record file neither changed nor locked it.
  EXPECT_EQ(QFileInfo(native(QStringLiteral("pi2_random.txt"))).size(), 20);
}

TEST_F(simbole_druk_test, without_symbols_the_averages_still_show) {
  QFile::remove(native(QStringLiteral("pi2_dta.dbf")));
  write_mark_book(native(marks_table_file(1)), with_marks({"8.0", "6.0"}));
  ASSERT_TRUE(open());
  write_setup(grid_of(window, "vak_grid"), 1, tasks({{1, "10"}}));
  choose(1);
  ASSERT_TRUE(window->build_distribution());
  EXPECT_EQ(shown_rows(), (QStringList{QStringLiteral("SYMBOL|M1"), QStringLiteral("|10"),
                                       QStringLiteral("|"), QStringLiteral("AVERAGE|70.0")}));
  EXPECT_FALSE(QFileInfo::exists(native(QStringLiteral("pi2_random.txt"))));  // not created
}

TEST_F(simbole_druk_test, finds_the_set_up_under_the_name_without_blanks) {
  write_mark_book(native(marks_table_file(1)), with_marks({"8.0"}));
  ASSERT_TRUE(open());
  const QStringList cells = list_cells(grid_of(window, "vak_grid"), 1);
  // The key with the grade's blanks and the subject's, as "8AFRA" is to
  // grade "8  ", subject "AFR  " and class "A".
  QString key = cells[0] + cells[1] + class_part(cells);
  key.remove(QLatin1Char(' '));
  write_setup_file(platform::join_win_path(folder, setup_file_name(key)), tasks({{1, "10"}}));
  choose(1);
  ASSERT_TRUE(window->build_distribution());
  EXPECT_EQ(window->report_grid().text_matrix(0, 1), QStringLiteral("M1"));
  EXPECT_EQ(g_setup_row_count, 1);
}

TEST_F(simbole_druk_test, refusals_close_the_window_with_their_message) {
  ASSERT_TRUE(open());
  dialogs.expect_message(QStringLiteral("3 See 'MARK BOOK SETUP' to create mark book"))
      .icon(msg_icon::critical);
  choose(1);
  EXPECT_FALSE(platform::is_loaded(QStringLiteral("simbole_druk")));

  write_mark_book(native(marks_table_file(1)), with_marks({"8.0"}));
  ASSERT_TRUE(open());
  choose(1);
  dialogs.expect_message(QStringLiteral("1 No ranges available ... see 'MARK BOOK SETUP'"))
      .icon(msg_icon::critical);
  window->pboek_druk_print_Click();
  EXPECT_FALSE(platform::is_loaded(QStringLiteral("simbole_druk")));
  EXPECT_FALSE(platform::is_loaded(QStringLiteral("kies_drukker")));
}

TEST_F(simbole_druk_test, prints_the_distribution_with_its_legend) {
  g_language = true;
  write_mark_book(native(marks_table_file(1)), with_marks({"80.0", "75.0"}));
  write_symbol_table({{{"A", "80", "100"}}, {{"B", "70", "79"}}});
  ASSERT_TRUE(open());
  EXPECT_EQ(label_text(window, "vak_ops"), QStringLiteral("SIMBOOLVERSPREIDING DRUK"));
  write_setup(grid_of(window, "vak_grid"), 1, tasks({{1, "100"}, {2, "50"}}));
  choose(1);
  QTemporaryDir dir;
  const QString pdf = dir.filePath(QStringLiteral("symbols.pdf"));
  platform::printer().set_device(platform::pdf_device::to_file(pdf));
  dialogs.expect_message(printing_complete_message(1, pdf)).icon(msg_icon::information);
  while_choosing([](kies_drukker& w) { click(&w, QStringLiteral("druk_ok")); },
                 [&] { window->pboek_druk_print_Click(); });
  const QString text = pdf_page_text(pdf, 1).simplified();
  for (const char* shown :
       {"SIMBOOL", "A (80-100)", "B (70-79)", "GEMIDDELD", "77.5", "P1 TASK 1", "P2 TASK 2"})
    EXPECT_TRUE(text.contains(QString::fromLatin1(shown))) << shown << "\n" << text.toStdString();
  EXPECT_TRUE(text.contains(window->report_title().simplified())) << text.toStdString();
  EXPECT_EQ(g_excel_file_name, QStringLiteral("SIMBOLE ") + window->report_title());
  EXPECT_EQ(label_text(window, "vak_ops"), QString());
}

TEST_F(simbole_druk_test, without_a_symbol_table_the_print_says_once_where_it_is_looked_for) {
  const struct {
    bool afrikaans;
    const char16_t* message;
  } table[] = {
      {false,
       u"NO SYMBOL TABLE WAS FOUND IN THE DATA FOLDER C:\\DATA.\r\nThe symbols are read from pi2_dta.dbf, or "
       u"else "
       u"from pi2_random.txt, in that folder; without them only the averages are printed."},
      {true,
       u"GEEN SIMBOOLTABEL IS IN DIE DATAGIDS C:\\DATA GEVIND NIE.\r\nDie simbole word uit pi2_dta.dbf, of "
       u"anders "
       u"uit pi2_random.txt, in daardie gids gelees; daarsonder word slegs die gemiddeldes gedruk."},
  };
  QFile::remove(native(QStringLiteral("pi2_dta.dbf")));
  write_mark_book(native(marks_table_file(1)), with_marks({"8.0", "6.0"}));
  for (const auto& c : table) {
    SCOPED_TRACE(c.afrikaans);
    g_language = c.afrikaans;
    ASSERT_TRUE(open());
    write_setup(grid_of(window, "vak_grid"), 1, tasks({{1, "10"}, {2, "10"}}));
    choose(1);
    device->clear();
    // One message for the whole report, then the report with its averages.
    dialogs.expect_message(QString::fromUtf16(c.message)).icon(msg_icon::exclamation);
    dialogs.expect_message(printing_complete_message(1)).icon(msg_icon::information);
    while_choosing([](kies_drukker& w) { click(&w, QStringLiteral("druk_ok")); },
                   [&] { window->pboek_druk_print_Click(); });
    dialogs.verify();
    EXPECT_EQ(device->documents().size(), 1u);
    platform::unload_form(window);
  }
}

TEST_F(simbole_druk_test, the_sample_schools_symbols_are_counted_without_a_message) {
  write_mark_book(native(marks_table_file(1)), with_marks({"85.0", "55.0", "12.0"}));
  ASSERT_TRUE(open());
  write_setup(grid_of(window, "vak_grid"), 1, tasks({{1, "100"}}));
  choose(1);
  ASSERT_TRUE(window->build_distribution());
  const QStringList rows = shown_rows();
  for (const char* row : {"7 (80-100)|1", "4 (50-59.9)|1", "1 (0-29.9)|1", "6 (70-79.9)|"})
    EXPECT_TRUE(rows.contains(QString::fromLatin1(row))) << row << "\n" << rows.join(u'\n').toStdString();
  EXPECT_EQ(window->smb_van().size(), 7);
}

}  // namespace
}  // namespace km::test
