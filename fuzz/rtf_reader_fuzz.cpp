// Reads arbitrary bytes as rich text into a document (what the program does
// with its explanation files and its rich-text box).
#include <QGuiApplication>
#include <QTextDocument>
#include <cstdint>

#include "platform/model/rich_text/rtf_reader.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  // Fonts and the text layout need a GUI application; no screen is used.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QGuiApplication app(*argc, *argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  QTextDocument document;
  km::platform::read_rtf(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)), document);
  (void)document.toPlainText();
  return 0;
}
