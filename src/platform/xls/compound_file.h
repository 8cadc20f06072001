#pragma once
// The compound file that holds an old binary workbook: a little file system
// of fixed-size sectors inside one file. A header names the sectors of the
// allocation table (FAT); each stream is a chain of sectors through that
// table, and streams shorter than the cut-off (4096 bytes) live in the
// "mini stream" in 64-byte pieces chained through the mini table. The
// directory, itself a chain, is a tree of 128-byte entries under the root.
//
// Every offset, sector number, chain and size is checked against the file:
// a chain that leaves the file, loops or ends early, and a size beyond what
// the file can hold, make the stream unreadable rather than read past the
// buffer.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/xls/byte_view.h"

namespace km::platform::xls {

class compound_file {
 public:
  // nullopt when the header is not a compound file's or its tables cannot
  // be read whole.
  static std::optional<compound_file> open(bytes file);

  // The bytes of the stream of this name directly under the root (the
  // name matched without regard to ASCII case); nullopt when there is none
  // or it cannot be read whole.
  std::optional<std::vector<std::uint8_t>> stream(std::u16string_view name) const;

 private:
  struct entry {
    std::u16string name;
    std::uint8_t type = 0;  // 1 storage, 2 stream, 5 root
    std::uint32_t left = 0, right = 0, child = 0;
    std::uint32_t start = 0;
    std::uint64_t size = 0;
  };

  explicit compound_file(bytes file) : file_(file) {}
  bool read_fat(std::uint32_t fat_sectors, std::uint32_t first_difat, std::uint32_t difat_sectors);
  std::optional<std::vector<std::uint8_t>> chain(std::uint32_t start, std::uint64_t size) const;
  std::optional<std::vector<std::uint8_t>> mini_chain(std::uint32_t start, std::uint64_t size) const;
  bool read_directory(std::uint32_t start);

  bytes file_;
  std::uint32_t sector_size_ = 512;
  std::uint32_t mini_cutoff_ = 4096;
  bool version3_ = true;
  std::vector<std::uint32_t> fat_;
  std::vector<std::uint32_t> mini_fat_;
  std::vector<std::uint8_t> mini_stream_;
  std::vector<entry> entries_;
};

}  // namespace km::platform::xls
