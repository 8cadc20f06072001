#include "platform/xls/compound_file.h"

#include <algorithm>

namespace km::platform::xls {

namespace {

constexpr std::uint32_t end_of_chain = 0xFFFFFFFE;
constexpr std::uint32_t no_entry = 0xFFFFFFFF;
constexpr std::uint32_t last_regular_sector = 0xFFFFFFFA;
constexpr std::uint32_t mini_sector_size = 64;
constexpr std::size_t header_difat_entries = 109;
constexpr std::size_t entry_size = 128;

char16_t ascii_upper(char16_t c) { return c >= u'a' && c <= u'z' ? char16_t(c - u'a' + u'A') : c; }

bool same_name(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char16_t x, char16_t y) {
           return ascii_upper(x) == ascii_upper(y);
         });
}

// Follows a chain through a table, appending `size` bytes of the sectors
// it names from `data`. The chain may visit no more sectors than the table
// has entries, so a loop ends it.
std::optional<std::vector<std::uint8_t>> follow(bytes data, std::size_t first_offset,
                                                std::uint32_t sector_size,
                                                const std::vector<std::uint32_t>& table, std::uint32_t start,
                                                std::uint64_t size) {
  // No stream holds more bytes than the file, nor more sectors than the
  // table names.
  if (size > data.size()) return std::nullopt;
  const std::uint64_t sectors_needed = (size + sector_size - 1) / sector_size;
  if (sectors_needed > table.size()) return std::nullopt;
  std::vector<std::uint8_t> out;
  out.reserve(std::size_t(size));
  std::uint32_t sector = start;
  for (std::uint64_t i = 0; i < sectors_needed; ++i) {
    if (sector >= table.size()) return std::nullopt;  // also the chain's end and free marks
    const std::uint64_t offset = first_offset + std::uint64_t(sector) * sector_size;
    const std::size_t take = std::size_t(std::min<std::uint64_t>(sector_size, size - out.size()));
    if (offset > data.size() || take > data.size() - offset) return std::nullopt;
    out.insert(out.end(), data.begin() + std::ptrdiff_t(offset),
               data.begin() + std::ptrdiff_t(offset + take));
    sector = table[sector];
  }
  return out;
}

}  // namespace

std::optional<compound_file> compound_file::open(bytes file) {
  static constexpr std::uint8_t signature[] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
  if (file.size() < 512 || !std::equal(std::begin(signature), std::end(signature), file.begin()))
    return std::nullopt;
  const auto major = le16(file, 0x1A);
  const auto shift = le16(file, 0x1E);
  if (le16(file, 0x1C) != 0xFFFE || le16(file, 0x20) != 6 || le32(file, 0x38) != 4096) return std::nullopt;
  if (!(major == 3 && shift == 9) && !(major == 4 && shift == 12)) return std::nullopt;
  compound_file cf(file);
  cf.sector_size_ = 1u << *shift;
  cf.version3_ = major == 3;
  if (!cf.read_fat(*le32(file, 0x2C), *le32(file, 0x44), *le32(file, 0x48))) return std::nullopt;
  if (!cf.read_directory(*le32(file, 0x30))) return std::nullopt;
  const std::uint32_t mini_fat_start = *le32(file, 0x3C);
  const std::uint32_t mini_fat_sectors = *le32(file, 0x40);
  if (mini_fat_sectors > 0 && mini_fat_start != end_of_chain) {
    const auto table = cf.chain(mini_fat_start, std::uint64_t(mini_fat_sectors) * cf.sector_size_);
    if (!table) return std::nullopt;
    for (std::size_t i = 0; i + 4 <= table->size(); i += 4) cf.mini_fat_.push_back(*le32(*table, i));
  }
  const entry& root = cf.entries_.front();
  if (root.size > 0) {
    auto mini = cf.chain(root.start, root.size);
    if (!mini) return std::nullopt;
    cf.mini_stream_ = std::move(*mini);
  }
  return cf;
}

bool compound_file::read_fat(std::uint32_t fat_sectors, std::uint32_t first_difat,
                             std::uint32_t difat_sectors) {
  const std::uint64_t file_sectors =
      (file_.size() - 1) / sector_size_;  // the header takes one sector's place
  if (fat_sectors > file_sectors || difat_sectors > file_sectors) return false;
  std::vector<std::uint32_t> fat_sector_list;
  for (std::size_t i = 0; i < header_difat_entries && fat_sector_list.size() < fat_sectors; ++i)
    fat_sector_list.push_back(*le32(file_, 0x4C + 4 * i));
  const std::uint32_t per_difat = sector_size_ / 4 - 1;
  std::uint32_t difat = first_difat;
  for (std::uint32_t n = 0; n < difat_sectors && fat_sector_list.size() < fat_sectors; ++n) {
    if (difat > last_regular_sector) return false;
    const std::uint64_t offset = (std::uint64_t(difat) + 1) * sector_size_;
    if (offset > file_.size() || sector_size_ > file_.size() - offset) return false;
    for (std::uint32_t i = 0; i < per_difat && fat_sector_list.size() < fat_sectors; ++i)
      fat_sector_list.push_back(*le32(file_, std::size_t(offset) + 4 * i));
    difat = *le32(file_, std::size_t(offset) + 4 * per_difat);
  }
  if (fat_sector_list.size() < fat_sectors) return false;
  fat_.reserve(std::size_t(fat_sectors) * (sector_size_ / 4));
  for (const std::uint32_t s : fat_sector_list) {
    const std::uint64_t offset = (std::uint64_t(s) + 1) * sector_size_;
    if (s > last_regular_sector || offset > file_.size() || sector_size_ > file_.size() - offset)
      return false;
    for (std::uint32_t i = 0; i < sector_size_ / 4; ++i)
      fat_.push_back(*le32(file_, std::size_t(offset) + 4 * i));
  }
  return !fat_.empty();
}

bool compound_file::read_directory(std::uint32_t start) {
  // The directory's length is its chain's: every sector up to the end mark.
  std::uint64_t sectors = 0;
  for (std::uint32_t s = start; s != end_of_chain; s = fat_[s]) {
    if (s >= fat_.size() || ++sectors > fat_.size()) return false;
  }
  const auto directory = chain(start, sectors * sector_size_);
  if (!directory) return false;
  for (std::size_t at = 0; at + entry_size <= directory->size(); at += entry_size) {
    const bytes e(directory->data() + at, entry_size);
    entry d;
    const std::size_t name_bytes = std::min<std::size_t>(*le16(e, 0x40), 64);
    for (std::size_t i = 0; i + 1 < name_bytes; i += 2) {
      const char16_t c = char16_t(*le16(e, i));
      if (c == 0) break;
      d.name.push_back(c);
    }
    d.type = e[0x42];
    d.left = *le32(e, 0x44);
    d.right = *le32(e, 0x48);
    d.child = *le32(e, 0x4C);
    d.start = *le32(e, 0x74);
    // Version 3 files keep only 32 bits of size; some writers leave the
    // upper half unset.
    d.size = version3_ ? *le32(e, 0x78) : *le64(e, 0x78);
    entries_.push_back(std::move(d));
  }
  return !entries_.empty() && entries_.front().type == 5;
}

std::optional<std::vector<std::uint8_t>> compound_file::chain(std::uint32_t start, std::uint64_t size) const {
  return follow(file_, sector_size_, sector_size_, fat_, start, size);
}

std::optional<std::vector<std::uint8_t>> compound_file::mini_chain(std::uint32_t start,
                                                                   std::uint64_t size) const {
  return follow(mini_stream_, 0, mini_sector_size, mini_fat_, start, size);
}

std::optional<std::vector<std::uint8_t>> compound_file::stream(std::u16string_view name) const {
  // The root's children form a tree through their left and right links;
  // each entry is visited once, so a link back up ends nowhere.
  std::vector<bool> seen(entries_.size());
  std::vector<std::uint32_t> todo{entries_.front().child};
  while (!todo.empty()) {
    const std::uint32_t id = todo.back();
    todo.pop_back();
    if (id == no_entry || id >= entries_.size() || seen[id]) continue;
    seen[id] = true;
    const entry& e = entries_[id];
    if (e.type == 2 && same_name(e.name, name))
      return e.size < mini_cutoff_ ? mini_chain(e.start, e.size) : chain(e.start, e.size);
    todo.push_back(e.left);
    todo.push_back(e.right);
  }
  return std::nullopt;
}

}  // namespace km::platform::xls
