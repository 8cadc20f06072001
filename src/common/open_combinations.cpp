#include "common/open_combinations.h"

#include <QStringList>

#include "common/language_text.h"
#include "platform/name_case.h"
#include "platform/services.h"
#include "platform/win_path.h"

namespace km {

namespace {

QStringList& open_entries() {
  static QStringList entries;
  return entries;
}

const platform::reset_step nothing_open_at_reset{platform::reset_stage::values,
                                                 [] { open_entries().clear(); }};

QString entry_key(open_kind kind, const QString& data_folder, int n) {
  return QString::number(int(kind)) + QStringLiteral("|") +
         platform::fold_name_case(platform::full_win_path(platform::join_win_path(data_folder, QString()))) +
         QStringLiteral("|") + QString::number(n);
}

}  // namespace

void register_open(open_kind kind, const QString& data_folder, int n) {
  open_entries().append(entry_key(kind, data_folder, n));
}

void unregister_open(open_kind kind, const QString& data_folder, int n) {
  open_entries().removeOne(entry_key(kind, data_folder, n));
}

bool is_open(open_kind kind, const QString& data_folder, int n) {
  return open_entries().contains(entry_key(kind, data_folder, n));
}

QString combination_open_message() {
  return in_language(u"HIERDIE VAK IS REEDS OOP IN 'N ANDER VENSTER ... SLUIT DIT EERS !",
                     u"THIS SUBJECT IS ALREADY OPEN IN ANOTHER WINDOW ... CLOSE IT FIRST !");
}

}  // namespace km
