#pragma once
// How wide and high text comes out on the printer, in twips. The printer
// object asks a metrics provider; the program uses the fonts themselves,
// while tests install the fixed model so their figures do not depend on the
// fonts installed on the machine.

#include <QFont>
#include <QHash>
#include <QString>
#include <memory>

#include "platform/model/print/print_types.h"

namespace km::platform {

class text_metrics {
 public:
  virtual ~text_metrics() = default;
  // Advance width of one line of text (no line breaks).
  virtual double width(const print_font& font, const QString& line) const = 0;
  // Height of one printed line, the distance from one line to the next.
  virtual double line_height(const print_font& font) const = 0;
  // From the top of the line to the baseline.
  virtual double ascent(const print_font& font) const = 0;
  // Width of one print column: the average character width of the font.
  virtual double column_width(const print_font& font) const = 0;
};

// Every character is 0.6 em wide, a line is 1.2 em high with the baseline
// 1 em down, and a column is one character (1 em = size x 20 twips). At
// 10 points a character is 120 twips and a line 240, the character scale.
class fixed_text_metrics : public text_metrics {
 public:
  double width(const print_font& font, const QString& line) const override;
  double line_height(const print_font& font) const override;
  double ascent(const print_font& font) const override;
  double column_width(const print_font& font) const override;
};

// The real fonts, measured at 1440 dots per inch so one unit is one twip.
class font_text_metrics : public text_metrics {
 public:
  double width(const print_font& font, const QString& line) const override;
  double line_height(const print_font& font) const override;
  double ascent(const print_font& font) const override;
  double column_width(const print_font& font) const override;

 private:
  struct measures;
  const measures& lookup(const print_font& font) const;
  mutable QHash<QString, std::shared_ptr<measures>> cache_;
  // The font asked for last; text is mostly measured many times in a row
  // in one font.
  mutable print_font last_font_;
  mutable const measures* last_ = nullptr;
};

// The shared provider of the program (font metrics unless replaced).
std::shared_ptr<text_metrics> default_text_metrics();

}  // namespace km::platform
