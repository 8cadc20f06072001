#include "platform/ui/printer/pdf_device.h"

#include <QDir>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include "platform/clock.h"
#include "platform/sync_file.h"
#include "platform/ui/printer/device_choice.h"
#include "platform/ui/printer/page_painter.h"

namespace km::platform {

namespace {

QPageLayout sheet_layout(page_orientation orientation) {
  return QPageLayout(
      QPageSize(QPageSize::A4),
      orientation == page_orientation::landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
      QMarginsF(0, 0, 0, 0));
}

// A name not yet taken in the folder: "name.pdf", else "name (2).pdf" ...
QString free_path(const QDir& folder, const QString& file_name) {
  const QFileInfo info(file_name);
  QString candidate = folder.filePath(file_name);
  for (int n = 2; QFileInfo::exists(candidate); ++n)
    candidate =
        folder.filePath(QStringLiteral("%1 (%2).%3").arg(info.completeBaseName()).arg(n).arg(info.suffix()));
  return candidate;
}

}  // namespace

pdf_device::pdf_device(QString folder) : folder_(std::move(folder)) {}

std::shared_ptr<pdf_device> pdf_device::to_file(const QString& file_path) {
  auto device = std::make_shared<pdf_device>();
  device->file_path_ = file_path;
  return device;
}

QString pdf_device::name() const { return pdf_printer_name(); }

std::shared_ptr<pdf_device> pdf_device::in_place_of_printer() {
  auto device = std::make_shared<pdf_device>();
  device->stands_in_ = true;
  return device;
}

bool pdf_device::write(const print_document& document, print_error& error) {
  output_path_.clear();
  QString path = file_path_;
  if (path.isEmpty()) {
    const QString folder = folder_.isEmpty() ? default_pdf_folder() : folder_;
    QDir dir(folder);
    if (!dir.mkpath(QStringLiteral("."))) {
      error = {print_error::kind::folder_not_writable, folder, {}};
      return false;
    }
    path = free_path(dir, pdf_file_name(document.job_name, clock().now()));
  }
  if (!write_pdf_file(document, path, error)) return false;
  output_path_ = path;
  return true;
}

bool write_pdf_file(const print_document& document, const QString& path, print_error& error) {
  // Written to a temporary file beside the target and renamed over it once
  // complete, so a failed print never leaves half a file.
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    const bool folder_missing = !QFileInfo(QFileInfo(path).absolutePath()).isDir();
    error = {folder_missing ? print_error::kind::folder_not_writable : print_error::kind::file_not_writable,
             folder_missing ? QFileInfo(path).absolutePath() : path, file.errorString()};
    return false;
  }
  {
    QPdfWriter writer(&file);
    writer.setResolution(int(twips_per_inch));
    writer.setCreator(QStringLiteral("KORVA-MARKS"));
    writer.setTitle(document.job_name);
    const page_orientation first =
        document.pages.empty() ? page_orientation::portrait : document.pages.front().orientation;
    writer.setPageLayout(sheet_layout(first));
    QPainter painter;
    if (!painter.begin(&writer)) {
      file.cancelWriting();
      error = {print_error::kind::file_not_writable, path, QStringLiteral("The PDF writer could not start.")};
      return false;
    }
    for (size_t i = 0; i < document.pages.size(); ++i) {
      const print_page& page = document.pages[i];
      if (i > 0) {
        writer.setPageLayout(sheet_layout(page.orientation));
        writer.newPage();
      }
      paint_page(painter, page);
    }
    painter.end();
  }
  if (!file.commit()) {
    error = {print_error::kind::file_not_writable, path, file.errorString()};
    return false;
  }
  sync_folder_of(path);  // the new name outlasts a power cut
  return true;
}

}  // namespace km::platform
