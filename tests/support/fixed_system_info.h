#pragma once
// A system-information provider with fixed, empty answers and a user name
// of its own; tests derive from it to answer what they need.

#include <QStringList>

#include "platform/ui/system_info.h"

namespace km::test {

class fixed_system_info : public platform::system_info_provider {
 public:
  QString user_name() override { return QStringLiteral("fixed"); }
  std::optional<platform::memory_status> memory() override { return std::nullopt; }
  QSize screen_pixels() override { return {}; }
  int colour_bits() override { return 0; }
  QString program_folder() override { return {}; }
  std::optional<platform::disk_space> space_of(const QString&) override { return std::nullopt; }
  QList<platform::drive_entry> drives() override { return {}; }
  platform::os_version version() override { return {}; }
  int processor_type() override { return 0; }
  QStringList environment() override { return {}; }
};

}  // namespace km::test
