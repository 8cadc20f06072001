#pragma once
// The platform's file statements on numbered files (1..511): Open, Close,
// Get/Put of fixed-length records and of bytes, Seek, Input #, Line Input #,
// Write #, Print #, EOF and LOF. Files are named by Windows paths; text is
// Windows-1252 with CR LF line ends. Every failure throws file_error.
//
// Open modes:
// - input: the file must exist; read from the start.
// - output: a new, empty file. The text is written to a temporary file in
//   the same folder and renamed over the old file only when the number is
//   closed (close_numbered_file). An output nobody closed is abandoned: when
//   every file is closed at once (close_all_numbered_files, the end of the
//   program) or the number is given up (abandon_numbered_file), the
//   temporary file is removed and the old file stays whole.
// - append: written after the end; created when missing.
// - random: fixed-length records, read and write (read only when the file
//   is read-only); created when missing.
// - binary: bytes at positions from 1, read and write; created when missing.
//
// A file open for output or append cannot be opened under a second number,
// nor can a file open under another number be opened for output or append
// (file_already_open).

#include <QByteArray>
#include <QString>
#include <initializer_list>
#include <vector>

#include "platform/file_error.h"
#include "platform/record_layout.h"
#include "platform/value.h"

namespace km::platform {

enum class open_mode { input, output, append, random, binary };

inline constexpr int max_file_number = 511;

// Throws bad_file_name for a number outside 1..511 or a path with invalid
// characters, file_already_open, path_not_found, file_not_found (input),
// permission_denied (a read-only file for output or append).
void open_file(int number, const QString& win_path, open_mode mode, int record_length = 128);

// Closes the number; no error when it is not open. The text of an output
// file takes the old file's place here. Throws when it cannot be put in
// place (the number is closed all the same, the old file left whole).
void close_numbered_file(int number);
// Gives the number up without putting the text of an output file in place
// (for a write that failed part way); other modes close as usual. No error
// when it is not open.
void abandon_numbered_file(int number) noexcept;
// Gives every number up: outputs nobody closed are abandoned, never
// committed, so a file half written when the program ends or every file is
// closed at once never replaces the old one.
void close_all_numbered_files() noexcept;

bool is_numbered_file_open(int number);
// Mode, record length and Windows path (as given to open_file) of an open
// number; bad_file_name when it is not open.
open_mode numbered_file_mode(int number);
int numbered_file_record_length(int number);
QString numbered_file_path(int number);

// --- random ---------------------------------------------------------------
// Record numbers count from 1 (bad_record_number below). A record past the
// end of the file reads as zero bytes and sets EOF; a part record at the
// end is completed with zeros. Without a record number the record after the
// last one read or written (or the one Seek named) is used.
QByteArray get_record(int number, qint64 record_number);
QByteArray get_record(int number);
void get_record(int number, qint64 record_number, record_buffer& record);
// A record shorter than the record length is completed with zero bytes; a
// longer one is refused (bad_record_length). A record past the end of the
// file fills the gap with zero bytes.
void put_record(int number, qint64 record_number, const QByteArray& record);
void put_record(int number, const QByteArray& record);
void put_record(int number, qint64 record_number, const record_buffer& record);

// --- binary ---------------------------------------------------------------
// Positions count from 1. Bytes past the end read as zeros and set EOF;
// a write past the end fills the gap with zero bytes.
QByteArray get_bytes(int number, qint64 position, qint64 count);
void put_bytes(int number, qint64 position, const QByteArray& bytes);

// --- all modes --------------------------------------------------------------
// Seek statement: the next record (random) or byte position (other modes,
// from 1). Not allowed for output files (bad_file_mode).
void seek(int number, qint64 position);
// Seek function: the next record or byte position.
qint64 seek_position(int number);
// EOF: input - no byte left; random and binary - the last read ran past the
// end; output and append - true.
bool eof(int number);
// LOF: the length in bytes of the file (of the text written so far for an
// output file).
qint64 lof(int number);

// --- text -------------------------------------------------------------------
// Input #: one delimited field. Leading blanks and tabs are skipped. A field
// that begins with a double quote runs to the next double quote, across
// line ends, and becomes text; the rest up to the comma or line end is
// dropped. #TRUE#, #FALSE#, #NULL#, #yyyy-mm-dd#, #yyyy-mm-dd hh:mm:ss# and
// #hh:mm:ss# become Boolean, null and date values. Any other field ends at a
// comma or line end, loses its trailing blanks and is text ("" gives the
// empty value). The comma or line end (CR LF, LF or CR) after a field is
// consumed. Throws input_past_end when no byte is left.
Value input_field(int number);
// Input # into a text variable: one field in its text form (null and empty
// give "").
QString input_text(int number);

// Line Input #: the text up to CR LF or LF (not included).
// Throws input_past_end when no byte is left.
QString line_input(int number);

// Write #: the values separated by commas, then CR LF. Text in double
// quotes (not escaped), numbers in their text form with ".", #TRUE# and
// #FALSE#, dates #yyyy-mm-dd# (with " hh:mm:ss" when they have a time),
// null #NULL#, empty nothing. No values writes an empty line.
void write_fields(int number, const std::vector<Value>& values);
void write_fields(int number, std::initializer_list<Value> values);

// Print #: the text as it is, then CR LF.
void print_line(int number, const QString& text = {});
// Print # ending in ";": the text without a line end.
void print_text(int number, const QString& text);

// The Write # text of one value (no line end).
QByteArray write_form(const Value& value);

}  // namespace km::platform
