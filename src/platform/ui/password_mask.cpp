#include "platform/ui/password_mask.h"

#include <QLineEdit>
#include <QProxyStyle>

namespace km::platform {

namespace {

class star_style : public QProxyStyle {
 public:
  using QProxyStyle::QProxyStyle;
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* answer) const override {
    if (hint == QStyle::SH_LineEdit_PasswordCharacter) return '*';
    return QProxyStyle::styleHint(hint, option, widget, answer);
  }
};

}  // namespace

void mask_with_stars(QLineEdit* box) {
  box->setEchoMode(QLineEdit::Password);
  auto* style = new star_style;
  style->setParent(box);  // lives as long as the box
  box->setStyle(style);
}

}  // namespace km::platform
