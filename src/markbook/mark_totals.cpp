#include "markbook/mark_totals.h"

#include <algorithm>
#include <set>
#include <vector>

#include "common/text_routines.h"
#include "markbook/mark_value.h"
#include "markbook/result_row.h"
#include "platform/value.h"

namespace km {

namespace {

struct row_rules {
  std::array<bool, setup_row_count + 1> named{};
  std::array<int, setup_row_count + 1> target{};  // 0: carried nowhere
  std::array<bool, setup_row_count + 1> is_total{};
  std::array<double, setup_row_count + 1> total{};         // Val(TOTAL)
  std::array<double, setup_row_count + 1> member_total{};  // TOTAL, 1 when 0
  std::array<double, setup_row_count + 1> out_of{};        // OUT OF, the member total when not above 0
};

row_rules rules_of(const setup_rows& rows) {
  row_rules rules;
  for (int r = 1; r <= setup_row_count; ++r) {
    const pboek_setup_line& line = rows[std::size_t(r - 1)];
    rules.named[r] = !trim_blanks(line.task_project).isEmpty();
    rules.total[r] = platform::val(line.total);
    rules.member_total[r] = rules.total[r] == 0 ? 1 : rules.total[r];
    const double out_of = platform::val(line.out_of);
    rules.out_of[r] = out_of <= 0 ? rules.member_total[r] : out_of;
    if (!rules.named[r]) continue;
    if (const auto t = result_target(r, line.result_row)) {
      rules.target[r] = *t;
      rules.is_total[*t] = true;
    }
  }
  return rules;
}

// Every row after each row carried into it, otherwise in row order; the
// rows of a loop of results come last, in row order.
std::vector<int> dependency_order(const row_rules& rules) {
  std::array<int, setup_row_count + 1> waiting{};
  for (int r = 1; r <= setup_row_count; ++r)
    if (rules.target[r]) ++waiting[rules.target[r]];
  std::set<int> ready;
  for (int r = 1; r <= setup_row_count; ++r)
    if (waiting[r] == 0) ready.insert(r);
  std::vector<int> order;
  std::array<bool, setup_row_count + 1> placed{};
  while (!ready.empty()) {
    const int r = *ready.begin();
    ready.erase(ready.begin());
    order.push_back(r);
    placed[r] = true;
    if (rules.target[r] && --waiting[rules.target[r]] == 0) ready.insert(rules.target[r]);
  }
  for (int r = 1; r <= setup_row_count; ++r)
    if (!placed[r]) order.push_back(r);
  return order;
}

QString text_of(const std::optional<QString>& field) { return field ? trim_blanks(*field) : QString(); }

double value_of(const std::optional<QString>& field) { return field ? platform::val(*field) : 0.0; }

}  // namespace

mark_record recalculate_totals(const setup_rows& rows, const mark_record& record) {
  const row_rules rules = rules_of(rows);
  const std::vector<int> order = dependency_order(rules);
  mark_record out = record;
  auto field = [&out](int row) -> std::optional<QString>& { return out[std::size_t(row + 1)]; };

  for (int r = 1; r <= setup_row_count; ++r)
    if (rules.is_total[r]) field(r) = QStringLiteral("     ");

  // Members add their marks, scaled to their OUT OF, to their result rows.
  std::array<double, setup_row_count + 1> out_of_sum{};
  std::array<double, setup_row_count + 1> carried{};
  std::array<bool, setup_row_count + 1> counted{};
  for (const int r : order) {
    const int t = rules.target[r];
    if (!t) continue;
    const QString mark = text_of(field(r));
    if (is_uncounted_mark(mark)) continue;
    out_of_sum[t] += rules.out_of[r];
    carried[r] = platform::val(mark);
    counted[r] = true;
    const double term = round_one_decimal(carried[r] / rules.member_total[r] * rules.out_of[r]);
    field(t) = mark_text(round_one_decimal(term + value_of(field(t))));
  }

  // Each total is scaled to its own TOTAL, and what it carried on corrected.
  for (const int k : order) {
    if (!rules.is_total[k]) continue;
    const QString sum = text_of(field(k));
    if (sum.isEmpty() || sum == QStringLiteral("a")) continue;
    const double total = rules.total[k];
    const double out_of = out_of_sum[k] == 0 ? total : out_of_sum[k];
    double q = out_of == 0 ? 0 : total * (platform::val(sum) / out_of);
    if (total > 0) q = std::min(q, total);
    field(k) = mark_text(q);
    const int t = rules.target[k];
    if (!counted[k] || !t || total == 0) continue;
    const double correction = round_one_decimal(rules.out_of[k] * (q - carried[k]) / total);
    if (correction != 0) field(t) = platform::number_text(value_of(field(t)) + correction);
  }

  for (int r = 1; r <= setup_row_count; ++r)
    if (!rules.named[r]) field(r) = QString();
  return out;
}

}  // namespace km
