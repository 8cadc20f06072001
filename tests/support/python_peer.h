#pragma once
// The independent readers of the tests run as Debian's /usr/bin/python3
// with its modules (python3-dbf for tables, python3-openpyxl for workbooks).

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace km::test {

struct python_result {
  int exit_code = -1;
  QByteArray out;
  QByteArray err;
};
// Runs /usr/bin/python3 -c script with the arguments (sys.argv[1:]) and
// waits for it (30 s at most).
python_result run_python(const QString& script, const QStringList& args = {});

// True when /usr/bin/python3 can import the module (asked once per name).
bool python_module_available(const QString& module);

}  // namespace km::test
