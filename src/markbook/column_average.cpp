#include "markbook/column_average.h"

#include "common/text_routines.h"
#include "markbook/mark_value.h"
#include "platform/number_format.h"
#include "platform/value.h"

namespace km {

double column_average(const std::vector<std::optional<QString>>& marks, const QString& total_text) {
  const double total = platform::val(total_text);
  double sum = 0;
  int count = 0;
  for (const std::optional<QString>& mark : marks) {
    if (!mark || is_uncounted_mark(*mark)) continue;
    sum += platform::val(*mark);
    ++count;
  }
  if (total <= 0 || sum <= 0) return 0;
  return platform::rounded_decimal(100 * (sum / count) / total, 4, platform::rounding::half_even);
}

std::array<double, 43> column_averages(const platform::recordset& book, const QStringList& totals) {
  std::array<double, 43> averages{};
  const int last = std::min(book.field_count(), 42);
  std::vector<std::vector<std::optional<QString>>> columns(std::size_t(std::max(last, 0)));
  for (qint64 p = 0; p < book.record_count(); ++p)
    for (int c = 2; c < last; ++c) {
      const platform::Value v = book.value_at(p, c);
      columns[std::size_t(c)].push_back(v.is_null() || v.is_empty() ? std::nullopt
                                                                    : std::optional<QString>(v.to_text()));
    }
  for (int c = 2; c < last; ++c)
    averages[std::size_t(c)] = column_average(columns[std::size_t(c)], totals.value(c));
  return averages;
}

QString mark_column_caption(const QString& name, const QString& total_text, double average) {
  return left_justify(platform::Value(name), 7) + QStringLiteral("\n") +
         right_justify(platform::Value(total_text), 7) + QStringLiteral("\n") +
         platform::format_number(average, QStringLiteral(" ###0.0"));
}

}  // namespace km
