#include "platform/ui/document_opener.h"

#include <QDesktopServices>
#include <QUrl>

#include "platform/win_path.h"

namespace km::platform {

namespace {

// The desktop's opener: the viewer the desktop associates with the file's
// type. The working folder has no meaning there and is not used.
class desktop_opener : public document_opener {
 public:
  bool open(const QString& win_path, const QString& /*working_folder*/) override {
    const QString native = to_native_path(win_path);
    if (native.isEmpty()) return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(native));
  }
};

document_opener* g_replacement = nullptr;

}  // namespace

document_opener& opener() {
  static desktop_opener desktop;
  return g_replacement ? *g_replacement : desktop;
}

void set_document_opener(document_opener* replacement) { g_replacement = replacement; }

}  // namespace km::platform
