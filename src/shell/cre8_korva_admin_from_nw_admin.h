#pragma once
// The window of the administration-folder relocation: it runs the whole
// relocation while it loads and shows the folders still to move and the
// folders moved.

#include "platform/ui/form.h"
#include "shell/admin_relocation.h"

class QListWidget;

namespace km {

class cre8_korva_admin_from_nw_admin : public platform::form {
  Q_OBJECT

 public:
  explicit cre8_korva_admin_from_nw_admin(QWidget* parent = nullptr);

  void on_load() override;

  // How the last load's relocation ended.
  relocation_outcome outcome() const { return outcome_; }

 private:
  class view;

  QListWidget* van_dir_ = nullptr;
  QListWidget* na_dir_ = nullptr;
  relocation_outcome outcome_ = relocation_outcome::nothing_to_do;
};

}  // namespace km
