#pragma once
// Poppler's pdfinfo and pdftotext as independent readers of the PDF files
// the printing tests write.

#include <gtest/gtest.h>

#include <QProcess>
#include <QString>
#include <QStringList>

namespace km::test {

// The standard output of the tool; a test failure and "" when it failed.
inline QString run_tool(const QString& program, const QStringList& arguments) {
  QProcess tool;
  tool.start(program, arguments);
  if (!tool.waitForFinished(30000) || tool.exitCode() != 0) {
    ADD_FAILURE() << program.toStdString() << " failed: " << tool.readAllStandardError().toStdString();
    return {};
  }
  return QString::fromUtf8(tool.readAllStandardOutput());
}

// The text of one page (from 1) laid out as printed.
inline QString pdf_page_text(const QString& pdf, int page) {
  return run_tool(QStringLiteral("pdftotext"),
                  {QStringLiteral("-layout"), QStringLiteral("-f"), QString::number(page),
                   QStringLiteral("-l"), QString::number(page), pdf, QStringLiteral("-")});
}

}  // namespace km::test
