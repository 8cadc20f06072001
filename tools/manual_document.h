#pragma once
// A user manual as a PDF: its text (HTML with <img src="name"> for the
// pictures) laid out on A4 pages by Qt's text document, each picture drawn
// at most as wide as the text column and never larger than it was taken.

#include <QImage>
#include <QMap>
#include <QString>

namespace km {

// Writes the manual to `pdf_path` (native); false when the file could not
// be written. `title` goes into the document's properties.
bool write_manual_pdf(const QString& html, const QMap<QString, QImage>& pictures, const QString& title,
                      const QString& pdf_path);

}  // namespace km
