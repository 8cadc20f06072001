#include "markbook/example_setup.h"

#include <array>

namespace km {

namespace {

struct example_row {
  const char16_t* afrikaans;
  const char16_t* english;
  const char16_t* total;
  const char16_t* result_row;  // nullptr: not written
  const char16_t* out_of;      // nullptr: not written
  const char16_t* cycle_name;  // nullptr: not written
};

constexpr std::array<example_row, 21> example_rows{{
    {u"TAAK 1", u"TASK 1", u"10", u"5", nullptr, nullptr},
    {u"TAAK 2", u"TASK 2", u"10", u"5", nullptr, nullptr},
    {u"TAAK 3", u"TASK 3", u"10", u"5", nullptr, nullptr},
    {u"TAAK 4", u"TASK 4", u"10", u"5", nullptr, nullptr},
    {u"KLASWERK", u"CLASS WORK", u"40", u"11", u"40", nullptr},
    {u"MINI OPDRAG", u"MINI ASSIGNMENT", u"20", u"11", u"10", nullptr},
    {u"PRAKTIES 1", u"PRACTICAL 1", u"10", u"10", nullptr, nullptr},
    {u"PRAKTIES 2", u"PRACTICAL 2", u"10", u"10", nullptr, nullptr},
    {u"PRAKTIES 3", u"PRACTICAL 3", u"10", u"10", nullptr, nullptr},
    {u"PRAKTIESE WERK", u"PRACTICAL WORK", u"30", u"11", u"10", nullptr},
    {u"SUBTOTAAL 1", u"SUB TOTAL 1", u"60", u"21", u"60", nullptr},
    {u"KLASTOETS 1", u"CLASS TEST 1", u"20", u"16", nullptr, nullptr},
    {u"KLASTOETS 2", u"CLASS TEST 2", u"20", u"16", nullptr, nullptr},
    {u"HOOFTOETS 1", u"MAIN TEST 1", u"50", u"16", nullptr, u"S1"},
    {u"HOOFTOETS 2", u"MAIN TEST 2", u"50", u"16", nullptr, u"S2"},
    {u"KLASTOETSE", u"CLASS TESTS", u"40", u"20", u"20", nullptr},
    {u"EKSAMEN 1", u"EXAM 1", u"20", u"19", nullptr, u"S3"},
    {u"EKSAMEN 2", u"EXAM 2", u"20", u"19", nullptr, u"S4"},
    {u"EKSAMENS", u"EXAMINATIONS", u"20", u"20", u"20", nullptr},
    {u"SUBTOTAAL 2", u"SUB TOTAL 2", u"40", u"21", u"40", nullptr},
    {u"TOTAAL", u"TOTAL", u"100", u"", u"100", nullptr},
}};

void put(QString& cell, const char16_t* text) {
  if (text) cell = QString::fromUtf16(text);
}

}  // namespace

void apply_example_setup(setup_rows& rows, bool afrikaans) {
  for (std::size_t i = 0; i < example_rows.size(); ++i) {
    const example_row& example = example_rows[i];
    pboek_setup_line& row = rows[i];
    put(row.task_project, afrikaans ? example.afrikaans : example.english);
    put(row.total, example.total);
    put(row.result_row, example.result_row);
    put(row.out_of, example.out_of);
    put(row.cycle_name, example.cycle_name);
  }
}

}  // namespace km
