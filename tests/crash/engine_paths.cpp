// The dBase engine's own writes on a table with a memo file: the rewrite
// of the table with its memo, an append, a reorder and a pack.
#include "crash_fixtures.h"
#include "platform/dbase/dbf_error.h"
#include "platform/dbase/dbf_rewrite.h"
#include "platform/dbase/dbf_table.h"

namespace km::crash {

namespace {

using platform::dbf_table;

QString table_path() { return native_in_data("notes.dbf"); }

void write_table() {
  test::dbf_builder b;
  b.field("NR", 'N', 6).field("NAME", 'C', 20).field("NOTE", 'M', 10);
  b.record({"3", "CID", "third note"});
  b.record({"1", "ANN", "first note, a longer one to fill a block of the memo file"}, true);
  b.record({"2", "BEN", ""});
  b.record({"4", "DEE", "fourth"});
  b.write(table_path());
}

void passing_over_engine_errors(const std::function<void()>& f) {
  try {
    f();
  } catch (const platform::dbf_error&) {
  }
}

void open_engine_table() {
  passing_over_engine_errors([] { dbf_table t(table_path(), dbf_table::access::read_only); });
}

void rewrite_with_memo() {
  passing_over_engine_errors([] {
    platform::rebuild_dbf_table(table_path(), table_path(),
                                {{platform::Value(5.0), platform::Value(QStringLiteral("EVE")),
                                  platform::Value(QStringLiteral("a new note"))}});
  });
}

void append_one() {
  passing_over_engine_errors([] {
    dbf_table t(table_path(), dbf_table::access::read_write);
    QByteArray record = t.blank_record();
    record.replace(1, 6, "     6");
    record.replace(7, 3, "FAY");
    const QByteArray memo = t.store_memo(2, QStringLiteral("appended note"));
    record.replace(27, memo.size(), memo);
    static_cast<void>(t.append(record));
  });
}

void reorder() {
  passing_over_engine_errors([] { platform::reorder_dbf_records(table_path(), {3, 2, 0}); });
}

void pack() {
  passing_over_engine_errors([] { platform::pack_dbf_table(table_path()); });
}

}  // namespace

std::vector<crash_path> engine_paths() {
  return {
      {"table_with_memo_rewrite", write_table, rewrite_with_memo, open_engine_table},
      {"table_append", write_table, append_one, open_engine_table},
      {"table_reorder", write_table, reorder, open_engine_table},
      {"table_pack", write_table, pack, open_engine_table, false},
  };
}

}  // namespace km::crash
