#pragma once
// The symbol-distribution window: for the chosen combination, how many
// learners reached each of the school's symbols in every named task row of
// its mark book, with each row's average percentage, printed or exported.
// The distribution is built afresh from the set-up, the symbols and the
// book at every print.
#include <QStringList>

#include "markbook/book_print_form.h"

namespace km {

class simbole_druk : public book_print_form {
 public:
  explicit simbole_druk(QWidget* parent = nullptr);

  void pboek_druk_print_Click() override;

  // Fills the report grid; none (and the window closed) without a set-up.
  std::optional<setup_rows> build_distribution();

  // The symbols' bounds in symbol order, as the last build read them.
  const QStringList& smb_van() const { return smb_van_; }
  const QStringList& smb_tot() const { return smb_tot_; }

 protected:
  void set_texts() override;
  QString combination_title(const QStringList& cells) const override;

 private:
  QStringList smb_van_;
  QStringList smb_tot_;
};

}  // namespace km
