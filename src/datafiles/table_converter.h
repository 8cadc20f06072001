#pragma once
// The one converter of older dBase tables into record files. It carries out
// a conversion as its declaration (conversion_table.h) says:
//  1. closes whatever the code's file-number variable holds; where declared,
//     a record file already in the folder is taken out (an empty one
//     deleted, one that holds anything moved into \save);
//  2. refreshes the data control. A table that is not there ends the
//     conversion here and no record file is made. A table that is there but
//     cannot be read (damaged, its memo file gone, in use by another
//     program) is told to the teacher, no record file is made and
//     record_file_not_ready is thrown, so that the next opening tries again;
//  3. writes the records into a temporary file of the folder, each from a
//     record cleared to zero bytes, filled field by field (the records go
//     to the file in blocks), then closes and syncs it;
//  4. creates the declared layout marker when it is missing, so the record
//     file written in the current layout is never upgraded again;
//  5. puts the temporary file in place under the record file's name (a
//     file there that holds anything is first kept in \save), also after a
//     row failure ended the conversion, with the rows written before it;
//  6. closes the table's database and clears its record source as declared;
//  7. only when every row was converted: retires the source into \save,
//     each copy checked before any source goes; a failure there leaves the
//     source in place and never reaches the caller.
// A write that fails in steps 3 to 5 (a full disk, a folder that cannot be
// written) is no row failure: the temporary file and a marker this run made
// are removed, the source stays, the teacher is told the reason and the
// file, and record_file_not_ready is thrown. A row failure that ends the
// conversion is thrown on after step 6. No conversion shows any other
// message, except the first-row reports of a conversion declared with
// row_errors::report_first_row.

#include <QString>

#include "datafiles/conversion_table.h"

namespace km::platform {
class data_control;
}

namespace km {

void convert_table(const conversion& declared, const QString& folder, platform::data_control& data1);

// Finishes a conversion that was stopped after its record file took its
// name but before its source was retired (the program killed, the machine
// stopped): when the record file and the table are both in the folder, the
// declared marker is there and the record file holds exactly the bytes the
// conversion of the table gives (converted again into the temporary file,
// which then goes), the source is retired as convert_table retires it. A
// record file of other bytes, a table that is retired otherwise or cannot
// be read, and a failed write leave everything as it was.
void finish_conversion(const conversion& declared, const QString& folder, platform::data_control& data1);

// The name of the temporary file the conversion of a code writes.
QString conversion_temporary_name(const conversion& declared);

}  // namespace km
