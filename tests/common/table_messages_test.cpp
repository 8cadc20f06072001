// What the teacher is told of a table the engine failed on, in both
// languages: a file that another computer holds open when it was to be
// replaced is named, with the news that nothing changed.
#include "common/table_messages.h"

#include <gtest/gtest.h>

#include <functional>

#include "common/shared_variables.h"
#include "platform/dbase/dbf_error.h"
#include "support/value_printing.h"

namespace {

using km::platform::dbf_error;
using km::platform::dbf_error_kind;

TEST(table_messages, each_failure_is_told_in_the_chosen_language) {
  struct message_case {
    const char* name;
    std::function<void()> fail;  // throws the engine's failure
    bool afrikaans;
    QString expected;
  };
  const auto held_memo = [] {
    throw km::platform::dbf_file_held_open(QStringLiteral("/srv/data/marks1.dbt"));
  };
  const auto held_table = [] {
    throw km::platform::dbf_file_held_open(QStringLiteral("/srv/data/Marks1.DBF"));
  };
  const auto busy = [] { throw dbf_error(dbf_error_kind::in_use, QStringLiteral("in use")); };
  const auto disk = [] {
    throw dbf_error(dbf_error_kind::disk_error, QStringLiteral("Cannot replace 'x': EIO"));
  };
  const message_case cases[] = {
      {"memo_held_open_english", held_memo, false,
       QStringLiteral(
           "FILE  'MARKS1.DBT'  IN  'C:\\DATA'  IS OPEN ON ANOTHER COMPUTER ... NOTHING WAS CHANGED !\r\n"
           "CLOSE IT THERE AND TRY AGAIN ...")},
      {"table_held_open_afrikaans", held_table, true,
       QStringLiteral(
           "L\u00CAER  'MARKS1.DBF'  IN  'C:\\DATA'  IS OOP OP 'N ANDER REKENAAR ... NIKS IS VERANDER "
           "NIE !\r\nMAAK DIT DAAR TOE EN PROBEER WEER ...")},
      {"in_use_english", busy, false,
       QStringLiteral("DATASET C:\\DATA\\marks1  ALREADY IN  USE ... TRY AGAIN LATER !")},
      {"in_use_afrikaans", busy, true,
       QStringLiteral("DATASTEL C:\\DATA\\marks1  REEDS IN GEBRUIK ... PROBEER WEER LATER !")},
      {"disk_error_in_the_engines_words", disk, false, QStringLiteral("Cannot replace 'x': EIO")},
  };
  for (const message_case& c : cases) {
    SCOPED_TRACE(c.name);
    km::g_language = c.afrikaans;
    try {
      c.fail();
    } catch (const dbf_error& e) {
      EXPECT_EQ(km::table_failure_message(QStringLiteral("C:\\data"), QStringLiteral("marks1"), e),
                c.expected);
    }
  }
}

}  // namespace
