#include "tools/sample_school.h"

#include <memory>

#include "common/file_number_pool.h"
#include "common/record_file_layouts.h"
#include "platform/clock.h"
#include "platform/dbase/dbf_rewrite.h"
#include "platform/dbase/dbf_table.h"
#include "platform/dbase/recordset.h"
#include "platform/file_error.h"
#include "platform/file_system.h"
#include "platform/number_format.h"
#include "platform/numbered_files.h"
#include "platform/record_layouts.h"
#include "platform/win_path.h"

namespace km {

namespace {

using platform::dbf_field;
using platform::Value;

const QString school_record_file = QStringLiteral("Skl_Dta_random.txt");
const QString export_control_file = QStringLiteral("Exp_Mrk_control.txt");

QString in_folder(const QString& folder, const QString& name) {
  return platform::join_win_path(folder, name);
}

QString native_of(const QString& win_path) {
  const QString native = platform::to_native_path(win_path);
  if (native.isEmpty()) throw platform::file_error(platform::file_error::kind::path_not_found, win_path);
  return native;
}

void make_folder(const QString& folder) {
  if (!platform::ensure_folder(folder))
    throw platform::file_error(platform::file_error::kind::path_not_found, folder);
}

// Writes fixed-length records as the whole new content of a record file.
void write_records(const QString& path, int record_length,
                   const std::vector<platform::record_buffer>& records) {
  if (platform::file_exists(path)) platform::delete_file(path, true);
  std::int16_t number = get_free_file_number(1);
  try {
    platform::open_file(number, path, platform::open_mode::random, record_length);
    for (std::size_t i = 0; i < records.size(); ++i) platform::put_record(number, qint64(i + 1), records[i]);
    close_file(number);
  } catch (const platform::file_error&) {
    try {
      close_file(number);
    } catch (const platform::file_error&) {
      // The failure that brought us here is the one to tell.
    }
    throw;
  }
}

void write_school_record(const QString& folder, const sample_school_options& options) {
  platform::record_buffer record(skl_dta_record);
  record.blank();
  record.set_text("SD_SKOOL", options.school_name);
  record.set_text("SD_PROV", options.province);
  record.set_text("SD_KRING", QStringLiteral("Boland"));
  record.set_text("SD_ADRES1", QStringLiteral("Skoolstraat 12"));
  record.set_text("SD_ADRES2", QStringLiteral("Sonvallei"));
  record.set_text("SD_KODE", QStringLiteral("7646"));
  record.set_text("SD_FOON", QStringLiteral("021 555 0123"));
  record.set_text("SD_EMAIL", QStringLiteral("kantoor@sonvallei.example"));
  write_records(in_folder(folder, school_record_file), skl_dta_record.length, {record});
}

void write_export_control(const QString& folder, double today) {
  std::vector<platform::record_buffer> records;
  for (const sample_combination& c : sample_combinations()) {
    platform::record_buffer r(platform::exp_mrk_control_record);
    r.blank();
    r.set_text("grade", c.grade);
    r.set_text("subject", c.subject);
    r.set_single("subject_total", c.total);
    r.set_text("class", c.subject_class);
    r.set_int16("number", std::int16_t(sample_learners_of(c).size()));
    r.set_text("code", c.subject_code);
    r.set_double("date", today);
    records.push_back(r);
  }
  write_records(in_folder(folder, export_control_file), platform::exp_mrk_control_record.length, records);
}

// Creates a table and fills it with the rows (one value per field).
void write_table(const QString& path, const std::vector<dbf_field>& fields,
                 const std::vector<std::vector<Value>>& rows) {
  const QString native = native_of(path);
  platform::create_dbf_table(native, fields);
  platform::recordset rs(
      std::make_unique<platform::dbf_table>(native, platform::dbf_table::access::read_write));
  for (const auto& row : rows) {
    rs.add_new();
    for (std::size_t i = 0; i < row.size(); ++i) rs.set_value(int(i), row[i]);
    rs.update();
  }
}

dbf_field field(const char* name, char type, int width, int decimals = 0) {
  dbf_field f;
  f.name = QLatin1String(name);
  f.type = type;
  f.width = width;
  f.decimals = decimals;
  return f;
}

// The effort key of a mark: 1 (best) to 5.
QString effort_key_of(const QString& mark, float total) {
  if (mark.isEmpty() || mark.compare(QLatin1String("A"), Qt::CaseInsensitive) == 0) return {};
  const double share = platform::val(mark) / double(total);
  return QString::number(share >= 0.8 ? 1 : share >= 0.7 ? 2 : share >= 0.6 ? 3 : share >= 0.5 ? 4 : 5);
}

void write_learner_tables(const QString& folder) {
  const std::vector<dbf_field> punte_fields{field("EF_T_NR", 'N', 8), field("EF_NAME", 'C', 40),
                                            field("EF_PUNT", 'C', 5), field("EF_PS_VO", 'C', 4),
                                            field("EF_KLAS", 'C', 3)};
  const std::vector<dbf_field> obe_fields{field("EO_T_NR", 'N', 8), field("EO_NAME", 'C', 40),
                                          field("EO_PUNT", 'C', 5), field("EO_P_S", 'C', 2),
                                          field("EO_FE_1", 'C', 2), field("EO_FE_2", 'C', 2),
                                          field("EO_FE_3", 'C', 2), field("EO_FE_4", 'C', 2)};
  const auto& combinations = sample_combinations();
  for (std::size_t i = 0; i < combinations.size(); ++i) {
    const sample_combination& c = combinations[i];
    const int n = int(i + 1);
    std::vector<std::vector<Value>> punte_rows, obe_rows;
    int k = 0;
    for (const sample_learner& l : sample_learners_of(c)) {
      const QString mark = sample_mark(k, n, c.total);
      const QString key = effort_key_of(mark, c.total);
      punte_rows.push_back(
          {Value(double(l.number)), Value(l.name), Value(mark), Value(QString()), Value(l.subject_class)});
      obe_rows.push_back({Value(double(l.number)), Value(l.name), Value(mark), Value(key),
                          Value(key.isEmpty() ? QString() : QStringLiteral("0") + QString::number(k % 3 + 1)),
                          Value(QString()), Value(QString()), Value(QString())});
      ++k;
    }
    write_table(in_folder(folder, QStringLiteral("punte%1.dbf").arg(n)), punte_fields, punte_rows);
    write_table(in_folder(folder, QStringLiteral("obe_p%1.dbf").arg(n)), obe_fields, obe_rows);
  }
}

// The code lists are named by the first two cells of a combination's row
// in the subject grid, here the grade and the subject: one effort-key
// table per grade, L<grade>_P_S.dbf.
void write_effort_key_tables(const QString& folder) {
  const std::vector<dbf_field> fields{field("PS_KODE", 'C', 2), field("PS_VAK", 'C', 5),
                                      field("PS_GRAAD", 'C', 3), field("PS_VOLGNR", 'N', 3),
                                      field("PS_BESKRYF", 'C', 40)};
  QStringList done;
  for (const sample_combination& c : sample_combinations()) {
    if (done.contains(c.grade)) continue;
    done.append(c.grade);
    std::vector<std::vector<Value>> rows;
    int order = 1;
    for (const sample_effort_key& key : sample_effort_keys())
      rows.push_back({Value(key.code), Value(QString()), Value(c.grade), Value(double(order++)),
                      Value(key.description)});
    write_table(in_folder(folder, QStringLiteral("L%1_P_S.dbf").arg(c.grade)), fields, rows);
  }
}

// The school's symbols, pi2_dta.dbf: seven levels, each with its upper and
// lower percentage, as the symbol distribution counts them.
void write_symbol_table(const QString& folder) {
  const std::vector<dbf_field> fields{field("PI2_SIMBL", 'C', 2), field("PI2_GRNS_B", 'N', 5, 1),
                                      field("PI2_GRNS_O", 'N', 5, 1)};
  const struct {
    const char* symbol;
    double upper, lower;
  } levels[] = {{"7", 100.0, 80.0}, {"6", 79.9, 70.0}, {"5", 69.9, 60.0}, {"4", 59.9, 50.0},
                {"3", 49.9, 40.0},  {"2", 39.9, 30.0}, {"1", 29.9, 0.0}};
  std::vector<std::vector<Value>> rows;
  for (const auto& level : levels)
    rows.push_back({Value(QString::fromLatin1(level.symbol)), Value(level.upper), Value(level.lower)});
  write_table(in_folder(folder, QStringLiteral("pi2_dta.dbf")), fields, rows);
}

// One formative list per combination, L<grade>_f_e.<subject>: records of
// two quoted values, the first holding one description and its CR LF.
void write_formative_files(const QString& folder) {
  for (const sample_combination& c : sample_combinations()) {
    std::int16_t number = get_free_file_number(1);
    platform::open_file(number, in_folder(folder, sample_formative_file_name(c)),
                        platform::open_mode::output);
    int k = 1;
    for (const QString& description : sample_formative_descriptions())
      platform::write_fields(number, {Value(description + QStringLiteral("\r\n")),
                                      Value(QString::number(k++).rightJustified(2, u'0'))});
    close_file(number);
  }
}

}  // namespace

const std::vector<sample_combination>& sample_combinations() {
  static const std::vector<sample_combination> list{
      {"8", "101", "AFRHT", "8A", 100.0f},   {"8", "201", "ENGEA", "8A", 100.0f},
      {"8", "301", "WISK", "8B", 150.0f},    {"9", "101", "AFRHT", "9A", 100.0f},
      {"9", "401", "NATW", "9A", 200.0f},    {"10", "301", "WISK", "10A", 100.0f},
      {"11", "201", "ENGEA", "11B", 100.0f}, {"12", "501", "GESK", "12A", 100.0f},
  };
  return list;
}

const std::vector<sample_learner>& sample_learners() {
  static const std::vector<sample_learner> list = [] {
    const struct {
      const char* grade;
      const char* subject_class;
      std::vector<const char*> names;
    } classes[] = {
        {"8",
         "8A",
         {"Botha Zoë", "Smith Jack", "van der Merwe Anél", "Naidoo Priya", "du Plessis Rôné",
          "Williams Ethan", "Venter Chloë", "Mokoena Thabo"}},
        {"8",
         "8B",
         {"Pretorius Lêandri", "Jones Olivia", "Fourie Marié", "Khumalo Sipho", "Steyn Noël", "Brown Liam"}},
        {"9",
         "9A",
         {"le Roux Ilzé", "Taylor Emma", "Joubert Môrné", "Dlamini Lerato", "Nel Danië", "Adams Ryan",
          "Swanepoel Ané"}},
        {"10",
         "10A",
         {"Engelbrecht Bêrend", "Wilson Grace", "Louw Estê", "Pillay Kiran", "Bezuidenhout Riaan",
          "Davies Noah", "Olivier Zoë"}},
        {"11",
         "11B",
         {"Malan Gerhard", "Thompson Mia", "Jacobs Carmé", "Ndlovu Ayanda", "Theron Sônja", "Evans Luke"}},
        {"12",
         "12A",
         {"Marais Annêlize", "Green Sophie", "Cilliers Noëlle", "Mahlangu Kagiso", "Hattingh Frans",
          "Clarke James"}},
    };
    std::vector<sample_learner> out;
    int number = 1001;
    for (const auto& c : classes)
      for (const char* name : c.names)
        out.push_back(
            {number++, QString::fromUtf8(name), QLatin1String(c.grade), QLatin1String(c.subject_class)});
    return out;
  }();
  return list;
}

std::vector<sample_learner> sample_learners_of(const sample_combination& combination) {
  std::vector<sample_learner> out;
  for (const sample_learner& l : sample_learners())
    if (l.grade == combination.grade && l.subject_class == combination.subject_class) out.push_back(l);
  return out;
}

const std::vector<sample_effort_key>& sample_effort_keys() {
  static const std::vector<sample_effort_key> list{
      {"1", QStringLiteral("Uitstekend / Outstanding")},
      {"2", QStringLiteral("Goed / Good")},
      {"3", QStringLiteral("Bevredigend / Satisfactory")},
      {"4", QStringLiteral("Matig / Moderate")},
      {"5", QStringLiteral("Swak / Weak")},
  };
  return list;
}

const QStringList& sample_formative_descriptions() {
  static const QStringList list{
      QStringLiteral("Werk netjies en volledig / Neat and complete work"),
      QStringLiteral("Lewer goeie bydraes in die klas / Contributes well in class"),
      QStringLiteral("Moet meer oefen / Needs more practice"),
      QStringLiteral("Huiswerk dikwels onvoltooid / Homework often incomplete"),
  };
  return list;
}

QString sample_formative_file_name(const sample_combination& combination) {
  return QStringLiteral("L") + combination.grade + QStringLiteral("_f_e.") + combination.subject;
}

QString sample_mark(int k, int n, float total) {
  if ((k + n) % 9 == 0) return {};
  if ((k * 3 + n) % 11 == 0) return QStringLiteral("A");
  const int percent = (k * 37 + n * 17) % 71 + 25;
  return platform::format_number(double(percent) * double(total) / 100.0 + (k % 2) * 0.5,
                                 QStringLiteral("##0.0"));
}

QString sample_school_record_folder(const QString& drive, int year) {
  return drive + QStringLiteral("\\L") + QString::number(year % 100).rightJustified(2, u'0');
}

void make_sample_school(const sample_school_options& options) {
  const QString folder = options.data_folder;
  if (!options.replace_existing && platform::file_exists(in_folder(folder, export_control_file)))
    throw sample_school_error((QStringLiteral("the folder ") + folder +
                               QStringLiteral(" already holds marks files; nothing was written"))
                                  .toStdString());
  make_folder(folder);
  write_school_record(folder, options);
  // A school record already in the second folder is the school's own (the
  // program may have been used there): it is replaced only when asked.
  if (!options.school_record_folder.isEmpty() &&
      platform::full_win_path(options.school_record_folder)
              .compare(platform::full_win_path(folder), Qt::CaseInsensitive) != 0 &&
      (options.replace_existing ||
       !platform::file_exists(in_folder(options.school_record_folder, school_record_file)))) {
    make_folder(options.school_record_folder);
    write_school_record(options.school_record_folder, options);
  }
  write_export_control(folder, platform::today());
  write_learner_tables(folder);
  write_effort_key_tables(folder);
  write_formative_files(folder);
  write_symbol_table(folder);
}

}  // namespace km
