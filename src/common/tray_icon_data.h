#pragma once
// The notification-icon record that the main menu fills for its icon.

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>

namespace km {

// The notification-icon record: six 32-bit fields and a 64-byte tip,
// 88 bytes in all.
struct tray_icon_data {
  static constexpr int record_size = 88;
  static constexpr int tip_size = 64;
  std::uint32_t size = 0;
  std::uint32_t window = 0;
  std::uint32_t icon_id = 0;
  std::uint32_t flags = 0;
  std::uint32_t callback_message = 0;
  std::uint32_t icon = 0;
  std::array<char, tip_size> tip{};

  // The record's bytes, little-endian.
  QByteArray to_bytes() const;
  // The tip up to its NUL (all 64 characters when it has none).
  QString tip_text() const;
};

// Fills the record: its size, the caller's values, and the tip followed by
// one NUL, cut or padded with blanks to 64 characters (a tip of 64 or more
// characters is cut and carries no NUL).
void fill_tray_icon_data(tray_icon_data& out, std::uint32_t window, std::uint32_t icon_id,
                         std::uint32_t flags, std::uint32_t callback_message, std::uint32_t icon,
                         const QString& tip);

}  // namespace km
