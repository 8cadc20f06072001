#include "platform/numbered_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <array>
#include <memory>
#include <optional>

#include "platform/cp1252.h"
#include "platform/date_time.h"
#include "platform/dbase/dbf_error.h"
#include "platform/dbase/dbf_file_io.h"
#include "platform/file_faults.h"
#include "platform/file_system.h"
#include "platform/folder_listing_cache.h"
#include "platform/services.h"
#include "platform/win_path.h"

namespace km::platform {

using kind = file_error::kind;

namespace {

struct numbered_file {
  open_mode mode = open_mode::input;
  int record_length = 128;
  QString win_path;
  QString key;                  // the real file, to refuse a second writer
  std::unique_ptr<QFile> file;  // append, random, binary
  QString out_path;             // output: the native file the text replaces on close
  QByteArray out;               // output: the text so far
  bool writable = true;
  QByteArray text;  // input: the whole file
  qint64 pos = 0;   // input: byte offset; random: next record; binary: next byte (from 1)
  bool past_end = false;
  qint64 written = 0;  // output
};

// Ends a number without committing: the text of an output is dropped (the
// old file stays whole); other files are closed.
void abandon(numbered_file& e) noexcept {
  if (e.file) e.file->close();
}

// When the program goes away every number still open is abandoned: an
// output nobody closed is unfinished, and must not replace the old file.
struct file_table {
  std::array<std::unique_ptr<numbered_file>, max_file_number + 1> numbers;
  ~file_table() {
    for (auto& slot : numbers)
      if (slot) abandon(*slot);
  }
};

file_table& table() {
  static file_table t;
  return t;
}

numbered_file& entry(int number) {
  if (number < 1 || number > max_file_number || !table().numbers[number])
    throw file_error(kind::bad_file_name, {}, QStringLiteral("file number %1 is not open").arg(number));
  return *table().numbers[number];
}

numbered_file& entry(int number, std::initializer_list<open_mode> modes) {
  numbered_file& e = entry(number);
  for (open_mode m : modes)
    if (e.mode == m) return e;
  throw file_error(kind::bad_file_mode, e.win_path);
}

kind write_failure(const QFileDevice& device) {
  if (device.error() == QFileDevice::ResourceError) return kind::disk_full;
  if (device.error() == QFileDevice::PermissionsError) return kind::permission_denied;
  return kind::other;
}

// The real file behind a native path, so that two spellings or links of
// one file count as the same file.
QString file_key(const QString& native) {
  const QFileInfo info(native);
  const QString real = info.canonicalFilePath();
  if (!real.isEmpty()) return real;
  const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
  return (folder.isEmpty() ? info.absolutePath() : folder) + QLatin1Char('/') + info.fileName();
}

bool writes(open_mode m) { return m == open_mode::output || m == open_mode::append; }

void write_all(QFileDevice& device, const QByteArray& bytes, const QString& win_path) {
  if (bytes.isEmpty()) return;
  if (device.write(bytes) != bytes.size())
    throw file_error(write_failure(device), win_path, device.errorString());
}

void write_zeros(QFile& file, qint64 from, qint64 to, const QString& win_path) {
  if (!file.seek(from)) throw file_error(kind::other, win_path, file.errorString());
  const QByteArray block(64 * 1024, '\0');
  for (qint64 left = to - from; left > 0; left -= block.size())
    write_all(file, left >= block.size() ? block : block.left(left), win_path);
}

// Bytes at a 0-based offset, completed with zeros; tells whether all were there.
QByteArray read_at(numbered_file& e, qint64 offset, qint64 count, bool& complete) {
  QByteArray data;
  if (offset < e.file->size() && e.file->seek(offset)) data = e.file->read(count);
  complete = data.size() == count;
  if (data.size() < count) data.append(QByteArray(count - data.size(), '\0'));
  return data;
}

void write_at(numbered_file& e, qint64 offset, const QByteArray& data) {
  if (!e.writable) throw file_error(kind::permission_denied, e.win_path, QStringLiteral("read-only"));
  check_file_fault(file_step::record_write, e.win_path);
  const qint64 size = e.file->size();
  if (offset > size) write_zeros(*e.file, size, offset, e.win_path);
  if (!e.file->seek(offset)) throw file_error(kind::other, e.win_path, e.file->errorString());
  check_file_fault(file_step::write, e.win_path);
  write_all(*e.file, data, e.win_path);
}

void write_text(int number, const QByteArray& bytes) {
  numbered_file& e = entry(number, {open_mode::output, open_mode::append});
  check_file_fault(file_step::text_write, e.win_path);
  if (e.mode == open_mode::output) {
    e.out.append(bytes);
    e.written += bytes.size();
  } else {
    write_all(*e.file, bytes, e.win_path);
  }
}

const QByteArray crlf("\r\n");

// --- dates in the "#yyyy-mm-dd hh:mm:ss#" form -----------------------------

QByteArray date_form(double days) {
  const date_parts d = split_date(days);
  const QString time = QStringLiteral("%1:%2:%3")
                           .arg(d.hour, 2, 10, QLatin1Char('0'))
                           .arg(d.minute, 2, 10, QLatin1Char('0'))
                           .arg(d.second, 2, 10, QLatin1Char('0'));
  const bool has_time = d.hour != 0 || d.minute != 0 || d.second != 0;
  const bool no_day = d.year == 1899 && d.month == 12 && d.day == 30;
  if (no_day && has_time) return time.toLatin1();
  QString text = QStringLiteral("%1-%2-%3")
                     .arg(d.year, 4, 10, QLatin1Char('0'))
                     .arg(d.month, 2, 10, QLatin1Char('0'))
                     .arg(d.day, 2, 10, QLatin1Char('0'));
  if (has_time) text += QLatin1Char(' ') + time;
  return text.toLatin1();
}

// Three numbers joined by the separator; false when the text is not.
bool three_numbers(const QString& text, QChar separator, int (&out)[3]) {
  const QStringList parts = text.split(separator);
  if (parts.size() != 3) return false;
  for (int i = 0; i < 3; ++i) {
    bool ok = false;
    out[i] = parts[i].toInt(&ok);
    if (!ok) return false;
  }
  return true;
}

// "yyyy-mm-dd", "hh:mm:ss" or both; false when the text is neither.
bool parse_date_form(const QString& text, double& days) {
  const QStringList parts = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
  if (parts.isEmpty() || parts.size() > 2) return false;
  std::optional<double> day = 0.0;
  std::optional<double> time = 0.0;
  int n[3];
  if (three_numbers(parts[0], QLatin1Char('-'), n)) {
    day = make_date(n[0], n[1], n[2]);
    if (parts.size() == 2) {
      if (!three_numbers(parts[1], QLatin1Char(':'), n)) return false;
      time = make_time(n[0], n[1], n[2]);
    }
  } else if (parts.size() == 1 && three_numbers(parts[0], QLatin1Char(':'), n)) {
    time = make_time(n[0], n[1], n[2]);
  } else {
    return false;
  }
  if (!day || !time) return false;
  days = join_date_time(*day, *time);
  return true;
}

// The typed value of a "#...#" field; false when the inside is none of them.
bool parse_hash_field(const QString& inside, Value& value) {
  const QString t = inside.trimmed();
  if (t.compare(QLatin1String("TRUE"), Qt::CaseInsensitive) == 0) {
    value = Value::boolean(true);
  } else if (t.compare(QLatin1String("FALSE"), Qt::CaseInsensitive) == 0) {
    value = Value::boolean(false);
  } else if (t.compare(QLatin1String("NULL"), Qt::CaseInsensitive) == 0) {
    value = Value::null();
  } else {
    double days = 0;
    if (!parse_date_form(t, days)) return false;
    value = Value::date(days);
  }
  return true;
}

bool is_line_end(char c) { return c == '\r' || c == '\n'; }

// Past the comma or line end that ends a field.
void consume_separator(const QByteArray& t, qint64& p) {
  if (p >= t.size()) return;
  if (t[p] == ',') {
    ++p;
  } else if (t[p] == '\r') {
    ++p;
    if (p < t.size() && t[p] == '\n') ++p;
  } else if (t[p] == '\n') {
    ++p;
  }
}

// Drops what follows a closed field up to its separator, and the separator.
void skip_to_separator(const QByteArray& t, qint64& p) {
  while (p < t.size() && t[p] != ',' && !is_line_end(t[p])) ++p;
  consume_separator(t, p);
}

qint64 field_end(const QByteArray& t, qint64 p) {
  while (p < t.size() && t[p] != ',' && !is_line_end(t[p])) ++p;
  return p;
}

}  // namespace

void open_file(int number, const QString& win_path, open_mode mode, int record_length) {
  if (number < 1 || number > max_file_number)
    throw file_error(kind::bad_file_name, win_path, QStringLiteral("file number %1").arg(number));
  if (table().numbers[number]) throw file_error(kind::file_already_open, win_path);
  if (mode == open_mode::random && (record_length < 1 || record_length > 32767))
    throw file_error(kind::bad_record_length, win_path);
  if (!is_valid_win_path(win_path)) throw file_error(kind::bad_file_name, win_path);
  const QString native = to_native_path(win_path);
  if (native.isEmpty() || !QFileInfo(QFileInfo(native).absolutePath()).isDir())
    throw file_error(kind::path_not_found, win_path);
  const QFileInfo info(native);
  if (info.isDir()) throw file_error(kind::other, win_path, QStringLiteral("a folder"));
  if (mode == open_mode::input && !info.isFile()) throw file_error(kind::file_not_found, win_path);

  const QString key = file_key(native);
  for (const auto& other : table().numbers)
    if (other && other->key == key && (writes(mode) || writes(other->mode)))
      throw file_error(kind::file_already_open, win_path);

  auto e = std::make_unique<numbered_file>();
  e->mode = mode;
  e->record_length = mode == open_mode::random ? record_length : 1;
  e->win_path = win_path;
  e->key = key;
  if (e->mode == open_mode::random || e->mode == open_mode::binary) e->pos = 1;

  dbf_io::remove_stale_temporaries(native);  // what a killed write of this file left beside it
  const bool exists = info.exists();
  if (exists && writes(mode) && read_only_native(native))
    throw file_error(kind::permission_denied, win_path, QStringLiteral("read-only"));
  if (!exists && mode != open_mode::input) check_file_fault(file_step::file_create, win_path);

  switch (mode) {
    case open_mode::input: {
      QFile in(native);
      if (!in.open(QIODevice::ReadOnly))
        throw file_error(kind::permission_denied, win_path, in.errorString());
      e->text = in.readAll();
      break;
    }
    case open_mode::output: {
      // The name is taken at once, as the platform does; the text goes to a
      // temporary file that replaces the file when the number is closed.
      if (!exists) {
        check_file_fault(file_step::open_write, native);
        QFile touch(native);
        if (!touch.open(QIODevice::WriteOnly))
          throw file_error(kind::permission_denied, win_path, touch.errorString());
      }
      // The text is kept until the number is closed, then written whole
      // under a temporary name beside the file and renamed over it.
      if (!QFileInfo(info.absolutePath()).isWritable())
        throw file_error(kind::permission_denied, win_path, QStringLiteral("folder cannot be written"));
      e->out_path = native;
      break;
    }
    case open_mode::append:
      check_file_fault(file_step::open_write, native);
      e->file = std::make_unique<QFile>(native);
      if (!e->file->open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        throw file_error(kind::permission_denied, win_path, e->file->errorString());
      break;
    case open_mode::random:
    case open_mode::binary:
      if (!(exists && read_only_native(native))) check_file_fault(file_step::open_write, native);
      e->file = std::make_unique<QFile>(native);
      if (exists && read_only_native(native)) {
        e->writable = false;
        if (!e->file->open(QIODevice::ReadOnly | QIODevice::Unbuffered))
          throw file_error(kind::permission_denied, win_path, e->file->errorString());
      } else if (!e->file->open(QIODevice::ReadWrite | QIODevice::Unbuffered)) {
        throw file_error(kind::permission_denied, win_path, e->file->errorString());
      }
      break;
  }
  e->key = file_key(native);
  table().numbers[number] = std::move(e);
  if (!exists) folder_listing::note_created(native);
}

void close_numbered_file(int number) {
  if (number < 1 || number > max_file_number || !table().numbers[number]) return;
  std::unique_ptr<numbered_file> e = std::move(table().numbers[number]);
  if (e->mode == open_mode::output) {
    try {
      dbf_io::replace_files({{e->out_path, e->out}});
    } catch (const dbf_error& failure) {
      throw file_error(
          failure.kind() == dbf_error_kind::disk_error ? kind::disk_full : kind::permission_denied,
          e->win_path, failure.text());
    }
  } else if (e->file) {
    e->file->close();
  }
}

void abandon_numbered_file(int number) noexcept {
  if (number < 1 || number > max_file_number || !table().numbers[number]) return;
  const std::unique_ptr<numbered_file> e = std::move(table().numbers[number]);
  abandon(*e);
}

void close_all_numbered_files() noexcept {
  for (int n = 1; n <= max_file_number; ++n) abandon_numbered_file(n);
}

bool is_numbered_file_open(int number) {
  return number >= 1 && number <= max_file_number && table().numbers[number] != nullptr;
}

open_mode numbered_file_mode(int number) { return entry(number).mode; }

int numbered_file_record_length(int number) { return entry(number).record_length; }

QString numbered_file_path(int number) { return entry(number).win_path; }

// --- random ---------------------------------------------------------------

QByteArray get_record(int number, qint64 record_number) {
  numbered_file& e = entry(number, {open_mode::random});
  if (record_number < 1) throw file_error(kind::bad_record_number, e.win_path);
  bool complete = false;
  QByteArray data = read_at(e, (record_number - 1) * e.record_length, e.record_length, complete);
  e.past_end = !complete;
  e.pos = record_number + 1;
  return data;
}

QByteArray get_record(int number) { return get_record(number, entry(number, {open_mode::random}).pos); }

void get_record(int number, qint64 record_number, record_buffer& record) {
  record.set_bytes(get_record(number, record_number));
}

void put_record(int number, qint64 record_number, const QByteArray& record) {
  numbered_file& e = entry(number, {open_mode::random});
  if (record_number < 1) throw file_error(kind::bad_record_number, e.win_path);
  if (record.size() > e.record_length) throw file_error(kind::bad_record_length, e.win_path);
  QByteArray data = record;
  data.append(QByteArray(e.record_length - data.size(), '\0'));
  write_at(e, (record_number - 1) * e.record_length, data);
  e.pos = record_number + 1;
}

void put_record(int number, const QByteArray& record) {
  put_record(number, entry(number, {open_mode::random}).pos, record);
}

void put_record(int number, qint64 record_number, const record_buffer& record) {
  put_record(number, record_number, record.bytes());
}

// --- binary ---------------------------------------------------------------

QByteArray get_bytes(int number, qint64 position, qint64 count) {
  numbered_file& e = entry(number, {open_mode::binary});
  if (position < 1 || count < 0) throw file_error(kind::bad_record_number, e.win_path);
  bool complete = false;
  QByteArray data = read_at(e, position - 1, count, complete);
  e.past_end = !complete;
  e.pos = position + count;
  return data;
}

void put_bytes(int number, qint64 position, const QByteArray& bytes) {
  numbered_file& e = entry(number, {open_mode::binary});
  if (position < 1) throw file_error(kind::bad_record_number, e.win_path);
  write_at(e, position - 1, bytes);
  e.pos = position + bytes.size();
}

// --- all modes --------------------------------------------------------------

void seek(int number, qint64 position) {
  numbered_file& e = entry(number, {open_mode::input, open_mode::random, open_mode::binary});
  if (position < 1) throw file_error(kind::bad_record_number, e.win_path);
  e.pos = e.mode == open_mode::input ? position - 1 : position;
  e.past_end = false;
}

qint64 seek_position(int number) {
  numbered_file& e = entry(number);
  switch (e.mode) {
    case open_mode::input:
      return e.pos + 1;
    case open_mode::output:
      return e.written + 1;
    case open_mode::append:
      return e.file->size() + 1;
    case open_mode::random:
    case open_mode::binary:
      return e.pos;
  }
  return 1;
}

bool eof(int number) {
  numbered_file& e = entry(number);
  switch (e.mode) {
    case open_mode::input:
      return e.pos >= e.text.size();
    case open_mode::random:
    case open_mode::binary:
      return e.past_end;
    default:
      return true;
  }
}

qint64 lof(int number) {
  numbered_file& e = entry(number);
  switch (e.mode) {
    case open_mode::input:
      return e.text.size();
    case open_mode::output:
      return e.written;
    default:
      return e.file->size();
  }
}

// --- text -------------------------------------------------------------------

Value input_field(int number) {
  numbered_file& e = entry(number, {open_mode::input});
  const QByteArray& t = e.text;
  qint64& p = e.pos;
  if (p >= t.size()) throw file_error(kind::input_past_end, e.win_path);
  while (p < t.size() && (t[p] == ' ' || t[p] == '\t')) ++p;
  if (p >= t.size()) return {};

  if (t[p] == '"') {
    const qint64 start = p + 1;
    qint64 close = t.indexOf('"', start);
    if (close < 0) close = t.size();
    const QByteArray field = t.mid(start, close - start);
    p = std::min<qint64>(close + 1, t.size());
    skip_to_separator(t, p);
    return Value::text(decode_cp1252(field));
  }

  const qint64 end = field_end(t, p);
  if (t[p] == '#') {
    const qint64 close = t.indexOf('#', p + 1);
    Value typed;
    if (close > p && close < end &&
        parse_hash_field(QString::fromLatin1(t.mid(p + 1, close - p - 1)), typed)) {
      p = close + 1;
      skip_to_separator(t, p);
      return typed;
    }
  }
  QByteArray field = t.mid(p, end - p);
  while (!field.isEmpty() && (field.endsWith(' ') || field.endsWith('\t'))) field.chop(1);
  p = end;
  consume_separator(t, p);
  if (field.isEmpty()) return {};
  return Value::text(decode_cp1252(field));
}

QString input_text(int number) {
  const Value v = input_field(number);
  if (v.is_null() || v.is_empty()) return {};
  return v.to_text();
}

QString line_input(int number) {
  numbered_file& e = entry(number, {open_mode::input});
  const QByteArray& t = e.text;
  if (e.pos >= t.size()) throw file_error(kind::input_past_end, e.win_path);
  qint64 end = t.indexOf('\n', e.pos);
  QByteArray line;
  if (end < 0) {
    line = t.mid(e.pos);
    e.pos = t.size();
  } else {
    line = t.mid(e.pos, end - e.pos);
    e.pos = end + 1;
    if (line.endsWith('\r')) line.chop(1);
  }
  return decode_cp1252(line);
}

QByteArray write_form(const Value& value) {
  switch (value.kind()) {
    case Value::type::empty:
      return {};
    case Value::type::null:
      return QByteArrayLiteral("#NULL#");
    case Value::type::int16:
    case Value::type::int32:
      return QByteArray::number(value.to_int32());
    case Value::type::single:
      return single_text(static_cast<float>(value.to_double())).toLatin1();
    case Value::type::dbl:
      return number_text(value.to_double()).toLatin1();
    case Value::type::date:
      return '#' + date_form(value.as_date()) + '#';
    case Value::type::boolean:
      return value.to_bool() ? QByteArrayLiteral("#TRUE#") : QByteArrayLiteral("#FALSE#");
    case Value::type::text:
      return '"' + encode_cp1252(value.as_text()) + '"';
  }
  return {};
}

void write_fields(int number, const std::vector<Value>& values) {
  QByteArray line;
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (i) line += ',';
    line += write_form(values[i]);
  }
  write_text(number, line + crlf);
}

void write_fields(int number, std::initializer_list<Value> values) {
  write_fields(number, std::vector<Value>(values));
}

void print_line(int number, const QString& text) { write_text(number, encode_cp1252(text) + crlf); }

void print_text(int number, const QString& text) { write_text(number, encode_cp1252(text)); }

namespace {

// A test ends with every numbered file closed. A failure to close is passed
// over: the test that left the file open has ended, and the next one must
// start all the same.
void close_every_file() {
  try {
    close_all_numbered_files();
  } catch (...) {
  }
}
const reset_step close_every_file_at_reset{reset_stage::open_files, close_every_file};

}  // namespace

}  // namespace km::platform
