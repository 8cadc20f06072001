#include "shell/cre8_korva_admin_from_nw_admin.h"

#include <QHBoxLayout>
#include <QListWidget>

#include "platform/dialogs.h"
#include "platform/ui/window_registry.h"

namespace km {

// Shows the relocation's progress in the two lists and its messages with
// the critical icon.
class cre8_korva_admin_from_nw_admin::view : public relocation_view {
 public:
  explicit view(cre8_korva_admin_from_nw_admin& window) : window_(window) {}

  void show() override {
    window_.na_dir_->clear();
    window_.show_modeless();
  }
  void message(const QString& text) override {
    platform::message_box(text, platform::msg_buttons::ok, platform::msg_icon::critical);
  }
  void listed(const QString& folder) override {
    window_.van_dir_->addItem(folder);
    window_.repaint();
  }
  void moved(const QString& folder) override {
    window_.na_dir_->addItem(folder);
    const auto found = window_.van_dir_->findItems(folder, Qt::MatchExactly);
    if (!found.isEmpty()) delete window_.van_dir_->takeItem(window_.van_dir_->row(found.first()));
    window_.repaint();
  }

 private:
  cre8_korva_admin_from_nw_admin& window_;
};

cre8_korva_admin_from_nw_admin::cre8_korva_admin_from_nw_admin(QWidget* parent)
    : platform::form(QStringLiteral("cre8_korva_admin_from_nw_admin"), parent) {
  auto* row = new QHBoxLayout(this);
  van_dir_ = new QListWidget(this);
  van_dir_->setObjectName("van_dir");
  na_dir_ = new QListWidget(this);
  na_dir_->setObjectName("na_dir");
  row->addWidget(van_dir_);
  row->addWidget(na_dir_);
}

void cre8_korva_admin_from_nw_admin::on_load() {
  view progress(*this);
  outcome_ = relocate_admin_folder(progress);
  // Without an old folder to move there is nothing to show.
  if (outcome_ == relocation_outcome::old_folder_missing || outcome_ == relocation_outcome::not_old_layout)
    platform::unload_form(this);
}

}  // namespace km
