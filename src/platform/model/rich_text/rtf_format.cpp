#include "platform/model/rich_text/rtf_format.h"

namespace km::platform {

int paragraph_indent_twips(const QTextBlockFormat& format) {
  return format.intProperty(rtf_indent_twips_property);
}

void set_paragraph_indent_twips(QTextBlockFormat& format, int twips) {
  format.setProperty(rtf_indent_twips_property, twips);
  format.setLeftMargin(twips / 15.0);
}

}  // namespace km::platform
