#pragma once
// The plain data of printed output: fonts, drawing operations, pages and
// documents, all measured in twips (1/1440 inch) from the top-left corner of
// the printable area. The printer object builds these; the devices render
// them (to PDF, to a system printer, to HTML) or keep them (for tests).

#include <QColor>
#include <QImage>
#include <QRectF>
#include <QString>
#include <vector>

#include "platform/platform_error.h"

namespace km::platform {

// Twips per unit of the fixed scales.
inline constexpr double twips_per_inch = 1440.0;
inline constexpr double twips_per_point = 20.0;
inline constexpr double twips_per_character_x = 120.0;
inline constexpr double twips_per_character_y = 240.0;
// The pixel of the pixel scale and of DrawWidth: one 600th of an inch on
// every device, so a rule is as wide on paper as in the PDF, whatever
// resolution the printer itself works at.
inline constexpr double printer_pixels_per_inch = 600.0;
inline constexpr double twips_per_printer_pixel = twips_per_inch / printer_pixels_per_inch;

// The coordinate units of the printer; the numbers are the ones stored
// settings and callers use (ScaleMode 4 is the character scale).
enum class scale_unit : int {
  user = 0,
  twips = 1,
  points = 2,
  pixels = 3,
  characters = 4,
  inches = 5,
  millimeters = 6,
  centimeters = 7,
  himetric = 8,  // only as a unit of scale_x / scale_y, never a scale mode
};

enum class page_orientation : int { portrait = 1, landscape = 2 };

// 1 prints every colour as a shade of grey, 2 prints in colour.
enum class color_mode : int { monochrome = 1, color = 2 };

// A font as the printer holds it: the name as the program gave it (it is
// mapped to an installed family only where text is measured or drawn).
struct print_font {
  QString name = QStringLiteral("Arial");
  double size = 10.0;  // points
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikethrough = false;
  bool operator==(const print_font&) const = default;
};

// One drawing operation of a page. Coordinates are twips from the top-left
// corner of the printable area.
struct print_op {
  enum class kind { text, line, box, filled_box, picture };
  kind what = kind::text;

  // text: (x1, y1) is the top-left corner of the text cell (before turning);
  // x2 - x1 is the measured width and y2 - y1 the line height.
  // line: from (x1, y1) to (x2, y2).
  // box, filled_box, picture: the corners (x1, y1) and (x2, y2) as given.
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;

  QColor color = Qt::black;  // text, line and outline colour; fill of a filled box
  double pen_width = 0;      // twips, lines and box outlines

  // text only
  QString text;
  print_font font;
  double ascent = 0;        // twips from the top of the cell to the baseline
  bool transparent = true;  // false: the cell is painted white behind the text
  int angle_tenths = 0;     // counter-clockwise turn about (x1, y1), tenths of a degree

  // box only: the interior fill, when the printer's fill style is solid
  bool filled_interior = false;
  QColor fill_color = Qt::black;

  // picture only
  QImage image;
};

// The size of one sheet and its printable area, in twips; printable is
// given in sheet coordinates (its top-left corner is the margin).
struct page_geometry {
  double paper_width = 0;
  double paper_height = 0;
  QRectF printable;
};

struct print_page {
  int number = 1;
  page_orientation orientation = page_orientation::portrait;
  page_geometry geometry;
  std::vector<print_op> ops;
};

struct print_document {
  QString job_name;
  int copies = 1;
  color_mode colors = color_mode::color;
  std::vector<print_page> pages;
};

// Why a document could not be written. The caller turns it into a message
// in the user's language; text() gives a plain English description.
struct print_error {
  // job_failed: the print system took the job, then aborted or cancelled
  // it; job_waiting: it waits in the queue of a stopped printer; job_held:
  // it is held in the queue until someone releases it.
  enum class kind {
    none,
    folder_not_writable,
    file_not_writable,
    no_printer,
    printer_refused,
    job_failed,
    job_waiting,
    job_held
  };
  kind what = kind::none;
  QString path;    // the folder, file or printer concerned
  QString detail;  // what the system said, when it said anything

  bool failed() const { return what != kind::none; }
  // The job is in the printer's queue but not printing: not lost, not done.
  bool waiting() const { return what == kind::job_waiting || what == kind::job_held; }
  QString text() const;
};

// A colour held as the older programs hold it: a long of 0x00BBGGRR (255 is
// red, 16777215 white).
inline QColor color_from_bgr(quint32 bgr) {
  return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}
inline quint32 bgr_from_color(const QColor& c) {
  return quint32(c.red()) | (quint32(c.green()) << 8) | (quint32(c.blue()) << 16);
}

// A property given a value the printer cannot take (a scale width of 0, a
// font size of 0, an unknown scale mode ...): 380, "Invalid property
// value"; what() says which property.
class printer_error : public platform_error {
 public:
  explicit printer_error(const char* detail)
      : platform_error(380, standard_error_text(380), QString::fromUtf8(detail)) {}
};

}  // namespace km::platform
