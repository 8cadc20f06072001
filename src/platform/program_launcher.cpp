#include "platform/program_launcher.h"

#include <QFileInfo>
#include <QProcess>
#include <utility>

#include "platform/services.h"
#include "platform/win_path.h"

namespace km::platform {

namespace {

// Starts the program as a detached process in its own folder; the new
// process outlives this one and nothing waits for it.
class process_launcher : public program_launcher {
 public:
  bool start(const QString& win_path) override {
    const QString native = to_native_path(win_path);
    if (native.isEmpty()) return false;
    return QProcess::startDetached(native, {}, QFileInfo(native).absolutePath());
  }
};

}  // namespace

program_launcher& launcher() {
  static process_launcher system;
  program_launcher* replacement = services().launcher;
  return replacement ? *replacement : system;
}

program_launcher* set_program_launcher(program_launcher* replacement) {
  return std::exchange(services().launcher, replacement);
}

}  // namespace km::platform
