#pragma once
// One 44-byte record of a folder's export-control file (the subject
// combinations), put together byte by byte: grade, subject, total, the
// three class texts, a number, a code, a date and eight spare bytes.
#include <QByteArray>
#include <QString>
#include <cstdint>

#include "platform/cp1252.h"

namespace km::test {

struct export_control_record {
  QString grade = QStringLiteral("10 ");
  QString subject = QStringLiteral("WISK ");
  float total = 62.5f;
  QString cls = QStringLiteral("A  ");
  QString second_class = QStringLiteral("B  ");
  QString class_when_blank = QStringLiteral("C  ");
  std::int16_t number = 7;
  QString code = QStringLiteral("CODE1");
  double date = 42811.0;  // 2017-03-17
  QByteArray spare = QByteArray(8, 'z');

  QByteArray bytes() const {
    const auto text = [](const QString& t, int width) {
      QByteArray b = platform::encode_cp1252(t).left(width);
      return b + QByteArray(width - b.size(), ' ');
    };
    const auto raw = [](const auto& v) { return QByteArray(reinterpret_cast<const char*>(&v), sizeof v); };
    return text(grade, 3) + text(subject, 5) + raw(total) + text(cls, 3) + text(second_class, 3) +
           text(class_when_blank, 3) + raw(number) + text(code, 5) + raw(date) + spare;
  }
};

}  // namespace km::test
