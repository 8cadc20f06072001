#pragma once
// The rebuilds driven by a file's record count: PPLADD cut down to one
// record per key, PI4VH to its first 50 records.

#include <QString>
#include <vector>

namespace km {

// The record numbers (from 1) to keep of records with these keys: a key
// greater than 0 that was not kept before; the first record of a key wins.
std::vector<qint64> ppl_add_records_to_keep(const std::vector<float>& keys);

// Keeps a checked copy of Ppl_add_random.txt in the save folder and puts a
// file of the records to keep in its place; shows the new count. The file
// stays as it was until the new one is whole. The PPLADD number is left
// closed (data_file_services hook of the same name).
void upgrade_ppl_add(const QString& folder);

// Keeps a checked copy of pi4_vh_random.txt in the save folder, then puts
// its first 50 records in its place (data_file_services hook of the same
// name).
void upgrade_pi4_vh(const QString& folder);

}  // namespace km
