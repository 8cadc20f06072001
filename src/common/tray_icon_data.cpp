#include "common/tray_icon_data.h"

#include <algorithm>

#include "platform/cp1252.h"

namespace km {

QByteArray tray_icon_data::to_bytes() const {
  QByteArray out;
  out.reserve(record_size);
  for (std::uint32_t v : {size, window, icon_id, flags, callback_message, icon})
    for (int shift = 0; shift < 32; shift += 8) out.append(char((v >> shift) & 0xFF));
  out.append(tip.data(), tip_size);
  return out;
}

QString tray_icon_data::tip_text() const {
  const auto end = std::find(tip.begin(), tip.end(), '\0');
  return platform::decode_cp1252(tip.data(), qsizetype(end - tip.begin()));
}

void fill_tray_icon_data(tray_icon_data& out, std::uint32_t window, std::uint32_t icon_id,
                         std::uint32_t flags, std::uint32_t callback_message, std::uint32_t icon,
                         const QString& tip) {
  out.size = tray_icon_data::record_size;
  out.window = window;
  out.icon_id = icon_id;
  out.flags = flags;
  out.callback_message = callback_message;
  out.icon = icon;
  QByteArray bytes = platform::encode_cp1252(tip);
  bytes.append('\0');
  bytes = bytes.left(tray_icon_data::tip_size);
  bytes = bytes.leftJustified(tray_icon_data::tip_size, ' ');
  std::copy(bytes.cbegin(), bytes.cend(), out.tip.begin());
}

}  // namespace km
