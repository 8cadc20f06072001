// The old binary workbook (.xls) read by its own reader: every kind of
// cell record, formulas with the results stored with them, shared strings
// that run on into CONTINUE records, and damaged files, which are refused
// without reading past the file.
#include <gtest/gtest.h>

#include <functional>
#include <limits>

#include "platform/learner_workbook.h"
#include "support/learner_workbook_writers.h"
#include "support/python_peer.h"
#include "support/temp_drives.h"
#include "support/xls_fixture.h"

namespace km::platform {
namespace {

namespace x = test::xls;

QString describe(const Value& v) {
  switch (v.kind()) {
    case Value::type::empty:
      return QStringLiteral("empty");
    case Value::type::null:
      return QStringLiteral("unreadable");
    case Value::type::dbl:
      return QStringLiteral("number ") + v.to_text();
    case Value::type::boolean:
      return QStringLiteral("bool ") + v.to_text();
    case Value::type::text:
      return QStringLiteral("text '") + v.to_text() + QStringLiteral("'");
    default:
      return QStringLiteral("other ") + v.to_text();
  }
}

class learner_workbook_xls_test : public test::temp_drives_test {
 protected:
  std::optional<std::vector<learner_cells>> read(const QByteArray& file) {
    drives.write_native(QStringLiteral("C/AFR_A.xls"), file);
    return read_learner_workbook(QStringLiteral("C:\\AFR_A.xls"));
  }
};

// Column E cells, which the reader passes over, that push the stream past
// the mini stream's cut-off into sectors of its own.
QByteArray filler() {
  QByteArray cells;
  for (quint16 r = 0; r < 300; ++r) cells += x::number(r, 4, r);
  return cells;
}

const QByteArray k_shared =
    x::record(0x00FC, x::sst_counts(2) + x::unicode_string(QStringLiteral("NAME"), false) +
                          x::unicode_string(QStringLiteral("Adams"), false));

struct cell_case {
  const char* what;
  QByteArray globals;  // records
  QByteArray cells;    // of row 2 (index 1)
  const char* a;
  const char* b;
};

const cell_case k_cells[] = {
    {"numbers", {}, x::number(1, 0, 1001) + x::number(1, 1, -2.5), "number 1001", "number -2.5"},
    {"RK integer and hundredths",
     {},
     x::rk(1, 0, (1002u << 2) | 2) + x::rk(1, 1, (12345u << 2) | 3),
     "number 1002",
     "number 123.45"},
    {"RK double", {}, x::rk(1, 0, 0x3FF80000u), "number 1.5", "empty"},
    {"MULRK",
     {},
     x::mulrk(1, 0, {(1003u << 2) | 2, (7u << 2) | 2, (9u << 2) | 2}),
     "number 1003",
     "number 7"},
    {"shared string", k_shared, x::number(1, 0, 1) + x::labelsst(1, 1, 1), "number 1", "text 'Adams'"},
    {"shared string missing", k_shared, x::labelsst(1, 0, 2), "unreadable", "empty"},
    {"label",
     {},
     x::label(1, 0, QStringLiteral("1004")) + x::label(1, 1, QStringLiteral("Möller")),
     "text '1004'",
     "text 'Möller'"},
    {"Boolean and error",
     {},
     x::boolerr(1, 0, 1, false) + x::boolerr(1, 1, 0x07, true),
     "bool True",
     "unreadable"},
    {"formula number", {}, x::formula(1, 0, x::number_result(1005)), "number 1005", "empty"},
    {"formula text",
     {},
     x::formula(1, 1, x::special_result(0, 0)) + x::string_record(QStringLiteral("Cele Z")),
     "empty",
     "text 'Cele Z'"},
    {"formula text after a shared formula",
     {},
     x::formula(1, 1, x::special_result(0, 0)) + x::record(0x04BC, QByteArray(10, '\0')) +
         x::string_record(QStringLiteral("Dube Q")),
     "empty",
     "text 'Dube Q'"},
    {"formula text lost",
     {},
     x::formula(1, 1, x::special_result(0, 0)) + x::number(1, 0, 5),
     "number 5",
     "unreadable"},
    {"formula text lost at the end",
     {},
     x::number(1, 0, 5) + x::formula(1, 1, x::special_result(0, 0)),
     "number 5",
     "unreadable"},
    {"formula Boolean, empty text",
     {},
     x::formula(1, 0, x::special_result(1, 1)) + x::formula(1, 1, x::special_result(3, 0)),
     "bool True",
     "text ''"},
    {"formula error", {}, x::formula(1, 0, x::special_result(2, 0x17)), "unreadable", "empty"},
    {"number that is no number",
     {},
     x::number(1, 0, std::numeric_limits<double>::quiet_NaN()),
     "unreadable",
     "empty"},
    // "NAME" whole; "Abrahams" breaks after "Abra" and goes on two bytes a
    // character behind a new option byte; "Dube" starts the CONTINUE.
    {"shared strings across CONTINUE",
     x::record(0x00FC, x::sst_counts(3) + x::unicode_string(QStringLiteral("NAME"), false) + x::le16(8) +
                           QByteArray(1, '\0') + QByteArray("Abra")) +
         x::record(0x003C, QByteArray(1, '\x01') + QByteArray("h\0a\0m\0s\0", 8) +
                               x::unicode_string(QStringLiteral("Dube"), false)),
     x::labelsst(1, 0, 2) + x::labelsst(1, 1, 1), "text 'Dube'", "text 'Abrahams'"},
};

TEST_F(learner_workbook_xls_test, reads_every_kind_of_cell) {
  for (const cell_case& c : k_cells) {
    for (const bool large : {false, true}) {
      SCOPED_TRACE(std::string(c.what) + (large ? " (own sectors)" : " (mini stream)"));
      const x::compound_file file = x::compound(x::workbook_stream(
          c.globals, x::label(0, 1, QStringLiteral("NAME")) + c.cells + (large ? filler() : QByteArray())));
      ASSERT_EQ(file.in_mini_stream, !large);
      const auto rows = read(file.bytes);
      ASSERT_TRUE(rows.has_value());
      ASSERT_GE(rows->size(), 1u);
      EXPECT_EQ(describe((*rows)[0].a), QString::fromUtf8(c.a));
      EXPECT_EQ(describe((*rows)[0].b), QString::fromUtf8(c.b));
    }
  }
}

// Excel 5 and 95 keep BIFF5 records in a stream named "Book", with texts
// in the code page (Windows-1252).
TEST_F(learner_workbook_xls_test, reads_an_excel_95_workbook) {
  const QByteArray cells = x::label8(0, 1, "NAME") + x::number(1, 0, 1001) +
                           x::label8(1, 1, "M\xF6ller \x80") + x::rk(2, 0, (1002u << 2) | 2) +
                           x::formula(2, 1, x::special_result(0, 0)) + x::string8_record("Cele Z");
  for (const bool large : {false, true}) {
    SCOPED_TRACE(large ? "own sectors" : "mini stream");
    const auto rows =
        read(x::compound(x::workbook_stream({}, cells + (large ? filler() : QByteArray()), 0x0500),
                         QStringLiteral("Book"))
                 .bytes);
    ASSERT_TRUE(rows.has_value());
    ASSERT_EQ(rows->size(), 2u);
    EXPECT_EQ(describe((*rows)[0].a), QStringLiteral("number 1001"));
    EXPECT_EQ(describe((*rows)[0].b), QStringLiteral("text 'M\u00F6ller \u20AC'"));
    EXPECT_EQ(describe((*rows)[1].a), QStringLiteral("number 1002"));
    EXPECT_EQ(describe((*rows)[1].b), QStringLiteral("text 'Cele Z'"));
  }
}

TEST_F(learner_workbook_xls_test, missing_rows_read_empty_up_to_the_last_row_with_a_value) {
  const auto rows =
      read(x::compound(x::workbook_stream({}, x::number(1, 0, 1) + x::number(4, 1, 2) + x::number(9, 2, 3)))
               .bytes);
  ASSERT_TRUE(rows.has_value());
  ASSERT_EQ(rows->size(), 4u);  // rows 2 to 5; column C is not read
  EXPECT_EQ(describe((*rows)[1].a), QStringLiteral("empty"));
  EXPECT_EQ(describe((*rows)[3].b), QStringLiteral("number 2"));
}

TEST_F(learner_workbook_xls_test, formulas_give_the_results_stored_with_them) {
  ASSERT_TRUE(test::python_module_available(QStringLiteral("xlwt"))) << "install python3-xlwt";
  const auto r = test::run_python(test::formula_workbook_script(test::formula_list_of_31),
                                  {c(QStringLiteral("AFR_A.xls"))});
  ASSERT_EQ(r.exit_code, 0) << r.err.toStdString();
  const auto rows = read_learner_workbook(QStringLiteral("C:\\AFR_A.xls"));
  ASSERT_TRUE(rows.has_value());
  ASSERT_EQ(rows->size(), 31u);
  for (int i = 0; i < 31; ++i) {
    EXPECT_EQ(describe((*rows)[i].a), QStringLiteral("number %1").arg(1001 + i)) << i;
    EXPECT_EQ(describe((*rows)[i].b), QStringLiteral("text 'Learner %1'").arg(i + 1)) << i;
  }
}

// A list of 100 learners with long names: the shared strings run over
// several CONTINUE records (the writer splits strings across them).
TEST_F(learner_workbook_xls_test, a_long_list_of_shared_strings_reads_whole) {
  ASSERT_TRUE(test::python_module_available(QStringLiteral("xlwt"))) << "install python3-xlwt";
  const char* const script = R"(
import sys, xlwt
wb = xlwt.Workbook()
ws = wb.add_sheet('L')
for r in range(1, 1001):
    ws.write(r, 0, r)
    ws.write(r, 1, ('Leerder %04d ' % r) * 9 + ('\u0150' if r % 3 == 0 else 'e'))
wb.save(sys.argv[1])
)";
  const auto r = test::run_python(QString::fromLatin1(script), {c(QStringLiteral("AFR_A.xls"))});
  ASSERT_EQ(r.exit_code, 0) << r.err.toStdString();
  const auto rows = read_learner_workbook(QStringLiteral("C:\\AFR_A.xls"));
  ASSERT_TRUE(rows.has_value());
  ASSERT_EQ(rows->size(), 1000u);
  for (int i = 0; i < 1000; ++i) {
    const int n = i + 1;
    const QString name = QStringLiteral("Leerder %1 ").arg(n, 4, 10, QLatin1Char('0')).repeated(9) +
                         (n % 3 == 0 ? QStringLiteral("\u0150") : QStringLiteral("e"));
    ASSERT_EQ((*rows)[i].b.to_text(), name) << n;
  }
}

struct damage_case {
  const char* what;
  bool large;  // the stream in sectors of its own, not the mini stream
  std::function<void(x::compound_file&)> damage;
};

const damage_case k_damage[] = {
    {"cut in half", true, [](x::compound_file& f) { f.bytes.truncate(f.bytes.size() / 2); }},
    {"cut inside the header", false, [](x::compound_file& f) { f.bytes.truncate(300); }},
    {"byte order mark", false, [](x::compound_file& f) { f.put32(0x1C, 0x1234); }},
    {"sector size", false, [](x::compound_file& f) { f.bytes[0x1E] = 30; }},
    {"chain loops", true,
     [](x::compound_file& f) { f.put32(f.fat_entry_offset(f.first_stream_sector), f.first_stream_sector); }},
    {"chain leaves the file", true,
     [](x::compound_file& f) { f.put32(f.fat_entry_offset(f.first_stream_sector), 0x00100000); }},
    {"chain ends early", true,
     [](x::compound_file& f) { f.put32(f.fat_entry_offset(f.first_stream_sector), 0xFFFFFFFE); }},
    {"stream starts beyond the file", true,
     [](x::compound_file& f) { f.put32(f.entry_offset(1) + 0x74, 0x7FFFFFF0); }},
    {"stream of 4 GB", true, [](x::compound_file& f) { f.put32(f.entry_offset(1) + 0x78, 0xFFFFFF00); }},
    {"table of 4 billion sectors", false, [](x::compound_file& f) { f.put32(0x2C, 0xFFFFFFFF); }},
    {"table sector beyond the file", false, [](x::compound_file& f) { f.put32(0x4C, 0x00FFFFFF); }},
    {"directory beyond the file", false, [](x::compound_file& f) { f.put32(0x30, 0x7FFFFFF0); }},
    {"directory chain loops", false,
     [](x::compound_file& f) { f.put32(f.fat_entry_offset(f.directory_sector), f.directory_sector); }},
    {"directory tree loops", false, [](x::compound_file& f) { f.put32(f.entry_offset(0) + 0x4C, 0); }},
    {"no workbook stream", false, [](x::compound_file& f) { f.bytes[f.entry_offset(1)] = 'X'; }},
    {"mini chain loops", false,
     [](x::compound_file& f) { f.put32(x::compound_file::sector_offset(f.directory_sector + 1), 0); }},
    {"mini stream of 4 GB", false,
     [](x::compound_file& f) { f.put32(f.entry_offset(0) + 0x78, 0xFFFFFF00); }},
};

TEST_F(learner_workbook_xls_test, a_damaged_compound_file_is_refused) {
  for (const damage_case& c : k_damage) {
    SCOPED_TRACE(c.what);
    x::compound_file file =
        x::compound(x::workbook_stream({}, x::number(1, 0, 1001) + x::label(1, 1, QStringLiteral("Adams")) +
                                               (c.large ? filler() : QByteArray())));
    ASSERT_EQ(file.in_mini_stream, !c.large);
    ASSERT_TRUE(read(file.bytes).has_value());  // whole, it reads
    c.damage(file);
    EXPECT_FALSE(read(file.bytes).has_value());
  }
}

TEST_F(learner_workbook_xls_test, a_damaged_workbook_stream_is_refused) {
  const QByteArray cells = x::number(1, 0, 1001) + x::number(2, 0, 1002);
  const QByteArray good = x::workbook_stream({}, cells);
  const qsizetype sheet_at = good.lastIndexOf(QByteArray::fromHex("09081000"));  // the sheet's BOF
  const std::pair<const char*, QByteArray> cases[] = {
      {"first record is no BOF", QByteArray("\x01\x02\x00\x00", 4) + good},
      {"cut inside the sheet", good.left(good.size() - 10)},
      {"a record longer than the stream", good.left(good.size() - 4) + x::le16(0x0203) + x::le16(0xFFF0)},
      {"globals without their EOF", good.left(sheet_at - 4)},
      {"sheet offset beyond the stream",
       QByteArray(good).replace(good.indexOf(QByteArray::fromHex("85000900")) + 4, 4, x::le32(0x7FFFFFF0))},
      {"encrypted", x::workbook_stream(x::record(0x002F, QByteArray(6, '\0')), cells)},
      {"no worksheet",
       QByteArray(good).replace(good.indexOf(QByteArray::fromHex("85000900")) + 9, 1, QByteArray(1, '\x02'))},
  };
  ASSERT_TRUE(read(x::compound(good).bytes).has_value());
  for (const auto& [what, stream] : cases) {
    SCOPED_TRACE(what);
    EXPECT_FALSE(read(x::compound(stream).bytes).has_value());
  }
}

}  // namespace
}  // namespace km::platform
