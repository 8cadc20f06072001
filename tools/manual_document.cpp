#include "tools/manual_document.h"

#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextDocument>
#include <QUrl>
#include <algorithm>

namespace km {

namespace {

// The text column of an A4 page with the 2 cm margins the text document
// prints with, in the screen pixels (96 to the inch) its pictures are
// measured in.
constexpr double column_width = (210.0 - 40.0) / 25.4 * 96.0;
// Windows drawn at 80 % keep their text about as large as the manual's own.
constexpr double picture_scale = 0.8;

// Each <img src="name"> gets the width at which it is drawn.
QString with_picture_widths(QString html, const QMap<QString, QImage>& pictures) {
  static const QRegularExpression img(QStringLiteral("<img src=\"([^\"]+)\">"));
  QString out;
  qsizetype at = 0;
  for (auto it = img.globalMatch(html); it.hasNext();) {
    const QRegularExpressionMatch m = it.next();
    const QImage picture = pictures.value(m.captured(1));
    const int width = int(std::min(column_width, picture.width() * picture_scale));
    out += html.mid(at, m.capturedStart() - at);
    out += QStringLiteral("<img src=\"%1\" width=\"%2\">").arg(m.captured(1)).arg(width);
    at = m.capturedEnd();
  }
  return out + html.mid(at);
}

}  // namespace

bool write_manual_pdf(const QString& html, const QMap<QString, QImage>& pictures, const QString& title,
                      const QString& pdf_path) {
  QTextDocument document;
  document.setDefaultFont(QFont(QStringLiteral("Liberation Sans"), 10));
  for (auto it = pictures.begin(); it != pictures.end(); ++it)
    document.addResource(QTextDocument::ImageResource, QUrl(it.key()), it.value());
  document.setHtml(with_picture_widths(html, pictures));

  // Printed as a document without pages of its own: the text document
  // breaks it into A4 pages with 2 cm margins and numbers them.
  QFile::remove(pdf_path);
  {
    QPdfWriter writer(pdf_path);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("korva-marks"));
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    writer.setResolution(300);
    document.print(&writer);
  }
  return QFileInfo(pdf_path).size() > 0;
}

}  // namespace km
