#pragma once
// The records of a workbook stream (BIFF8): a 2-byte type, a 2-byte length
// and that many bytes. A record too long for one piece goes on in CONTINUE
// records right after it; text that crosses into a CONTINUE starts there
// with a fresh option byte (its characters may switch between one and two
// bytes each).
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/xls/byte_view.h"

namespace km::platform::xls {

namespace record_type {
constexpr std::uint16_t formula = 0x0006;
constexpr std::uint16_t eof = 0x000A;
constexpr std::uint16_t filepass = 0x002F;
constexpr std::uint16_t continue_ = 0x003C;
constexpr std::uint16_t boundsheet = 0x0085;
constexpr std::uint16_t mulrk = 0x00BD;
constexpr std::uint16_t rstring = 0x00D6;
constexpr std::uint16_t sst = 0x00FC;
constexpr std::uint16_t labelsst = 0x00FD;
constexpr std::uint16_t number = 0x0203;
constexpr std::uint16_t label = 0x0204;
constexpr std::uint16_t boolerr = 0x0205;
constexpr std::uint16_t string = 0x0207;
constexpr std::uint16_t array = 0x0221;
constexpr std::uint16_t table = 0x0236;
constexpr std::uint16_t rk = 0x027E;
constexpr std::uint16_t shrfmla = 0x04BC;
constexpr std::uint16_t bof = 0x0809;
}  // namespace record_type

struct record {
  std::uint16_t type = 0;
  bytes data;
  std::size_t next = 0;  // offset of the record after this one
};

// The record at `offset`; nullopt when its header or body would pass the
// end of the stream.
std::optional<record> record_at(bytes stream, std::size_t offset);

// A record's body and the bodies of the CONTINUE records after it, read as
// one run of bytes.
class continued_reader {
 public:
  continued_reader(bytes stream, const record& first);
  std::size_t next() const { return next_; }  // the first record after the last CONTINUE

  std::optional<std::uint8_t> byte();
  std::optional<std::uint16_t> u16();
  std::optional<std::uint32_t> u32();
  bool skip(std::uint64_t count);
  // A string with a 16-bit character count and an option byte, its rich
  // text runs and phonetic block stepped over.
  std::optional<std::u16string> unicode_string();
  // A string of BIFF5: a 16-bit count and that many bytes of the code
  // page, each put in one unit of the result.
  std::optional<std::u16string> byte_string();

 private:
  std::optional<std::u16string> characters(std::uint32_t count, bool wide);
  bool at_piece_end() const { return at_ == pieces_[piece_].size(); }

  std::vector<bytes> pieces_;
  std::size_t piece_ = 0;
  std::size_t at_ = 0;
  std::size_t next_ = 0;
};

}  // namespace km::platform::xls
