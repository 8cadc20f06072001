#include "platform/model/print/text_metrics.h"

#include <QFontMetricsF>

#include "platform/model/print/font_mapping.h"

namespace km::platform {

namespace {
double em(const print_font& font) { return font.size * twips_per_point; }
}  // namespace

double fixed_text_metrics::width(const print_font& font, const QString& line) const {
  return 0.6 * em(font) * double(line.size());
}
double fixed_text_metrics::line_height(const print_font& font) const { return 1.2 * em(font); }
double fixed_text_metrics::ascent(const print_font& font) const { return em(font); }
double fixed_text_metrics::column_width(const print_font& font) const { return 0.6 * em(font); }

struct font_text_metrics::measures {
  explicit measures(const QFont& font) : metrics(font) {}
  QFontMetricsF metrics;
};

const font_text_metrics::measures& font_text_metrics::lookup(const print_font& font) const {
  if (last_ && font.size == last_font_.size && font.bold == last_font_.bold &&
      font.italic == last_font_.italic && font.name == last_font_.name)
    return *last_;
  // Underline and strikethrough do not change any measure.
  const QString key = font.name.toLower() + u'|' + QString::number(font.size) + u'|' +
                      QChar(font.bold ? u'b' : u'-') + QChar(font.italic ? u'i' : u'-');
  auto it = cache_.constFind(key);
  if (it == cache_.constEnd()) it = cache_.insert(key, std::make_shared<measures>(twips_font(font)));
  last_font_ = font;
  last_ = it->get();
  return **it;
}

double font_text_metrics::width(const print_font& font, const QString& line) const {
  return lookup(font).metrics.horizontalAdvance(line);
}
double font_text_metrics::line_height(const print_font& font) const {
  return lookup(font).metrics.lineSpacing();
}
double font_text_metrics::ascent(const print_font& font) const { return lookup(font).metrics.ascent(); }
double font_text_metrics::column_width(const print_font& font) const {
  return lookup(font).metrics.averageCharWidth();
}

std::shared_ptr<text_metrics> default_text_metrics() {
  static const std::shared_ptr<text_metrics> shared = std::make_shared<font_text_metrics>();
  return shared;
}

}  // namespace km::platform
