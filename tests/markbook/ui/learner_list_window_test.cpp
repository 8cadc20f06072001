// Opening an empty mark book whose learner list has a row that cannot be
// read: the window says which row, in the chosen language, closes, and the
// book stays empty.
#include <QDir>

#include "common/combination_cells.h"
#include "common/text_routines.h"
#include "markbook/pboek_inlees.h"
#include "pboek_opstel_fixture.h"
#include "platform/dbase/dbf_table.h"
#include "support/dbf_builder.h"
#include "support/learner_workbook_writers.h"
#include "support/python_peer.h"

namespace km::test {
namespace {

using platform::msg_icon;

// Learners 1001 and 1002, then a number given by a formula in error.
const char* const k_list_with_an_error = R"(
wb = xlwt.Workbook()
ws = wb.add_sheet('L')
for r, (a, b) in enumerate([('NR', 'NAME'), (1001, 'Adams J'), (1002, 'Botha P')]):
    ws.write(r, 0, a)
    ws.write(r, 1, b)
results[(3, 0)] = ('error', 0x17)
ws.write(3, 0, formula('A3+1'))
ws.write(3, 1, 'Cele Z')
wb.save(sys.argv[1])
)";

class learner_list_window_test : public pboek_opstel_test {};

TEST_F(learner_list_window_test, a_row_that_cannot_be_read_is_named_and_the_book_stays_empty) {
  ASSERT_TRUE(python_module_available(QStringLiteral("xlwt")));
  const QString book = drives.native_drive('C') + QStringLiteral("/DATA/marks2.dbf");
  for (const bool afrikaans : {false, true}) {
    SCOPED_TRACE(afrikaans ? "Afrikaans" : "English");
    dbf_builder b;
    b.field("MB_T_NR", 'N', 8).field("MB_NAME", 'C', 40);
    for (int r = 1; r <= 40; ++r) b.field("MB_R" + QByteArray::number(r), 'C', 8);
    b.write(book);
    g_language = afrikaans;
    auto* capture = static_cast<pboek_inlees*>(platform::load_form(QStringLiteral("pboek_inlees")));
    ASSERT_TRUE(capture);
    capture->show();
    const platform::flex_grid& subjects =
        find_control_as<platform::flex_grid_view>(capture, QStringLiteral("vak_grid"))->grid();
    QStringList cells;
    for (int c = 0; c < subjects.cols(); ++c) cells << subjects.text_matrix(1, c);
    const QString name =
        trim_blanks(cells.value(1)) + QStringLiteral("_") + class_part(cells) + QStringLiteral(".xls");
    const auto w = run_python(formula_workbook_script(k_list_with_an_error),
                              {drives.native_drive('C') + QStringLiteral("/DATA/") + name});
    ASSERT_EQ(w.exit_code, 0) << w.err.toStdString();

    dialogs
        .expect_message(afrikaans ? QStringLiteral("LEERDERLYS C:\\DATA\\") + name +
                                        QStringLiteral(" RY 4 KAN NIE GELEES WORD NIE ...")
                                  : QStringLiteral("LEARNER LIST C:\\DATA\\") + name +
                                        QStringLiteral(" ROW 4 CANNOT BE READ ..."))
        .icon(msg_icon::critical);
    capture->open_mark_book(1);
    EXPECT_FALSE(platform::is_loaded(QStringLiteral("pboek_inlees")));
    platform::dbf_table table(book, platform::dbf_table::access::read_only);
    EXPECT_EQ(table.record_count(), 0u);
    QFile::remove(drives.native_drive('C') + QStringLiteral("/DATA/") + name);
  }
}

}  // namespace
}  // namespace km::test
