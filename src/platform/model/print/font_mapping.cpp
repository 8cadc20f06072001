#include "platform/model/print/font_mapping.h"

#include <QFontDatabase>
#include <QHash>
#include <cmath>

#include "platform/services.h"

namespace km::platform {

namespace {

// Windows font names and the installed family with the same metrics, or
// the nearest in look where no metric twin exists.
const QHash<QString, QString>& stand_ins() {
  static const QHash<QString, QString> table = {
      {QStringLiteral("lucida console"), QStringLiteral("Liberation Mono")},
      {QStringLiteral("courier new"), QStringLiteral("Liberation Mono")},
      {QStringLiteral("courier"), QStringLiteral("Liberation Mono")},
      {QStringLiteral("consolas"), QStringLiteral("Liberation Mono")},
      {QStringLiteral("fixedsys"), QStringLiteral("Liberation Mono")},
      {QStringLiteral("arial"), QStringLiteral("Liberation Sans")},
      {QStringLiteral("arial narrow"), QStringLiteral("Liberation Sans")},
      {QStringLiteral("helvetica"), QStringLiteral("Liberation Sans")},
      {QStringLiteral("ms sans serif"), QStringLiteral("Liberation Sans")},
      {QStringLiteral("microsoft sans serif"), QStringLiteral("Liberation Sans")},
      {QStringLiteral("calibri"), QStringLiteral("Liberation Sans")},
      {QStringLiteral("tahoma"), QStringLiteral("DejaVu Sans")},
      {QStringLiteral("verdana"), QStringLiteral("DejaVu Sans")},
      {QStringLiteral("segoe ui"), QStringLiteral("DejaVu Sans")},
      {QStringLiteral("times new roman"), QStringLiteral("Liberation Serif")},
      {QStringLiteral("times"), QStringLiteral("Liberation Serif")},
      {QStringLiteral("ms serif"), QStringLiteral("Liberation Serif")},
      {QStringLiteral("georgia"), QStringLiteral("DejaVu Serif")},
  };
  return table;
}

const QString& fallback_family() {
  static const QString family = QStringLiteral("Liberation Sans");
  return family;
}

// The families found so far, by lower-case name.
QHash<QString, QString>& resolved_families() {
  static QHash<QString, QString> resolved;
  return resolved;
}

// Looked up afresh after a reset: the fonts installed may have changed.
const reset_step forget_families{reset_stage::values, [] { resolved_families().clear(); }};

}  // namespace

QString installed_font_family(const QString& name) {
  QHash<QString, QString>& resolved = resolved_families();
  const QString key = name.trimmed().toLower();
  if (const auto it = resolved.constFind(key); it != resolved.constEnd()) return *it;

  QString family = fallback_family();
  if (const auto it = stand_ins().constFind(key); it != stand_ins().constEnd()) {
    family = *it;
  } else if (!key.isEmpty()) {
    for (const QString& installed : QFontDatabase::families()) {
      if (installed.compare(name.trimmed(), Qt::CaseInsensitive) == 0) {
        family = installed;
        break;
      }
    }
  }
  resolved.insert(key, family);
  return family;
}

QFont twips_font(const print_font& font) {
  QFont f(installed_font_family(font.name));
  f.setPixelSize(std::max(1, int(std::lround(font.size * twips_per_point))));
  f.setBold(font.bold);
  f.setItalic(font.italic);
  f.setUnderline(font.underline);
  f.setStrikeOut(font.strikethrough);
  f.setHintingPreference(QFont::PreferNoHinting);
  f.setStyleStrategy(QFont::PreferOutline);
  return f;
}

QString portable_font_name(const QString& name) {
  const QString family = installed_font_family(name);
  if (family == QStringLiteral("Liberation Serif") || family == QStringLiteral("DejaVu Serif"))
    return QStringLiteral("Times New Roman");
  if (family == QStringLiteral("Liberation Mono") || family == QStringLiteral("DejaVu Sans Mono"))
    return QStringLiteral("Courier New");
  return QStringLiteral("Arial");
}

}  // namespace km::platform
