#pragma once
// The printer: one drawing surface with the older platform's semantics.
// Positions are kept in twips from the top-left corner of the printable
// area, so changing the scale never moves the print position. A document
// starts with its first drawing (a Print, even of nothing, a Line, a
// picture or NewPage); EndDoc hands it to the device, KillDoc throws it
// away. Property setters that get an impossible value throw printer_error.

#include <QImage>
#include <QString>
#include <initializer_list>
#include <memory>
#include <optional>
#include <variant>

#include "platform/model/print/print_types.h"
#include "platform/model/print/text_metrics.h"
#include "platform/ui/printer/print_device.h"

class QTextDocument;

namespace km::platform {

// Items of a Print statement besides text.
struct print_tab {
  int column = 1;  // Tab(n): column n, counted from 1 at the left edge
};
struct print_spc {
  int count = 0;  // Spc(n): n blank columns
};
struct print_zone {};  // a comma between items: on to the next print zone

using print_item = std::variant<QString, print_tab, print_spc, print_zone>;

// How a Print statement ends: with a line end, with ";" (stay after the
// text) or with "," (on to the next print zone).
enum class print_end { line_end, stay, next_zone };

// The three forms of the Line statement: a line, a box ("B") and a box
// filled with the line colour ("BF").
enum class line_shape { line, box, filled_box };

class printer_object {
 public:
  // Without a device the program's default device is made at first use.
  printer_object();
  explicit printer_object(std::shared_ptr<print_device> device,
                          std::shared_ptr<text_metrics> metrics = default_text_metrics());

  // --- device and measuring
  void set_device(std::shared_ptr<print_device> device);  // a pending document goes to the new device
  print_device& device() const;
  // The device itself, so that a caller that lends the printer another
  // device for one job can put this one back afterwards.
  std::shared_ptr<print_device> shared_device() const;
  QString device_name() const;
  void set_metrics(std::shared_ptr<text_metrics> metrics);
  const text_metrics& metrics() const { return *metrics_; }

  // Discards a pending document and puts every property back to its start
  // value; device and metrics stay.
  void reset();

  // --- job
  QString job_name() const { return job_name_; }
  void set_job_name(const QString& name) { job_name_ = name; }
  int copies() const { return copies_; }
  void set_copies(int copies);
  color_mode colors() const { return color_mode_; }
  void set_colors(color_mode mode) { color_mode_ = mode; }

  // --- sheet
  page_orientation orientation() const { return orientation_; }
  // Takes effect for the page not yet drawn on: the current page when it is
  // still blank, otherwise the next one.
  void set_orientation(page_orientation orientation);
  int paper_size() const { return 9; }  // A4, the only paper the program uses
  void set_paper_size(int size);        // accepts 9 (A4) only
  int page() const { return page_number_; }
  double width() const;   // sheet width in twips, in the orientation of the page in hand
  double height() const;  // sheet height in twips
  page_geometry geometry() const;
  double twips_per_pixel_x() const;
  double twips_per_pixel_y() const { return twips_per_pixel_x(); }

  // --- scale
  scale_unit scale_mode() const { return mode_; }
  // A standard mode sets its unit and puts the origin back at 0, 0; user
  // keeps the scale as it stands. himetric is refused.
  void set_scale_mode(scale_unit mode);
  double scale_left() const { return left_; }
  double scale_top() const { return top_; }
  double scale_width() const;
  double scale_height() const;
  // Each of these switches to the user scale.
  void set_scale_left(double left);
  void set_scale_top(double top);
  void set_scale_width(double width);
  void set_scale_height(double height);
  // The Scale method: (x1, y1) is the top-left corner, (x2, y2) the bottom-right.
  void scale(double x1, double y1, double x2, double y2);
  void reset_scale() { set_scale_mode(scale_unit::twips); }
  // A width or height converted between units; user means the scale in force.
  double scale_x(double value, scale_unit from, scale_unit to) const;
  double scale_y(double value, scale_unit from, scale_unit to) const;
  double scale_x(double value, scale_unit from) const { return scale_x(value, from, scale_unit::user); }
  double scale_y(double value, scale_unit from) const { return scale_y(value, from, scale_unit::user); }

  // --- position, in the current scale
  double current_x() const;
  double current_y() const;
  void set_current_x(double x);
  void set_current_y(double y);

  // --- font and drawing attributes
  const print_font& font() const { return font_; }
  void set_font(const print_font& font);
  QString font_name() const { return font_.name; }
  void set_font_name(const QString& name) { font_.name = name; }
  double font_size() const { return font_.size; }
  void set_font_size(double size);
  bool font_bold() const { return font_.bold; }
  void set_font_bold(bool on) { font_.bold = on; }
  bool font_italic() const { return font_.italic; }
  void set_font_italic(bool on) { font_.italic = on; }
  bool font_underline() const { return font_.underline; }
  void set_font_underline(bool on) { font_.underline = on; }
  bool font_strikethrough() const { return font_.strikethrough; }
  void set_font_strikethrough(bool on) { font_.strikethrough = on; }
  bool font_transparent() const { return font_transparent_; }
  void set_font_transparent(bool on) { font_transparent_ = on; }
  QColor fore_color() const { return fore_color_; }
  void set_fore_color(const QColor& color) { fore_color_ = color; }
  QColor fill_color() const { return fill_color_; }
  void set_fill_color(const QColor& color) { fill_color_ = color; }
  int fill_style() const { return fill_style_; }  // 0 solid, 1 transparent
  void set_fill_style(int style);
  int draw_width() const { return draw_width_; }  // in pixels (twips_per_printer_pixel), on every device
  void set_draw_width(int width);

  // --- text, measured in the current scale and font
  double text_width(const QString& text) const;   // the widest of its lines
  double text_height(const QString& text) const;  // one line height per line

  // Print text (line breaks CR LF, LF or CR start a new line at the left
  // edge), then end as asked.
  void print(const QString& text = QString(), print_end end = print_end::line_end);
  // Print a list of items; text items follow each other directly.
  void print(std::initializer_list<print_item> items, print_end end = print_end::line_end);
  // Text turned counter-clockwise by angle_tenths tenths of a degree about
  // the top-left corner of its first line, placed at the print position; the
  // print position does not move.
  void print_rotated(const QString& text, int angle_tenths);

  // Lays a rich-text document out from the print position down, between
  // left and right (twips from the printable area's left edge): each
  // paragraph word-wrapped in its own fonts, at its left indent, bullet
  // paragraphs with a bullet before them; a new page starts whenever a line
  // would pass the bottom of the printable area. Ends on the line after the
  // last paragraph, in the twips scale; the printer's font is restored.
  void print_rich_text(const QTextDocument& document, double left, double right);

  // --- graphics, in the current scale; colour missing = ForeColor.
  // The print position ends at (x2, y2).
  void line(double x1, double y1, double x2, double y2, line_shape shape = line_shape::line,
            std::optional<QColor> color = std::nullopt);
  // Line -(x2, y2): from the print position.
  void line_to(double x2, double y2, line_shape shape = line_shape::line,
               std::optional<QColor> color = std::nullopt);
  // The picture with its top-left corner at (x, y), at its own size unless
  // a width and height are given. A negative size mirrors it.
  void paint_picture(const QImage& picture, double x, double y, std::optional<double> width = std::nullopt,
                     std::optional<double> height = std::nullopt);

  // --- document
  void new_page();
  // Hands the document to the device. True when it was written or when
  // there was no document; false with last_error() when it failed. The
  // document is finished either way.
  [[nodiscard]] bool end_doc();
  void kill_doc();
  bool document_open() const { return doc_.has_value(); }
  const print_document* pending_document() const { return doc_ ? &*doc_ : nullptr; }
  const print_error& last_error() const { return last_error_; }
  int last_page_count() const { return last_page_count_; }  // pages of the last document ended
  QString last_output_path() const { return last_output_path_; }

 private:
  double unit_x(scale_unit unit) const;
  double unit_y(scale_unit unit) const;
  double to_twips_x(double x) const { return (x - left_) * tpu_x_; }
  double to_twips_y(double y) const { return (y - top_) * tpu_y_; }
  QColor ink(const QColor& color) const;
  void ensure_page();
  void new_line();
  print_op text_op(const QString& text) const;
  void print_segment(const QString& text);
  void print_text(const QString& text);
  void tab_to(int column);
  void next_zone();
  void end_print(print_end end);
  void finish_document();

  mutable std::shared_ptr<print_device> device_;
  std::shared_ptr<text_metrics> metrics_;

  QString job_name_;
  int copies_ = 1;
  color_mode color_mode_ = color_mode::color;
  page_orientation orientation_ = page_orientation::portrait;

  scale_unit mode_ = scale_unit::twips;
  double tpu_x_ = 1.0, tpu_y_ = 1.0;  // twips per unit
  double left_ = 0.0, top_ = 0.0;     // coordinates of the printable area's corner
  double x_ = 0.0, y_ = 0.0;          // print position in twips

  print_font font_;
  bool font_transparent_ = true;
  QColor fore_color_ = Qt::black;
  QColor fill_color_ = Qt::black;
  int fill_style_ = 1;
  int draw_width_ = 1;

  std::optional<print_document> doc_;
  bool page_begun_ = false;
  int page_number_ = 1;

  print_error last_error_;
  int last_page_count_ = 0;
  QString last_output_path_;
};

// The program's printer.
printer_object& printer();

}  // namespace km::platform
