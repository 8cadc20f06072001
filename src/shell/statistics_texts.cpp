#include "shell/statistics_texts.h"

#include <cmath>

#include "platform/number_format.h"

namespace km {

using platform::format_number;

memory_texts memory_text(const std::optional<platform::memory_status>& memory) {
  memory_texts out;
  if (!memory || memory->total_physical == 0) return out;
  out.total_physical = format_number(double(memory->total_physical) / 1000000.0, "0,000") + " MB";
  const double available = double(memory->available_physical);
  if (available > 1000000.0)
    out.total_available = format_number(available / 1000000.0, "0,00") + " MB";
  else
    out.total_available = format_number(available / 1000.0, "0,00") + " KB";
  return out;
}

QString screen_resolution_text(const QSize& pixels) {
  return QString::number(pixels.width()) + " x " + QString::number(pixels.height());
}

float DeviceColors(int colour_bits) { return float(std::pow(2.0, double(colour_bits)) / 1000.0); }

QString colours_text(int colour_bits) {
  const float colours = DeviceColors(colour_bits) * 1000.0f;
  return format_number(double(colours), "0,000");
}

QString drive_root(const QString& program_folder) {
  QString root = program_folder.left(2);
  const qsizetype blank = root.indexOf(' ');
  if (blank >= 0) root = root.left(blank);
  if (!root.endsWith('\\')) root += '\\';
  return root;
}

QString current_drive_text(const QString& program_folder) { return drive_root(program_folder).left(2); }

disk_texts disk_text(const std::optional<platform::disk_space>& space) {
  disk_texts out;
  if (!space) return out;
  // Thousands of bytes, whole; 64 bits so disks of any size are shown.
  const double total = std::floor(double(space->total_bytes) / 1000.0);
  const double free = std::floor(double(space->free_bytes) / 1000.0);
  out.total = format_number(total / 1000000.0, "#,0") + " GB";
  if (free > 1000000.0)
    out.free = format_number(free / 1000000.0, "#,0") + " GB";
  else
    out.free = format_number(free / 1000.0, "#,0") + " MB";
  return out;
}

drive_list_texts drive_list_text(const QList<platform::drive_entry>& drives, const QString& current_drive) {
  drive_list_texts out;
  for (const auto& d : drives) {
    const QString name = QString(d.letter) + ':';
    if (name.compare(current_drive, Qt::CaseInsensitive) == 0) continue;
    (d.network ? out.network : out.local) += "  " + QString(d.letter) + ": ";
  }
  if (!out.local.isEmpty()) out.local.remove(0, 2);
  if (!out.network.isEmpty()) out.network.remove(0, 2);
  return out;
}

QString LPSTRToVBString(const QString& buffer) {
  const qsizetype nul = buffer.indexOf(QChar(0));
  return nul < 0 ? QString() : buffer.left(nul);
}

version_texts version_text(const platform::os_version& v) {
  version_texts out;
  if (v.platform_id == 1)
    out.operating_system = "Windows95 ";
  else if (v.platform_id == 2)
    out.operating_system = "Windows NT ";
  else
    out.operating_system = v.product_name;
  if (v.build == 2195) out.operating_system = "Windows 2000";
  if (v.build == 2600) out.operating_system = "Windows XP";
  if (v.build == 7601) out.operating_system = "Windows 7";
  out.version = QString::number(v.major) + '.' + QString::number(v.minor);
  out.build_number = QString::number(v.build & 0xFFFFu);
  out.service_pack = LPSTRToVBString(v.service_pack_buffer);
  return out;
}

QString processor_text(int processor_type) {
  if (processor_type == platform::processor_intel_386) return "386";
  if (processor_type == platform::processor_intel_486) return "486";
  return "586";
}

}  // namespace km
