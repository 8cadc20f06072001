#pragma once
// Facts about the workstation: user, memory, screen, colours, drives and
// their space, operating system, processor and the process environment.
// The program reads them from the running system; tests install a provider
// with fixed answers through set_system_info.

#include <QChar>
#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

#include "platform/platform_error.h"

namespace km::platform {

// A failing system call that the caller reports: its number and text.
class system_info_error : public platform_error {
 public:
  using platform_error::platform_error;
};

struct memory_status {
  std::uint64_t total_physical = 0;      // bytes
  std::uint64_t available_physical = 0;  // bytes
};

struct disk_space {
  std::uint64_t total_bytes = 0;
  std::uint64_t free_bytes = 0;
};

struct drive_entry {
  QChar letter;          // "C" for C:
  bool network = false;  // a network share, else a local drive
};

struct os_version {
  // 1: the Windows 95 family, 2: the NT family, 0: another system, which
  // product_name then describes.
  int platform_id = 0;
  QString product_name;
  int major = 0;
  int minor = 0;
  std::uint32_t build = 0;
  // The service-pack text as the version record holds it: the text, then
  // NUL characters to the end of its 128-character buffer.
  QString service_pack_buffer;
};

// Processor class numbers as the platform gives them (386, 486, 586 and
// larger values for other processors).
constexpr int processor_intel_386 = 386;
constexpr int processor_intel_486 = 486;
constexpr int processor_intel_pentium = 586;
constexpr int processor_amd_x8664 = 8664;

class system_info_provider {
 public:
  virtual ~system_info_provider() = default;
  // The name the user logged on with; "" when it cannot be read.
  virtual QString user_name() = 0;
  virtual std::optional<memory_status> memory() = 0;
  // The primary screen in pixels.
  virtual QSize screen_pixels() = 0;
  // Colour planes times bits per pixel of the screen.
  virtual int colour_bits() = 0;
  // The program's own folder in Windows form ("C:\Program Files\KORVA-MARKS").
  virtual QString program_folder() = 0;
  // Space of the drive whose root is given in Windows form ("C:\"); nothing
  // when the drive cannot be read.
  virtual std::optional<disk_space> space_of(const QString& win_root) = 0;
  // Every drive the program can reach, in drive-letter order.
  virtual QList<drive_entry> drives() = 0;
  virtual os_version version() = 0;
  virtual int processor_type() = 0;
  // The process environment, one "NAME=value" entry each.
  virtual QStringList environment() = 0;
};

// The provider in use: the running system's unless a test installed another.
system_info_provider& system_info();
// Installs a provider and returns the one it replaces; nullptr puts the
// running system's in place. The caller keeps ownership and must put the
// previous one back before the provider dies.
system_info_provider* set_system_info(system_info_provider* replacement);

}  // namespace km::platform
