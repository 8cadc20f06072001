#pragma once
// The one converter of older dBase tables into record files. It carries out
// a conversion as its declaration (conversion_table.h) says:
//  1. closes whatever the code's file-number variable holds; where declared,
//     a record file already in the folder is taken out (an empty one
//     deleted, one that holds anything moved into \save);
//  2. refreshes the data control; a table that cannot be opened ends the
//     conversion here and no record file is made;
//  3. writes the records into a temporary file of the folder, each from a
//     record cleared to zero bytes, filled field by field (the records go
//     to the file in blocks);
//  4. closes the file and puts it in place under the record file's name (a
//     file there that holds anything is first kept in \save), also after a
//     row failure ended the conversion, with the rows written before it;
//  5. closes the table's database and clears its record source as declared;
//  6. only when every row was converted: retires the source into \save,
//     each copy checked before any source goes; a failure there leaves the
//     source in place and never reaches the caller;
//  7. creates the declared layout marker when it is missing, so the record
//     file written in the current layout is never upgraded again.
// A row failure that ends the conversion is thrown on after steps 4 and 5
// (and 7). No conversion shows a message, except the first-row reports of a
// conversion declared with row_errors::report_first_row.

#include <QString>

#include "datafiles/conversion_table.h"

namespace km::platform {
class data_control;
}

namespace km {

void convert_table(const conversion& declared, const QString& folder, platform::data_control& data1);

// The name of the temporary file the conversion of a code writes.
QString conversion_temporary_name(const conversion& declared);

}  // namespace km
