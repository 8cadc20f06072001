#include "platform/xls/sheet_cells.h"

#include <bit>
#include <cmath>

#include "platform/xls/biff_records.h"

namespace km::platform::xls {

namespace {

constexpr std::uint16_t biff8 = 0x0600;
constexpr std::uint16_t biff5 = 0x0500;  // also Excel 95's BIFF7
constexpr std::uint16_t globals_kind = 0x0005;
constexpr std::uint16_t worksheet_kind = 0x0010;
constexpr std::size_t max_rows = 65536;

struct workbook_globals {
  bool eight_bit = false;                    // BIFF5: texts in the code page, one byte a character
  std::vector<std::u16string> strings;       // the shared strings, as far as they read
  std::optional<std::uint32_t> first_sheet;  // offset of its BOF
};

bool is_bof(const record& r, std::uint16_t kind, bool eight_bit) {
  return r.type == record_type::bof && le16(r.data, 0) == (eight_bit ? biff5 : biff8) &&
         le16(r.data, 2) == kind;
}

std::vector<std::u16string> shared_strings(bytes stream, const record& sst) {
  std::vector<std::u16string> strings;
  continued_reader in(stream, sst);
  const auto total = in.u32();
  const auto unique = in.u32();
  if (!total || !unique) return strings;
  for (std::uint32_t i = 0; i < *unique; ++i) {
    auto s = in.unicode_string();
    if (!s) break;  // a damaged table: the strings after it read as missing
    strings.push_back(std::move(*s));
  }
  return strings;
}

std::optional<workbook_globals> read_globals(bytes stream) {
  auto r = record_at(stream, 0);
  if (!r) return std::nullopt;
  workbook_globals g;
  g.eight_bit = le16(r->data, 0) == biff5;
  if (!is_bof(*r, globals_kind, g.eight_bit)) return std::nullopt;
  for (r = record_at(stream, r->next); r && r->type != record_type::eof; r = record_at(stream, r->next)) {
    if (r->type == record_type::filepass) return std::nullopt;  // encrypted
    if (r->type == record_type::boundsheet && !g.first_sheet && r->data.size() >= 6 && r->data[5] == 0)
      g.first_sheet = le32(r->data, 0);
    if (r->type == record_type::sst) g.strings = shared_strings(stream, *r);
  }
  if (!r || !g.first_sheet) return std::nullopt;  // cut short, or no worksheet
  return g;
}

sheet_cell unreadable() { return {sheet_cell::kind::unreadable, 0, {}, false}; }

sheet_cell number_cell(double v) {
  return std::isfinite(v) ? sheet_cell{sheet_cell::kind::number, v, {}} : unreadable();
}

sheet_cell text_cell(std::optional<std::u16string> text, bool eight_bit = false) {
  return text ? sheet_cell{sheet_cell::kind::text, 0, std::move(*text), eight_bit} : unreadable();
}

// An RK value: a number kept in 30 bits, either an integer or the upper
// bits of a double, either possibly multiplied by 100.
double rk_value(std::uint32_t rk) {
  const double v = (rk & 0x02) ? double(std::int32_t(rk) >> 2)
                               : std::bit_cast<double>(std::uint64_t(rk & 0xFFFFFFFCu) << 32);
  return (rk & 0x01) ? v / 100 : v;
}

// The result stored with a formula. A text result is not here but in the
// STRING record that follows; `text_follows` says so.
sheet_cell formula_result(bytes data, bool& text_follows) {
  text_follows = false;
  const auto bits = le64(data, 6);
  if (!bits) return unreadable();
  if ((*bits >> 48) != 0xFFFF) return number_cell(std::bit_cast<double>(*bits));
  switch (*bits & 0xFF) {
    case 0:
      text_follows = true;
      return unreadable();  // until the STRING record comes
    case 1:
      return {sheet_cell::kind::boolean, ((*bits >> 16) & 0xFF) ? 1.0 : 0.0, {}};
    case 3:
      return {sheet_cell::kind::text, 0, {}};
    default:
      return unreadable();  // an error value
  }
}

class sheet_reader {
 public:
  sheet_reader(bytes stream, const workbook_globals& globals) : stream_(stream), globals_(globals) {}

  std::optional<std::vector<sheet_row>> read() {
    auto r = record_at(stream_, *globals_.first_sheet);
    if (!r || !is_bof(*r, worksheet_kind, globals_.eight_bit)) return std::nullopt;
    int depth = 1;  // a chart inside the sheet brings its own BOF ... EOF
    std::size_t next = r->next;
    while (depth > 0) {
      r = record_at(stream_, next);
      if (!r) return std::nullopt;  // cut short: rows after the cut would go missing unseen
      next = r->next;
      if (r->type == record_type::bof) ++depth;
      if (r->type == record_type::eof) --depth;
      if (depth == 1) next = take(*r);
    }
    if (pending_text_) set(pending_row_, pending_column_, unreadable());
    rows_.resize(last_row_);
    return std::move(rows_);
  }

 private:
  // Handles one record of the sheet itself; gives the offset of the next.
  std::size_t take(const record& r) {
    if (pending_text_ && r.type != record_type::string && r.type != record_type::shrfmla &&
        r.type != record_type::array && r.type != record_type::table) {
      pending_text_ = false;
      set(pending_row_, pending_column_, unreadable());
    }
    const auto row = le16(r.data, 0);
    const auto column = le16(r.data, 2);
    switch (r.type) {
      case record_type::number:
        if (const auto bits = le64(r.data, 6); row && column && bits)
          set(*row, *column, number_cell(std::bit_cast<double>(*bits)));
        break;
      case record_type::rk:
        if (const auto rk = le32(r.data, 6); row && column && rk)
          set(*row, *column, number_cell(rk_value(*rk)));
        break;
      case record_type::mulrk:
        // Row, first column, then 6 bytes (format, RK) a column, then the last column.
        for (std::size_t i = 0; row && column && 4 + 6 * i + 6 + 2 <= r.data.size(); ++i)
          set(*row, *column + i, number_cell(rk_value(*le32(r.data, 4 + 6 * i + 2))));
        break;
      case record_type::labelsst:
        if (const auto index = le32(r.data, 6); row && column && index)
          set(*row, *column,
              *index < globals_.strings.size() ? text_cell(globals_.strings[*index]) : unreadable());
        break;
      case record_type::label:
      case record_type::rstring: {
        continued_reader in(stream_, r);
        if (row && column) set(*row, *column, in.skip(6) ? text(in) : unreadable());
        return in.next();
      }
      case record_type::boolerr:
        if (r.data.size() >= 8 && row && column)
          set(*row, *column,
              r.data[7] ? unreadable() : sheet_cell{sheet_cell::kind::boolean, r.data[6] ? 1.0 : 0.0, {}});
        break;
      case record_type::formula:
        if (row && column) {
          bool text_follows = false;
          set(*row, *column, formula_result(r.data, text_follows));
          pending_text_ = text_follows;
          pending_row_ = *row;
          pending_column_ = *column;
        }
        break;
      case record_type::string:
        if (pending_text_) {
          pending_text_ = false;
          continued_reader in(stream_, r);
          set(pending_row_, pending_column_, text(in));
          return in.next();
        }
        break;
      default:
        break;
    }
    return r.next;
  }

  // A LABEL's or STRING's text: Unicode in BIFF8, code-page bytes in BIFF5.
  sheet_cell text(continued_reader& in) const {
    return globals_.eight_bit ? text_cell(in.byte_string(), true) : text_cell(in.unicode_string());
  }

  void set(std::size_t row, std::size_t column, sheet_cell cell) {
    if (column > 1 || row >= max_rows) return;
    if (row >= rows_.size()) rows_.resize(row + 1);
    rows_[row][column] = std::move(cell);
    last_row_ = std::max(last_row_, row + 1);
  }

  bytes stream_;
  const workbook_globals& globals_;
  std::vector<sheet_row> rows_;
  std::size_t last_row_ = 0;
  bool pending_text_ = false;
  std::size_t pending_row_ = 0;
  std::size_t pending_column_ = 0;
};

}  // namespace

std::optional<std::vector<sheet_row>> first_sheet_columns(bytes workbook) {
  const auto globals = read_globals(workbook);
  if (!globals) return std::nullopt;
  return sheet_reader(workbook, *globals).read();
}

}  // namespace km::platform::xls
