#pragma once
// What a data folder holds, as an independent reader sees it: one
// /usr/bin/python3 process (started once) reads each table with python3-dbf
// (its fields and live records, memo texts included) and every other file
// as the hash of its raw bytes. Backup copies in the folder's "save" folder
// count by their contents, not by their names: a step taken again after a
// crash may keep one copy more of the same table under a numbered name.
#include <QString>
#include <cstdio>

namespace km::crash {

class folder_snapshot_reader {
 public:
  folder_snapshot_reader();
  ~folder_snapshot_reader();
  folder_snapshot_reader(const folder_snapshot_reader&) = delete;
  folder_snapshot_reader& operator=(const folder_snapshot_reader&) = delete;

  // The folder's state as one line of text; two folders of the same state
  // give the same text. Empty when the reader is not running.
  QString snapshot(const QString& native_folder);

 private:
  int pid_ = -1;
  int to_reader_ = -1;
  int from_reader_ = -1;
  std::FILE* answers_ = nullptr;
};

}  // namespace km::crash
