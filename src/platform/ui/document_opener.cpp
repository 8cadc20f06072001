#include "platform/ui/document_opener.h"

#include <QDesktopServices>
#include <QUrl>
#include <utility>

#include "platform/services.h"
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

}  // namespace

document_opener& opener() {
  static desktop_opener desktop;
  document_opener* replacement = services().opener;
  return replacement ? *replacement : desktop;
}

document_opener* set_document_opener(document_opener* replacement) {
  return std::exchange(services().opener, replacement);
}

}  // namespace km::platform
