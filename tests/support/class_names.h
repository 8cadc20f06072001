#pragma once
// Learner names as a South African class list holds them, "Surname Names":
// Afrikaans, English and Nguni names, double-barrelled surnames, accented
// letters, the longest near the 40 characters of a learner table's name
// field. For the reports' layout tests at the sizes of a small and a full
// class.

#include <QString>
#include <QStringList>
#include <array>

namespace km::test {

inline QStringList class_names(int count) {
  static const std::array<const char*, 8> surnames{"van der Westhuizen-Bezuidenhout",
                                                   "Pretorius",
                                                   "Khumalo",
                                                   "du Plessis",
                                                   "Naidoo",
                                                   "Engelbrecht",
                                                   "Mahlangu",
                                                   "le Roux"};
  static const std::array<const char*, 7> names{"Anél",   "Lêandri", "Sipho", "Rôné",
                                                "Kagiso", "Marié",   "Thabo"};
  QStringList list;
  for (int k = 0; k < count; ++k)
    list << QString::fromUtf8(surnames[std::size_t(k) % surnames.size()]) + u' ' +
                QString::fromUtf8(names[std::size_t(k) % names.size()]);
  return list;
}

}  // namespace km::test
