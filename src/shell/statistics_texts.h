#pragma once
// The texts of the system information window, built from the facts a
// system-information provider gives. Each function fills the boxes of one
// step; a fact that could not be read leaves its boxes empty.

#include <QString>
#include <optional>

#include "platform/ui/system_info.h"

namespace km {

struct memory_texts {
  QString total_physical;   // txtTotalPhysicalMemory
  QString total_available;  // txtTotalAvailableMemory
};

struct disk_texts {
  QString total;  // txtTotalDiskSpace
  QString free;   // txtTotalFreeDiskSpace
};

struct drive_list_texts {
  QString local;    // txtLocalDrives
  QString network;  // txtNetworkDrives
};

// Memory in 64 bits, labelled with the unit it is counted in: the total in
// millions of bytes ("1,074 MB" for 1,073,741,824 bytes); the available
// memory in millions of bytes above 1,000,000 bytes, else in thousands ("KB").
memory_texts memory_text(const std::optional<platform::memory_status>& memory);

// "<width> x <height>" in pixels.
QString screen_resolution_text(const QSize& pixels);

// The screen's number of colours in thousands, in single precision: 2 to
// the power of the colour bits (planes times bits per pixel), / 1000.
float DeviceColors(int colour_bits);

// txtColors: DeviceColors times 1000 (single precision), as "0,000".
QString colours_text(int colour_bits);

// The drive of the program's folder: its first two characters, cut at a
// blank ("C:"). drive_root gives the root the disk space is read from ("C:\").
QString current_drive_text(const QString& program_folder);
QString drive_root(const QString& program_folder);

// Disk space in thousands of bytes, shown as GB above 1,000,000 of them,
// the free space else as MB.
disk_texts disk_text(const std::optional<platform::disk_space>& space);

// The drives other than the current one: local and network drives, each
// "<letter>: " with two blanks before every entry but the first.
drive_list_texts drive_list_text(const QList<platform::drive_entry>& drives, const QString& current_drive);

// The part of a fixed text buffer before its first NUL; "" when it holds none.
QString LPSTRToVBString(const QString& buffer);

struct version_texts {
  QString operating_system;  // txtOperatingSystem
  QString version;           // txtVersion
  QString build_number;      // txtBuildNumber
  QString service_pack;      // txtServicePack
};
version_texts version_text(const platform::os_version& v);

// "386", "486", or "586" for every other processor class.
QString processor_text(int processor_type);

}  // namespace km
