#pragma once
// What a reader of a printed page sees broken: a drawing outside the page
// frame (its longest rules across and down), a text standing across a column rule
// (a vertical line beside it), and the texts of the page, to find a text
// that was cut. Read from the printer's recorded operations, in twips.

#include <QString>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <optional>

#include "platform/model/print/print_types.h"

namespace km::test {

namespace page_fit_detail {

inline double length(const platform::print_op& op) { return std::hypot(op.x2 - op.x1, op.y2 - op.y1); }

inline QString describe(const platform::print_op& op) {
  if (op.what == platform::print_op::kind::text) return QStringLiteral("text \"%1\"").arg(op.text);
  return QStringLiteral("drawing at (%1, %2)-(%3, %4)")
      .arg(op.x1, 0, 'f', 0)
      .arg(op.y1, 0, 'f', 0)
      .arg(op.x2, 0, 'f', 0)
      .arg(op.y2, 0, 'f', 0);
}

}  // namespace page_fit_detail

// The page frame's edges, in twips.
struct page_frame_edges {
  double left = 0, right = 0, top = 0, bottom = 0;
};

// The frame of the page: drawn as four lines, the longest across and the
// longest down; none on a page without lines both ways.
inline std::optional<page_frame_edges> page_frame(const platform::print_page& page) {
  using platform::print_op;
  namespace d = page_fit_detail;
  const print_op* across = nullptr;
  const print_op* down = nullptr;
  for (const print_op& op : page.ops) {
    if (op.what != print_op::kind::line) continue;
    if (std::abs(op.y1 - op.y2) < 0.5 && (!across || d::length(op) > d::length(*across))) across = &op;
    if (std::abs(op.x1 - op.x2) < 0.5 && (!down || d::length(op) > d::length(*down))) down = &op;
  }
  if (!across || !down) return std::nullopt;
  return page_frame_edges{std::min(across->x1, across->x2), std::max(across->x1, across->x2),
                          std::min(down->y1, down->y2), std::max(down->y1, down->y2)};
}

// Every fault of the page, one line each; empty when the page is sound.
inline QStringList page_faults(const platform::print_page& page) {
  using platform::print_op;
  namespace d = page_fit_detail;
  const std::optional<page_frame_edges> frame = page_frame(page);
  if (!frame) return {QStringLiteral("page %1 has no frame").arg(page.number)};
  const double left = frame->left, right = frame->right, top = frame->top, bottom = frame->bottom;
  constexpr double slack = 1.0;
  const auto inside = [&](double x, double y) {
    return x >= left - slack && x <= right + slack && y >= top - slack && y <= bottom + slack;
  };
  QStringList faults;
  for (const print_op& op : page.ops) {
    if (op.angle_tenths != 0) continue;
    // A text's cell may reach past its ink below; its width is what counts.
    const bool text = op.what == print_op::kind::text;
    if (text && op.text.trimmed().isEmpty()) continue;
    if (!inside(op.x1, op.y1) || !inside(op.x2, text ? op.y1 : op.y2))
      faults << QStringLiteral("page %1: %2 outside the frame").arg(page.number).arg(d::describe(op));
  }
  for (const print_op& rule : page.ops) {
    if (rule.what != print_op::kind::line || std::abs(rule.x1 - rule.x2) > 0.5) continue;
    const double low = std::min(rule.y1, rule.y2), high = std::max(rule.y1, rule.y2);
    for (const print_op& op : page.ops) {
      if (op.what != print_op::kind::text || op.angle_tenths != 0 || op.text.trimmed().isEmpty()) continue;
      const double middle = (op.y1 + op.y2) / 2;
      if (middle < low || middle > high) continue;
      if (op.x1 < rule.x1 - slack && op.x2 > rule.x1 + slack)
        faults << QStringLiteral("page %1: %2 crosses the rule at x %3")
                      .arg(page.number)
                      .arg(d::describe(op))
                      .arg(rule.x1, 0, 'f', 0);
    }
  }
  return faults;
}

// The texts of the page that start less than `margin` twips right of the
// frame's left rule (on it, or left of it), one line each.
inline QStringList texts_at_the_left_rule(const platform::print_page& page, double margin) {
  const std::optional<page_frame_edges> frame = page_frame(page);
  if (!frame) return {QStringLiteral("page %1 has no frame").arg(page.number)};
  QStringList faults;
  for (const platform::print_op& op : page.ops)
    if (op.what == platform::print_op::kind::text && op.angle_tenths == 0 && !op.text.trimmed().isEmpty() &&
        op.x1 < frame->left + margin)
      faults << QStringLiteral("page %1: text \"%2\" at x %3, the frame at %4")
                    .arg(page.number)
                    .arg(op.text)
                    .arg(op.x1, 0, 'f', 0)
                    .arg(frame->left, 0, 'f', 0);
  return faults;
}

// The faults of every page of a document.
inline QStringList document_faults(const platform::print_document& document) {
  QStringList faults;
  for (const platform::print_page& page : document.pages) faults << page_faults(page);
  return faults;
}

// Every text drawn, upright, trimmed, in drawing order.
inline QStringList drawn_texts(const platform::print_document& document) {
  QStringList texts;
  for (const platform::print_page& page : document.pages)
    for (const platform::print_op& op : page.ops)
      if (op.what == platform::print_op::kind::text && op.angle_tenths == 0) texts << op.text.trimmed();
  return texts;
}

}  // namespace km::test
