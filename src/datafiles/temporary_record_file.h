#pragma once
// A record file is written under a temporary name in its own folder and
// takes its real name only when the writing is over. A break part way (a
// crash, a full disk) then leaves no half-written record file: the opening
// finds the file missing, or as it was, and builds it again.
//
// The temporary name is the record file's name with ".tmp" in place of its
// extension (pi4_su_random.tmp). It neither ends in "_random.txt" nor
// begins with "su_", so no build takes it for a record file or a source.

#include <QString>
#include <cstdint>
#include <functional>

namespace km {

QString temporary_name_of(const QString& record_file_name);

// What the temporary file holds when the writing starts.
enum class start_from {
  nothing,          // an empty file
  present_records,  // a copy of the records the record file holds now
};

// Closes whatever `number` holds, removes a temporary file that an earlier
// run left behind, takes a record-pool number into `number` and opens the
// temporary file under it for records of record_length bytes. Then runs
// write_records, closes the number and puts the temporary file in place
// under folder\file_name. When write_records fails part way (a source that
// ends early, a value that does not convert), the records it wrote are put
// in place all the same and its failure is passed on. When the temporary
// file cannot be made or written (a full disk, a folder that cannot be
// written), or the file cannot be put in place, the record file stays as it
// was, the temporary file is removed, the teacher is told the reason and the
// file, and record_file_not_ready is thrown (unless write_records failed
// first in another way: its failure wins).
void write_record_file(const QString& folder, const QString& file_name, std::int16_t& number,
                       int record_length, start_from start, const std::function<void()>& write_records);

}  // namespace km
