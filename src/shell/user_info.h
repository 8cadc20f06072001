#pragma once
// user_info.txt: the data folder last accepted and the two list settings of
// the outcomes-based capture window, one value a line:
//   1. the data folder, as plain text (no quotes);
//   2. the effort-key list setting, 0 or 1;
//   3. the formative-evaluation list setting, 0 or 1.
// Line 1 is read as a whole line, so a folder whose name holds a comma
// comes back whole; quotes around it (written by other programs) are
// removed.

#include <QString>
#include <optional>

namespace km {

inline const QString user_info_file_name = QStringLiteral("user_info.txt");

// What could be read of the file; a value that could not be read (a short
// file, a line that is no number) is missing.
struct user_info_read {
  std::optional<QString> data_folder;
  std::optional<int> effort_key_list;
  std::optional<int> formative_list;
};

// Reads the file; nothing when it is missing or cannot be opened. Never
// throws a file error.
std::optional<user_info_read> read_user_info(const QString& win_path = user_info_file_name);

struct user_info_values {
  QString data_folder;
  int effort_key_list = 1;
  int formative_list = 1;
};

// Rewrites the file whole (the folder as it is, the two settings in Print #
// form, " 1 "). False, with the old file left as it was, when it cannot be
// written.
[[nodiscard]] bool write_user_info(const user_info_values& values,
                                   const QString& win_path = user_info_file_name);

}  // namespace km
