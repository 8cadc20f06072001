#include "platform/xls/biff_records.h"

#include <algorithm>

namespace km::platform::xls {

std::optional<record> record_at(bytes stream, std::size_t offset) {
  const auto type = le16(stream, offset);
  const auto length = le16(stream, offset + 2);
  if (!type || !length || *length > stream.size() - offset - 4) return std::nullopt;
  return record{*type, stream.subspan(offset + 4, *length), offset + 4 + *length};
}

continued_reader::continued_reader(bytes stream, const record& first)
    : pieces_{first.data}, next_(first.next) {
  for (auto r = record_at(stream, next_); r && r->type == record_type::continue_;
       r = record_at(stream, next_)) {
    pieces_.push_back(r->data);
    next_ = r->next;
  }
}

std::optional<std::uint8_t> continued_reader::byte() {
  while (at_piece_end()) {
    if (piece_ + 1 == pieces_.size()) return std::nullopt;
    ++piece_;
    at_ = 0;
  }
  return pieces_[piece_][at_++];
}

std::optional<std::uint16_t> continued_reader::u16() {
  const auto lo = byte();
  const auto hi = byte();
  if (!lo || !hi) return std::nullopt;
  return std::uint16_t(*lo | (*hi << 8));
}

std::optional<std::uint32_t> continued_reader::u32() {
  const auto lo = u16();
  const auto hi = u16();
  if (!lo || !hi) return std::nullopt;
  return std::uint32_t(*lo) | (std::uint32_t(*hi) << 16);
}

bool continued_reader::skip(std::uint64_t count) {
  while (count > 0) {
    if (at_piece_end()) {
      if (piece_ + 1 == pieces_.size()) return false;
      ++piece_;
      at_ = 0;
      continue;
    }
    const std::size_t step = std::size_t(std::min<std::uint64_t>(count, pieces_[piece_].size() - at_));
    at_ += step;
    count -= step;
  }
  return true;
}

std::optional<std::u16string> continued_reader::characters(std::uint32_t count, bool wide) {
  std::u16string text;
  while (text.size() < count) {
    if (at_piece_end()) {
      // The characters go on in the next CONTINUE, behind a new option byte.
      if (piece_ + 1 == pieces_.size()) return std::nullopt;
      ++piece_;
      at_ = 0;
      const auto options = byte();
      if (!options) return std::nullopt;
      wide = (*options & 0x01) != 0;
      continue;
    }
    const bytes piece = pieces_[piece_];
    const std::size_t available = (piece.size() - at_) / (wide ? 2 : 1);
    if (available == 0) return std::nullopt;  // half a character before the piece ends
    const std::size_t take = std::min<std::size_t>(available, count - text.size());
    for (std::size_t i = 0; i < take; ++i)
      text.push_back(wide ? char16_t(piece[at_ + 2 * i] | (piece[at_ + 2 * i + 1] << 8))
                          : char16_t(piece[at_ + i]));
    at_ += take * (wide ? 2 : 1);
  }
  return text;
}

std::optional<std::u16string> continued_reader::byte_string() {
  const auto count = u16();
  if (!count) return std::nullopt;
  std::u16string text;
  for (std::uint16_t i = 0; i < *count; ++i) {
    const auto b = byte();
    if (!b) return std::nullopt;
    text.push_back(char16_t(*b));
  }
  return text;
}

std::optional<std::u16string> continued_reader::unicode_string() {
  const auto count = u16();
  const auto options = byte();
  if (!count || !options) return std::nullopt;
  std::uint16_t runs = 0;
  std::uint32_t phonetic = 0;
  if (*options & 0x08) {
    const auto r = u16();
    if (!r) return std::nullopt;
    runs = *r;
  }
  if (*options & 0x04) {
    const auto p = u32();
    if (!p) return std::nullopt;
    phonetic = *p;
  }
  auto text = characters(*count, (*options & 0x01) != 0);
  if (!text || !skip(std::uint64_t(runs) * 4) || !skip(phonetic)) return std::nullopt;
  return text;
}

}  // namespace km::platform::xls
