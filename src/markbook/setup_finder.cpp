#include "markbook/setup_finder.h"

#include "common/text_routines.h"
#include "platform/file_system.h"
#include "platform/win_path.h"

namespace km {

namespace {

QString cell(const QStringList& cells, int index) { return index < cells.size() ? cells[index] : QString(); }

QString without(QString text, QChar c) { return text.remove(c); }

void add_once(QStringList& keys, const QString& key) {
  if (!keys.contains(key)) keys.append(key);
}

// The set-up window's key: the grade trimmed, the subject cell with its
// blanks as "_", the class.
QString setup_window_key(const QStringList& subject_cells) {
  const QString subject = QString(cell(subject_cells, 1)).replace(QLatin1Char(' '), QLatin1Char('_'));
  return QString(trim_blanks(cell(subject_cells, 0)) + subject + class_part(subject_cells))
      .replace(QLatin1Char('/'), QLatin1Char('_'));
}

}  // namespace

QStringList setup_candidate_keys(const QStringList& subject_cells) {
  const QString subject = QString(cell(subject_cells, 1)).replace(QLatin1Char(' '), QLatin1Char('_'));
  const QString grade = cell(subject_cells, 0);
  const QString klass = class_part(subject_cells);
  const QString trimmed_grade = setup_window_key(subject_cells);
  // The capture window's key: the three joined first, then trimmed.
  const QString joined = trim_blanks(grade + subject + klass).replace(QLatin1Char('/'), QLatin1Char('_'));
  const QChar under = QLatin1Char('_');
  QStringList keys;
  add_once(keys, trimmed_grade);
  add_once(keys, without(trimmed_grade, under));
  add_once(keys, joined);
  add_once(keys, without(joined, under));
  add_once(keys, without(without(joined, under), QLatin1Char(' ')));
  return keys;
}

QString setup_file_name(const QString& key) {
  return QStringLiteral("setup_") + key + QStringLiteral(".txt");
}

setup_file_found find_setup_file(const QString& data_folder, const QStringList& subject_cells) {
  const QStringList keys = setup_candidate_keys(subject_cells);
  for (const QString& key : keys) {
    const QString path = platform::join_win_path(data_folder, setup_file_name(key));
    if (platform::file_exists(path)) return {key, path, true};
  }
  // A new set-up goes under the set-up window's key without "_".
  const QString key = without(setup_window_key(subject_cells), QLatin1Char('_'));
  return {key, platform::join_win_path(data_folder, setup_file_name(key)), false};
}

}  // namespace km
