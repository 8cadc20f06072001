#include "platform/registry.h"

#include <QFile>
#include <QStringList>
#include <QSysInfo>
#include <cmath>
#include <vector>

#include "platform/dbase/dbf_error.h"
#include "platform/dbase/dbf_file_io.h"
#include "platform/file_system.h"
#include "platform/services.h"
#include "platform/win_path.h"

namespace km::platform {

namespace {

const QString default_file = QStringLiteral("C:\\Windows\\registry.ini");

// A value path taken apart: the key with its hive written out in full, and
// the value's name.
struct value_location {
  QString key;
  QString name;
};

QString full_hive_name(const QString& hive) {
  static const std::pair<const char*, const char*> hives[] = {
      {"HKLM", "HKEY_LOCAL_MACHINE"}, {"HKCU", "HKEY_CURRENT_USER"},   {"HKCR", "HKEY_CLASSES_ROOT"},
      {"HKU", "HKEY_USERS"},          {"HKCC", "HKEY_CURRENT_CONFIG"},
  };
  for (const auto& [short_name, long_name] : hives) {
    if (hive.compare(QLatin1String(short_name), Qt::CaseInsensitive) == 0 ||
        hive.compare(QLatin1String(long_name), Qt::CaseInsensitive) == 0)
      return QLatin1String(long_name);
  }
  return {};
}

std::optional<value_location> locate(const QString& value_path) {
  QStringList parts = value_path.trimmed().split(QLatin1Char('\\'), Qt::SkipEmptyParts);
  if (parts.size() < 2) return std::nullopt;
  const QString hive = full_hive_name(parts.first());
  if (hive.isEmpty()) return std::nullopt;
  parts.first() = hive;
  const QString name = parts.takeLast();
  return value_location{parts.join(QLatin1Char('\\')), name};
}

struct entry {
  QString name;
  QString raw;  // the text after "=", as the file holds it
};

struct section {
  QString key;
  std::vector<entry> entries;
};

QString native_file() { return to_native_path(registry_file()); }

std::vector<section> read_sections() {
  std::vector<section> out;
  const QString native = native_file();
  if (native.isEmpty()) return out;
  dbf_io::remove_stale_temporaries(native);  // what a killed save left beside it
  QFile file(native);
  if (!file.open(QIODevice::ReadOnly)) return out;
  for (const QByteArray& raw_line : file.readAll().split('\n')) {
    const QString line = QString::fromUtf8(raw_line).trimmed();
    if (line.isEmpty() || line.startsWith(QLatin1Char(';'))) continue;
    if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
      out.push_back({line.mid(1, line.size() - 2).trimmed(), {}});
      continue;
    }
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq <= 0 || out.empty()) continue;
    out.back().entries.push_back({line.left(eq).trimmed(), line.mid(eq + 1).trimmed()});
  }
  return out;
}

section* find_section(std::vector<section>& sections, const QString& key) {
  for (auto& s : sections)
    if (s.key.compare(key, Qt::CaseInsensitive) == 0) return &s;
  return nullptr;
}

entry* find_entry(section& s, const QString& name) {
  for (auto& e : s.entries)
    if (e.name.compare(name, Qt::CaseInsensitive) == 0) return &e;
  return nullptr;
}

QString quote(const QString& text) {
  QString out = text;
  out.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
  out.replace(QLatin1Char('"'), QLatin1String("\\\""));
  out.remove(QLatin1Char('\n'));
  out.remove(QLatin1Char('\r'));
  return QLatin1Char('"') + out + QLatin1Char('"');
}

std::optional<Value> parse_raw(const QString& raw) {
  if (raw.startsWith(QLatin1String("dword:"), Qt::CaseInsensitive)) {
    bool ok = false;
    const quint32 v = raw.mid(6).toUInt(&ok, 16);
    if (!ok) return std::nullopt;
    return Value::int32(static_cast<std::int32_t>(v));
  }
  if (raw.size() >= 2 && raw.startsWith(QLatin1Char('"')) && raw.endsWith(QLatin1Char('"'))) {
    QString out;
    const QString body = raw.mid(1, raw.size() - 2);
    for (qsizetype i = 0; i < body.size(); ++i) {
      if (body[i] == QLatin1Char('\\') && i + 1 < body.size()) ++i;
      out += body[i];
    }
    return Value::text(out);
  }
  return std::nullopt;
}

// Values the running system supplies when the file holds none.
std::optional<Value> system_value(const value_location& where) {
  if (where.key.compare(QLatin1String("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion"),
                        Qt::CaseInsensitive) == 0 &&
      where.name.compare(QLatin1String("ProductName"), Qt::CaseInsensitive) == 0)
    return Value::text(QSysInfo::prettyProductName());
  return std::nullopt;
}

// The 32 bits a REG_DWORD keeps of a number's whole part: a signed or an
// unsigned 32-bit value. Anything else, infinities and NaN included, is an
// overflow, never a value cut to its low bits.
quint32 dword_bits(double number) {
  const double whole = std::trunc(number);
  if (!(whole >= -2147483648.0 && whole <= 4294967295.0))
    throw value_error(value_error::kind::overflow, "Overflow");
  return whole < 0 ? static_cast<quint32>(static_cast<qint32>(whole)) : static_cast<quint32>(whole);
}

void write_sections(const std::vector<section>& sections) {
  const QString file = registry_file();
  const QString parent = parent_folder_name(full_win_path(file));
  if (!parent.isEmpty() && !ensure_folder(parent))
    throw registry_error(registry_error::kind::not_written,
                         QStringLiteral("the registry folder %1 cannot be made").arg(parent));
  const QString native = native_file();
  if (native.isEmpty())
    throw registry_error(registry_error::kind::not_written,
                         QStringLiteral("the registry file %1 has no place").arg(file));
  QByteArray text;
  for (const auto& s : sections) {
    text += '[' + s.key.toUtf8() + "]\n";
    for (const auto& e : s.entries) text += e.name.toUtf8() + '=' + e.raw.toUtf8() + '\n';
    text += '\n';
  }
  try {
    dbf_io::replace_files({{native, text}});
  } catch (const dbf_error&) {
    throw registry_error(registry_error::kind::not_written,
                         QStringLiteral("the registry file %1 cannot be written").arg(file));
  }
}

int registry_error_number(registry_error::kind k) {
  switch (k) {
    case registry_error::kind::invalid_path:
      return 5;
    case registry_error::kind::not_a_number:
      return 13;
    case registry_error::kind::not_written:
      return 75;
  }
  return 75;
}

}  // namespace

registry_error::registry_error(kind k, const QString& detail)
    : platform_error(registry_error_number(k), standard_error_text(registry_error_number(k)), detail) {}

std::optional<Value> registry_read(const QString& value_path) {
  const auto where = locate(value_path);
  if (!where) return std::nullopt;
  std::vector<section> sections = read_sections();
  if (section* s = find_section(sections, where->key))
    if (entry* e = find_entry(*s, where->name)) return parse_raw(e->raw);
  return system_value(*where);
}

void registry_write(const QString& value_path, const Value& value, registry_type type) {
  const auto where = locate(value_path);
  if (!where)
    throw registry_error(registry_error::kind::invalid_path,
                         QStringLiteral("no registry hive in %1").arg(value_path));
  QString raw;
  if (type == registry_type::dword) {
    double number = 0;
    try {
      number = value.to_double();
    } catch (const value_error&) {
      throw registry_error(registry_error::kind::not_a_number,
                           QStringLiteral("%1 is no number").arg(value_path));
    }
    raw = QStringLiteral("dword:%1").arg(dword_bits(number), 8, 16, QLatin1Char('0'));
  } else {
    raw = quote(value.is_null() ? QString() : value.to_text());
  }
  std::vector<section> sections = read_sections();
  section* s = find_section(sections, where->key);
  if (!s) {
    sections.push_back({where->key, {}});
    s = &sections.back();
  }
  if (entry* e = find_entry(*s, where->name))
    e->raw = raw;
  else
    s->entries.push_back({where->name, raw});
  write_sections(sections);
}

void set_registry_file(const QString& win_path) { services().registry_file = win_path; }

QString registry_file() {
  const QString& file = services().registry_file;
  return file.isEmpty() ? default_file : file;
}

}  // namespace km::platform
