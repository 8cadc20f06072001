#pragma once
// The default achievement scales written into an empty PI2 or PSMB file.

#include <QString>
#include <span>

namespace km {

struct achievement_level {
  const char* symbol;
  float lower;  // percent
  float upper;
  const char* afrikaans;
  const char* english;
};

// The four-level scale for grades 4 to 6 before 2013; the seven-level scale
// otherwise, an empty grade included.
std::span<const achievement_level> default_scale(const QString& grade, const QString& year);

// Write the scale of g_grade and g_year into the open, empty file of
// g_pi2_file_number or g_psmb_file_number and count its records
// (data_file_services hooks of the same names).
void fill_default_pi2_symbols();
void fill_default_psmb_symbols();

}  // namespace km
