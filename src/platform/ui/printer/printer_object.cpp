#include "platform/ui/printer/printer_object.h"

#include <QtMath>
#include <cmath>
#include <memory>

#include "platform/services.h"
#include "platform/ui/printer/device_choice.h"

namespace km::platform {

namespace {

// A print zone (the stop a comma moves to) is 14 columns wide.
constexpr int zone_columns = 14;
// Positions closer than this count as equal (rounding of scaled values).
constexpr double same_position = 0.5;

// Splits text at CR LF, LF or a lone CR.
QStringList text_lines(const QString& text) {
  QStringList lines;
  QString line;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text.at(i);
    if (c == u'\r' || c == u'\n') {
      lines << line;
      line.clear();
      if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n') ++i;
    } else {
      line += c;
    }
  }
  lines << line;
  return lines;
}

}  // namespace

printer_object::printer_object() : metrics_(default_text_metrics()) {}

printer_object::printer_object(std::shared_ptr<print_device> device, std::shared_ptr<text_metrics> metrics)
    : device_(std::move(device)), metrics_(std::move(metrics)) {
  if (!metrics_) metrics_ = default_text_metrics();
}

void printer_object::set_device(std::shared_ptr<print_device> device) { device_ = std::move(device); }

print_device& printer_object::device() const {
  if (!device_) device_ = current_printer_device(nullptr);
  return *device_;
}

std::shared_ptr<print_device> printer_object::shared_device() const {
  device();  // makes the default device when there is none yet
  return device_;
}

QString printer_object::device_name() const { return device().name(); }

void printer_object::set_metrics(std::shared_ptr<text_metrics> metrics) {
  metrics_ = metrics ? std::move(metrics) : default_text_metrics();
}

void printer_object::reset() {
  kill_doc();
  job_name_.clear();
  copies_ = 1;
  color_mode_ = color_mode::color;
  orientation_ = page_orientation::portrait;
  mode_ = scale_unit::twips;
  tpu_x_ = tpu_y_ = 1.0;
  left_ = top_ = 0.0;
  font_ = print_font{};
  font_transparent_ = true;
  fore_color_ = Qt::black;
  fill_color_ = Qt::black;
  fill_style_ = 1;
  draw_width_ = 1;
  last_error_ = print_error{};
  last_page_count_ = 0;
  last_output_path_.clear();
}

// --- job and sheet

void printer_object::set_copies(int copies) {
  if (copies < 1) throw printer_error("the number of copies must be at least 1");
  copies_ = copies;
}

void printer_object::set_orientation(page_orientation orientation) {
  if (orientation != page_orientation::portrait && orientation != page_orientation::landscape)
    throw printer_error("orientation must be 1 (portrait) or 2 (landscape)");
  orientation_ = orientation;
}

void printer_object::set_paper_size(int size) {
  if (size != 9) throw printer_error("only A4 paper (9) is available");
}

page_geometry printer_object::geometry() const {
  if (doc_ && page_begun_) return doc_->pages.back().geometry;
  return device().geometry(orientation_);
}

double printer_object::width() const { return geometry().paper_width; }
double printer_object::height() const { return geometry().paper_height; }
double printer_object::twips_per_pixel_x() const { return twips_per_printer_pixel; }

// --- scale

double printer_object::unit_x(scale_unit unit) const {
  switch (unit) {
    case scale_unit::user:
      return tpu_x_;
    case scale_unit::twips:
      return 1.0;
    case scale_unit::points:
      return twips_per_point;
    case scale_unit::pixels:
      return twips_per_pixel_x();
    case scale_unit::characters:
      return twips_per_character_x;
    case scale_unit::inches:
      return twips_per_inch;
    case scale_unit::millimeters:
      return twips_per_inch / 25.4;
    case scale_unit::centimeters:
      return twips_per_inch / 2.54;
    case scale_unit::himetric:
      return twips_per_inch / 2540.0;
  }
  throw printer_error("unknown scale unit");
}

double printer_object::unit_y(scale_unit unit) const {
  switch (unit) {
    case scale_unit::user:
      return tpu_y_;
    case scale_unit::characters:
      return twips_per_character_y;
    case scale_unit::pixels:
      return twips_per_pixel_y();
    default:
      return unit_x(unit);
  }
}

void printer_object::set_scale_mode(scale_unit mode) {
  if (mode == scale_unit::user) {
    mode_ = mode;
    return;
  }
  if (mode == scale_unit::himetric || int(mode) < 0 || int(mode) > int(scale_unit::centimeters))
    throw printer_error("invalid scale mode");
  tpu_x_ = unit_x(mode);
  tpu_y_ = unit_y(mode);
  mode_ = mode;
  left_ = top_ = 0.0;
}

double printer_object::scale_width() const { return geometry().printable.width() / tpu_x_; }
double printer_object::scale_height() const { return geometry().printable.height() / tpu_y_; }

void printer_object::set_scale_left(double left) {
  left_ = left;
  mode_ = scale_unit::user;
}

void printer_object::set_scale_top(double top) {
  top_ = top;
  mode_ = scale_unit::user;
}

void printer_object::set_scale_width(double width) {
  if (width == 0.0 || !std::isfinite(width)) throw printer_error("the scale width cannot be 0");
  tpu_x_ = geometry().printable.width() / width;
  mode_ = scale_unit::user;
}

void printer_object::set_scale_height(double height) {
  if (height == 0.0 || !std::isfinite(height)) throw printer_error("the scale height cannot be 0");
  tpu_y_ = geometry().printable.height() / height;
  mode_ = scale_unit::user;
}

void printer_object::scale(double x1, double y1, double x2, double y2) {
  if (x1 == x2 || y1 == y2) throw printer_error("the scale needs two distinct corners");
  set_scale_width(x2 - x1);
  set_scale_height(y2 - y1);
  left_ = x1;
  top_ = y1;
}

double printer_object::scale_x(double value, scale_unit from, scale_unit to) const {
  return value * unit_x(from) / unit_x(to);
}

double printer_object::scale_y(double value, scale_unit from, scale_unit to) const {
  return value * unit_y(from) / unit_y(to);
}

// --- position

double printer_object::current_x() const { return left_ + x_ / tpu_x_; }
double printer_object::current_y() const { return top_ + y_ / tpu_y_; }
void printer_object::set_current_x(double x) { x_ = to_twips_x(x); }
void printer_object::set_current_y(double y) { y_ = to_twips_y(y); }

// --- attributes

void printer_object::set_font(const print_font& font) {
  if (!(font.size > 0.0)) throw printer_error("the font size must be above 0");
  font_ = font;
}

void printer_object::set_font_size(double size) {
  if (!(size > 0.0) || size > 2048.0) throw printer_error("the font size must be above 0");
  font_.size = size;
}

void printer_object::set_fill_style(int style) {
  if (style < 0 || style > 7) throw printer_error("fill style must be 0 to 7");
  fill_style_ = style;
}

void printer_object::set_draw_width(int width) {
  if (width < 1 || width > 32767) throw printer_error("the draw width must be at least 1");
  draw_width_ = width;
}

QColor printer_object::ink(const QColor& color) const {
  if (color_mode_ == color_mode::color) return color;
  const int grey = qGray(color.rgb());
  return QColor(grey, grey, grey);
}

// --- text

double printer_object::text_width(const QString& text) const {
  double widest = 0.0;
  for (const QString& line : text_lines(text)) widest = std::max(widest, metrics_->width(font_, line));
  return widest / tpu_x_;
}

double printer_object::text_height(const QString& text) const {
  return metrics_->line_height(font_) * double(text_lines(text).size()) / tpu_y_;
}

void printer_object::new_line() {
  x_ = 0.0;
  y_ += metrics_->line_height(font_);
}

// A text drawing in the current font and colour, not yet placed.
print_op printer_object::text_op(const QString& text) const {
  print_op op;
  op.what = print_op::kind::text;
  op.text = text;
  op.font = font_;
  op.color = ink(fore_color_);
  op.transparent = font_transparent_;
  op.ascent = metrics_->ascent(font_);
  return op;
}

void printer_object::print_segment(const QString& text) {
  if (text.isEmpty()) return;
  const double width = metrics_->width(font_, text);
  print_op op = text_op(text);
  op.x1 = x_;
  op.y1 = y_;
  op.x2 = x_ + width;
  op.y2 = y_ + metrics_->line_height(font_);
  doc_->pages.back().ops.push_back(std::move(op));
  x_ += width;
}

void printer_object::print_text(const QString& text) {
  const QStringList lines = text_lines(text);
  for (qsizetype i = 0; i < lines.size(); ++i) {
    if (i > 0) new_line();
    print_segment(lines.at(i));
  }
}

void printer_object::tab_to(int column) {
  const double target = double(std::max(column, 1) - 1) * metrics_->column_width(font_);
  if (x_ > target + same_position) new_line();
  x_ = target;
}

void printer_object::next_zone() {
  const double zone = zone_columns * metrics_->column_width(font_);
  if (zone <= 0.0) return;
  x_ = (std::floor(x_ / zone + same_position / zone) + 1.0) * zone;
}

// What follows the items of a Print statement: a new line, nothing, or the
// next print zone.
void printer_object::end_print(print_end end) {
  if (end == print_end::line_end)
    new_line();
  else if (end == print_end::next_zone)
    next_zone();
}

void printer_object::print(const QString& text, print_end end) {
  ensure_page();
  print_text(text);
  end_print(end);
}

void printer_object::print(std::initializer_list<print_item> items, print_end end) {
  ensure_page();
  for (const print_item& item : items) {
    if (const auto* text = std::get_if<QString>(&item))
      print_text(*text);
    else if (const auto* tab = std::get_if<print_tab>(&item))
      tab_to(tab->column);
    else if (const auto* spc = std::get_if<print_spc>(&item))
      x_ += std::max(spc->count, 0) * metrics_->column_width(font_);
    else
      next_zone();
  }
  end_print(end);
}

void printer_object::print_rotated(const QString& text, int angle_tenths) {
  ensure_page();
  const double radians = qDegreesToRadians(angle_tenths / 10.0);
  const double line_height = metrics_->line_height(font_);
  const QStringList lines = text_lines(text);
  for (qsizetype i = 0; i < lines.size(); ++i) {
    if (lines.at(i).isEmpty()) continue;
    // Each further line lies one line height further "down" in the turned text.
    const double x = x_ + double(i) * line_height * std::sin(radians);
    const double y = y_ + double(i) * line_height * std::cos(radians);
    print_op op = text_op(lines.at(i));
    op.angle_tenths = angle_tenths;
    op.x1 = x;
    op.y1 = y;
    op.x2 = x + metrics_->width(font_, op.text);
    op.y2 = y + line_height;
    doc_->pages.back().ops.push_back(std::move(op));
  }
}

// --- graphics

void printer_object::line(double x1, double y1, double x2, double y2, line_shape shape,
                          std::optional<QColor> color) {
  ensure_page();
  print_op op;
  op.x1 = to_twips_x(x1);
  op.y1 = to_twips_y(y1);
  op.x2 = to_twips_x(x2);
  op.y2 = to_twips_y(y2);
  op.color = ink(color.value_or(fore_color_));
  op.pen_width = draw_width_ * twips_per_pixel_x();
  switch (shape) {
    case line_shape::line:
      op.what = print_op::kind::line;
      break;
    case line_shape::box:
      op.what = print_op::kind::box;
      op.filled_interior = fill_style_ == 0;
      op.fill_color = ink(fill_color_);
      break;
    case line_shape::filled_box:
      op.what = print_op::kind::filled_box;
      break;
  }
  x_ = op.x2;
  y_ = op.y2;
  doc_->pages.back().ops.push_back(std::move(op));
}

void printer_object::line_to(double x2, double y2, line_shape shape, std::optional<QColor> color) {
  line(current_x(), current_y(), x2, y2, shape, color);
}

void printer_object::paint_picture(const QImage& picture, double x, double y, std::optional<double> width,
                                   std::optional<double> height) {
  ensure_page();
  // A picture's own size follows its resolution; one without a resolution
  // counts as a screen picture of 96 dots per inch.
  const auto natural = [](int pixels, int dots_per_meter) {
    const double dpi = dots_per_meter > 0 ? dots_per_meter * 0.0254 : 96.0;
    return pixels * twips_per_inch / dpi;
  };
  double w = width ? *width * tpu_x_ : natural(picture.width(), picture.dotsPerMeterX());
  double h = height ? *height * tpu_y_ : natural(picture.height(), picture.dotsPerMeterY());
  print_op op;
  op.what = print_op::kind::picture;
  op.image = picture.mirrored(w < 0, h < 0);
  op.x1 = to_twips_x(x);
  op.y1 = to_twips_y(y);
  if (w < 0) {
    op.x1 += w;
    w = -w;
  }
  if (h < 0) {
    op.y1 += h;
    h = -h;
  }
  op.x2 = op.x1 + w;
  op.y2 = op.y1 + h;
  doc_->pages.back().ops.push_back(std::move(op));
}

// --- document

void printer_object::ensure_page() {
  if (!doc_) {
    doc_.emplace();
    page_begun_ = false;
  }
  if (!page_begun_) {
    print_page page;
    page.number = page_number_;
    page.orientation = orientation_;
    page.geometry = device().geometry(orientation_);
    doc_->pages.push_back(std::move(page));
    page_begun_ = true;
  }
}

void printer_object::new_page() {
  ensure_page();
  page_begun_ = false;
  ++page_number_;
  x_ = y_ = 0.0;
}

void printer_object::finish_document() {
  doc_.reset();
  page_begun_ = false;
  page_number_ = 1;
  x_ = y_ = 0.0;
}

bool printer_object::end_doc() {
  last_error_ = print_error{};
  if (!doc_) {
    last_page_count_ = 0;
    finish_document();
    return true;
  }
  doc_->job_name = job_name_;
  doc_->copies = copies_;
  doc_->colors = color_mode_;
  last_page_count_ = int(doc_->pages.size());
  const bool ok = device().write(*doc_, last_error_);
  last_output_path_ = ok ? device().output_path() : QString();
  if (ok) last_error_ = print_error{};
  finish_document();
  return ok;
}

void printer_object::kill_doc() { finish_document(); }

namespace {

// Made on first use; a test ends with it gone (device, metrics and every
// property), so the next test meets a printer as the program starts with.
std::unique_ptr<printer_object>& the_printer() {
  static std::unique_ptr<printer_object> p;
  return p;
}

const reset_step new_printer{reset_stage::open_files, [] { the_printer().reset(); }};

}  // namespace

printer_object& printer() {
  if (!the_printer()) the_printer() = std::make_unique<printer_object>();
  return *the_printer();
}

}  // namespace km::platform
