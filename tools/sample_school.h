#pragma once
// A sample school for trying the program and for the tests' fixtures,
// written through the program's own engines (record layouts, numbered
// files, the dBase engine):
// - the school record Skl_Dta_random.txt (the school's name and province);
// - the export-control file Exp_Mrk_control.txt: subject combinations of
//   grades 8 to 12 in several classes;
// - per combination N the learner tables punte<N>.dbf (cycle marks) and
//   obe_p<N>.dbf (outcomes-based marks) with Afrikaans and English names;
// - the code lists of the outcomes-based marks, named by the first two
//   cells of a combination's subject-grid row (grade and subject): per
//   grade the effort-key table L<grade>_P_S.dbf, per combination the
//   formative list L<grade>_f_e.<subject>;
// - the school's symbol table pi2_dta.dbf (seven levels).
// Everything is fixed: two runs write the same records.

#include <QString>
#include <QStringList>
#include <stdexcept>
#include <vector>

namespace km {

struct sample_combination {
  QString grade;         // "8" .. "12"
  QString subject;       // the subject number, "101"
  QString subject_code;  // short name, "AFRHT"
  QString subject_class;
  float total = 100.0f;  // the subject total of the export-control record
};

struct sample_learner {
  int number = 0;  // the learner number of the administration program
  QString name;    // "Surname Name"
  QString grade;
  QString subject_class;
};

struct sample_effort_key {
  QString code;
  QString description;
};

// The combinations in file order: combination N is entry N - 1.
const std::vector<sample_combination>& sample_combinations();
// Every learner of the school.
const std::vector<sample_learner>& sample_learners();
// The learners of a combination (those of its grade and class), in learner
// number order.
std::vector<sample_learner> sample_learners_of(const sample_combination& combination);
const std::vector<sample_effort_key>& sample_effort_keys();
// The formative descriptions of every combination (codes "01", "02", ...).
const QStringList& sample_formative_descriptions();
QString sample_formative_file_name(const sample_combination& combination);

// The cycle mark of the k-th learner (from 0) of combination n (from 1):
// blank, "A" (absent) or a number out of the total in "##0.0" form.
QString sample_mark(int k, int n, float total);

struct sample_school_options {
  QString data_folder = QStringLiteral("C:\\KORVA-DATA");  // Windows form
  // A second folder that gets the school record too (where the program
  // looks for it at start); "" for none. A school record already there is
  // kept unless replace_existing.
  QString school_record_folder;
  QString school_name = QStringLiteral("Hoërskool Sonvallei");
  QString province = QStringLiteral("Wes-Kaap");
  // Without it a folder that already holds an export-control file is left
  // alone (sample_school_error).
  bool replace_existing = false;
};

class sample_school_error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The folder where the program looks for the school record when no
// administration folder is set: "<drive>\L" and the last two digits of
// the year ("C:\L17").
QString sample_school_record_folder(const QString& drive, int year);

// Writes the sample school; the folders are created when missing. Throws
// sample_school_error, platform::file_error or platform::dbf_error.
void make_sample_school(const sample_school_options& options);

}  // namespace km
