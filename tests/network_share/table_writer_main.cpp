// A second process of this program's table engine, for the tests of a data
// folder on a network share: opens the table at the native path argv[1] for
// writing and prints "open", or "in use" / "failed: <reason>" when it cannot;
// an open table stays open until a line (or the end) comes on its standard
// input.
#include <QCoreApplication>
#include <cstdio>
#include <iostream>
#include <string>

#include "platform/dbase/dbf_error.h"
#include "platform/dbase/dbf_table.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc != 2) return 2;
  using km::platform::dbf_table;
  try {
    const dbf_table table(QString::fromLocal8Bit(argv[1]), dbf_table::access::read_write);
    std::cout << "open" << std::endl;
    std::string line;
    std::getline(std::cin, line);
    return 0;
  } catch (const km::platform::dbf_error& e) {
    if (e.kind() == km::platform::dbf_error_kind::in_use)
      std::cout << "in use" << std::endl;
    else
      std::cout << "failed: " << e.text().toStdString() << std::endl;
    return 1;
  }
}
