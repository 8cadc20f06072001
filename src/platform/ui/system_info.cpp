#include "platform/ui/system_info.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QScreen>
#include <QStorageInfo>
#include <QSysInfo>
#include <utility>

#include "platform/drive_map.h"
#include "platform/services.h"
#include "platform/user_name.h"
#include "platform/win_path.h"

namespace km::platform {

namespace {

// One "Name:   12345 kB" line of /proc/meminfo, in bytes.
std::optional<std::uint64_t> meminfo_bytes(const QByteArray& meminfo, const QByteArray& name) {
  for (const QByteArray& line : meminfo.split('\n')) {
    if (!line.startsWith(name + ':')) continue;
    const QList<QByteArray> parts = line.mid(name.size() + 1).simplified().split(' ');
    bool ok = false;
    const std::uint64_t value = parts.value(0).toULongLong(&ok);
    if (!ok) return std::nullopt;
    const bool kilobytes = parts.value(1).toLower() == "kb";
    return kilobytes ? value * 1024u : value;
  }
  return std::nullopt;
}

bool is_network_file_system(const QByteArray& type) {
  static const QList<QByteArray> network_types{"nfs",   "nfs4",       "cifs", "smb3",
                                               "smbfs", "fuse.sshfs", "9p",   "afs"};
  return network_types.contains(type.toLower());
}

// The running Linux system.
class running_system : public system_info_provider {
 public:
  QString user_name() override { return login_user_name(); }

  std::optional<memory_status> memory() override {
    QFile file("/proc/meminfo");
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    const QByteArray meminfo = file.readAll();
    const auto total = meminfo_bytes(meminfo, "MemTotal");
    if (!total) return std::nullopt;
    auto available = meminfo_bytes(meminfo, "MemAvailable");
    if (!available) available = meminfo_bytes(meminfo, "MemFree");
    return memory_status{*total, available.value_or(0)};
  }

  QSize screen_pixels() override {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->size() : QSize();
  }

  int colour_bits() override {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->depth() : 0;
  }

  QString program_folder() override { return to_windows_path(QCoreApplication::applicationDirPath()); }

  std::optional<disk_space> space_of(const QString& win_root) override {
    const QString native = to_native_path(win_root);
    if (native.isEmpty()) return std::nullopt;
    const QStorageInfo storage(native);
    if (!storage.isValid() || !storage.isReady()) return std::nullopt;
    return disk_space{std::uint64_t(storage.bytesTotal()), std::uint64_t(storage.bytesAvailable())};
  }

  QList<drive_entry> drives() override {
    QList<drive_entry> out;
    const drive_map& map = active_drive_map();
    for (auto it = map.drives.cbegin(); it != map.drives.cend(); ++it) {
      if (!QDir(it.value()).exists()) continue;
      const QStorageInfo storage(it.value());
      out.append({it.key(), storage.isValid() && is_network_file_system(storage.fileSystemType())});
    }
    return out;
  }

  os_version version() override {
    os_version v;
    v.product_name = QSysInfo::prettyProductName();
    // "6.1.0-18-amd64": major, minor and the third number as the build.
    static const QRegularExpression numbers(R"(^(\d+)\.(\d+)(?:\.(\d+))?)");
    const auto m = numbers.match(QSysInfo::kernelVersion());
    if (m.hasMatch()) {
      v.major = m.captured(1).toInt();
      v.minor = m.captured(2).toInt();
      v.build = m.captured(3).toUInt();
    }
    v.service_pack_buffer = QString(128, QChar(0));
    return v;
  }

  int processor_type() override {
    const QString arch = QSysInfo::currentCpuArchitecture();
    if (arch == "i386") return processor_intel_386;
    if (arch == "x86_64") return processor_amd_x8664;
    return 0;
  }

  QStringList environment() override { return QProcessEnvironment::systemEnvironment().toStringList(); }
};

}  // namespace

system_info_provider& system_info() {
  static running_system running;
  system_info_provider* replacement = services().system_info;
  return replacement ? *replacement : running;
}

system_info_provider* set_system_info(system_info_provider* replacement) {
  return std::exchange(services().system_info, replacement);
}

}  // namespace km::platform
