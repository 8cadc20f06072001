#pragma once
// The fixture of the conversion tests: a temporary C: with C:\DATA, the
// scripted dialogs (a prompt nobody expected fails the test), the year set
// per case, and the data-files services installed as the program installs
// them. Source tables are written by python3-dbf, the independent writer;
// records are checked byte for byte.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QHash>
#include <QJsonArray>
#include <QJsonValue>
#include <QList>
#include <QString>
#include <cstdint>
#include <vector>

#include "common/data_file_services.h"
#include "common/shared_variables.h"
#include "datafiles/datafile_services.h"
#include "support/dbf_builder.h"
#include "support/hex_dump.h"
#include "support/scripted_dialogs.h"
#include "support/temp_drives.h"

namespace km::test {

// A date cell of a python3-dbf row.
QJsonValue date_cell(int year, int month, int day);

// "BASE1 C(3); BASE2 C(3); ..." for elements first..last of a field pattern
// holding %1 for the element number ("PH_STD_%1 C(3)").
QString repeated(const QString& pattern, int first, int last);

// A row of a table declared by fields (as write_table takes them): the
// named cells (names in any case), Null in every other field.
QJsonArray row_of(const QString& fields, const QHash<QString, QJsonValue>& cells);

// The bytes of one value as a record field holds it.
QByteArray single_bytes(float v);
QByteArray int16_bytes(std::int16_t v);
QByteArray date_bytes(double days);
// The fields of the learner history table and of the hostel table (with
// its memo), as write_table takes them.
extern const QString history_fields;
extern const QString hostel_fields;
// n blanks.
QByteArray blanks(int n);
QByteArray zeros(int n);

class conversion_test : public clean_state_test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Writes C:\DATA\<name> (and its .dbt when it has memo fields) with
  // python3-dbf: fields as python3-dbf declares them ("NR N(6,0); NAME
  // C(20); BORN D; OK L; NOTE M"), rows of JSON cells (null, numbers, texts,
  // true/false, date_cell). The rows at the positions in deleted are marked
  // deleted.
  void write_table(const QString& name, const QString& fields, const std::vector<QJsonArray>& rows,
                   const QList<int>& deleted = {});
  // Writes C:\DATA\<name> with the raw builder (edge tables).
  void write_raw_table(const QString& name, const dbf_builder& builder);
  // Writes C:\DATA\<relative> as it is.
  void put(const QString& relative, const QByteArray& bytes);

  // The bytes of C:\DATA\<name>, or of C:\DATA\save\<name> ("" when missing).
  QByteArray data_file(const QString& name) const;
  QByteArray saved_file(const QString& name) const;
  bool in_data(const QString& name) const;
  bool in_save(const QString& name) const;

  // Closes a record file the opening left open and deletes it, so that
  // the next request builds it again.
  void discard(std::int16_t& number, const QString& record_file);

  // Requests a code for C:\DATA.
  static void open(const QString& code);
  // Record k (from 1) of a file's bytes.
  static QByteArray record(const QByteArray& file, int k, int length);
  // Bytes from..to (both included) of a record.
  static QByteArray at(const QByteArray& record, int from, int to);

  temp_drives drives;
  scripted_dialogs dialogs;
  datafile_services services;
};

}  // namespace km::test
