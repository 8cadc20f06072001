#include "platform/model/workbook/xlsx_format_cache.h"

#include "platform/model/print/font_mapping.h"

namespace km::platform {

namespace {

// 0x00BBGGRR to the 0xRRGGBB of the file; black has a value of its own, as
// 0 means "no colour" to the writer.
lxw_color_t file_colour(std::uint32_t bgr) {
  const lxw_color_t rgb = ((bgr & 0xFF) << 16) | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF);
  return rgb ? rgb : lxw_color_t(LXW_COLOR_BLACK);
}

std::uint8_t file_alignment(horizontal_alignment a) {
  switch (a) {
    case horizontal_alignment::left:
      return LXW_ALIGN_LEFT;
    case horizontal_alignment::centre:
      return LXW_ALIGN_CENTER;
    case horizontal_alignment::right:
      return LXW_ALIGN_RIGHT;
    case horizontal_alignment::general:
      break;
  }
  return LXW_ALIGN_NONE;
}

}  // namespace

void xlsx_format_cache::begin_sheet(const worksheet_data& sheet) {
  sheet_ = &sheet;
  number_formats_ = {QString()};
  column_slot_.assign(sheet.columns.size(), 0);
  for (size_t c = 0; c < sheet.columns.size(); ++c) {
    const QString& f = sheet.columns[c].number_format;
    if (f.isEmpty()) continue;
    qsizetype slot = number_formats_.indexOf(f);
    if (slot < 0) {
      slot = number_formats_.size();
      number_formats_.append(f);
    }
    column_slot_[c] = int(slot);
  }
  by_slot_.assign(number_formats_.size(), std::vector<lxw_format*>(sheet.styles.size(), nullptr));
  known_.assign(number_formats_.size(), std::vector<bool>(sheet.styles.size(), false));
}

lxw_format* xlsx_format_cache::cell_format(int style, int column) {
  const int slot = size_t(column) <= column_slot_.size() ? column_slot_[column - 1] : 0;
  if (!known_[slot][style]) {
    look l{sheet_->styles[style], number_formats_[slot]};
    if (l.style.font.name.isEmpty()) l.style.font.name = sheet_->font_name;
    by_slot_[slot][style] = format_for(l);
    known_[slot][style] = true;
  }
  return by_slot_[slot][style];
}

lxw_format* xlsx_format_cache::column_format(int column) {
  const int slot = size_t(column) <= column_slot_.size() ? column_slot_[column - 1] : 0;
  if (slot == 0) return nullptr;
  look l{cell_style{}, number_formats_[slot]};
  l.style.font.name = default_font_name();
  return format_for(l);
}

lxw_format* xlsx_format_cache::format_for(const look& l) {
  auto it = formats_.constFind(l);
  if (it != formats_.constEnd()) return *it;
  lxw_format* f = make_format(l);
  formats_.insert(l, f);
  return f;
}

// The workbook's default look (Calibri 11, nothing else) is no format at
// all, as the file expects.
lxw_format* xlsx_format_cache::make_format(const look& l) {
  look plain{cell_style{}, QString()};
  plain.style.font.name = default_font_name();
  if (l == plain) return nullptr;

  lxw_format* f = workbook_add_format(book_);
  const cell_style& s = l.style;
  const workbook_font& font = s.font;
  // The workbook's default font stays unnamed; any other is named so that
  // it shows alike everywhere (the heights were measured in that font).
  if (font.name != default_font_name())
    format_set_font_name(f, portable_font_name(font.name).toUtf8().constData());
  if (font.size != default_font_size) format_set_font_size(f, font.size);
  if (font.bold) format_set_bold(f);
  if (font.italic) format_set_italic(f);
  if (font.underline) format_set_underline(f, LXW_UNDERLINE_SINGLE);
  if (font.strikethrough) format_set_font_strikeout(f);
  if (font.colour & 0xFFFFFF) format_set_font_color(f, file_colour(font.colour));
  if (s.alignment != horizontal_alignment::general) format_set_align(f, file_alignment(s.alignment));
  if (s.rotation) format_set_rotation(f, int16_t(s.rotation));
  if (s.filled) {
    format_set_pattern(f, LXW_PATTERN_SOLID);
    format_set_bg_color(f, file_colour(s.fill));
  }
  if (s.edges & edge_top) format_set_top(f, LXW_BORDER_THIN);
  if (s.edges & edge_bottom) format_set_bottom(f, LXW_BORDER_THIN);
  if (s.edges & edge_left) format_set_left(f, LXW_BORDER_THIN);
  if (s.edges & edge_right) format_set_right(f, LXW_BORDER_THIN);
  if (!l.number_format.isEmpty()) format_set_num_format(f, l.number_format.toUtf8().constData());
  return f;
}

}  // namespace km::platform
