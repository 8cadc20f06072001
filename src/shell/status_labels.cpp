#include "shell/status_labels.h"

#include <QFont>
#include <QLabel>
#include <QPalette>
#include <QPointer>

#include "common/shared_variables.h"
#include "common/text_routines.h"
#include "platform/clock.h"
#include "platform/date_time.h"
#include "platform/value.h"
#include "shell/audit_trail.h"
#include "shell/menu_form.h"
#include "shell/suite_programs.h"
#include "shell/version_numbers.h"

namespace km {

namespace {

using platform::twips_to_pixels;

// The panel colour, standing in for the colour of inactive title bars: a
// blue-grey dark enough for the white date and time (5.3 : 1) and light
// enough for the black version line (3.9 : 1).
constexpr QRgb inactive_caption = qRgb(70, 110, 150);

// Room kept between the status labels and the edge of their panel.
constexpr int panel_margin_px = 4;

void set_back_colour(QWidget* widget, const QColor& colour) {
  if (!widget) return;
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, colour);
  palette.setColor(QPalette::Button, colour);
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

void set_top_twips(QWidget* widget, double twips) { widget->move(widget->x(), twips_to_pixels(twips)); }

void style_label(QWidget* widget, const QString& font_name, const QColor& colour, const QString& text,
                 bool fit_to_text = false) {
  QFont font(font_name);
  font.setPointSizeF(8);
  font.setBold(false);
  widget->setFont(font);
  QPalette palette = widget->palette();
  palette.setColor(QPalette::WindowText, colour);
  palette.setColor(QPalette::Text, colour);
  palette.setColor(QPalette::ButtonText, colour);
  widget->setPalette(palette);
  if (auto* label = qobject_cast<QLabel*>(widget)) {
    label->setText(text);
    if (fit_to_text) {
      label->adjustSize();
    } else {
      // The size the label was given is the least; it grows to show its
      // whole text in the fonts installed here.
      label->resize(label->size().expandedTo(label->sizeHint()));
    }
  }
}

// A panel grows to hold the labels placed in it.
void grow_to_hold_children(QWidget* panel) {
  if (!panel) return;
  QSize needed = panel->size();
  for (QWidget* child : panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    if (!child->isHidden())
      needed = needed.expandedTo(QSize(child->geometry().right() + 1 + panel_margin_px,
                                       child->geometry().bottom() + 1 + panel_margin_px));
  if (needed == panel->size()) return;
  if (panel->minimumSize() == panel->maximumSize())
    panel->setFixedSize(needed);
  else
    panel->setMinimumSize(needed);
  panel->resize(needed);
}

QString upper_name(const QWidget* widget) { return widget->objectName().toUpper(); }

// What the first pass over the window's controls found.
struct label_places {
  QPointer<QWidget> prg_version;
  QPointer<QWidget> version_container;
  QPointer<QWidget> exit_container;
  bool has_internet_version = false;
};

label_places place_labels(platform::form& window) {
  label_places found;
  const QColor panel = status_panel_colour();
  for (QWidget* control : window.findChildren<QWidget*>()) {
    const QString name = control->objectName();
    if (name == QLatin1String("ops_datum")) {
      set_top_twips(control, 120);
    } else if (name == QLatin1String("ops_tyd")) {
      set_top_twips(control, 360);
    } else if (name == QLatin1String("prg_version")) {
      set_top_twips(control, 600);
      found.prg_version = control;
      found.version_container = control->parentWidget();
      set_back_colour(found.version_container, panel);
    } else if (name == QLatin1String("internet_version")) {
      found.has_internet_version = true;
    }
    if (upper_name(control).contains(QLatin1String("EXIT"))) {
      QWidget* container = control->parentWidget();
      if (!container) continue;
      set_back_colour(container, panel);
      found.exit_container = container;
      QWidget* outer = container->parentWidget();
      if (container != &window && outer && outer != &window) {
        set_back_colour(outer, panel);
        found.exit_container = outer;
      }
    }
  }
  return found;
}

void add_internet_version_label(const label_places& found) {
  if (!found.prg_version || !found.version_container || found.has_internet_version) return;
  auto* label = new QLabel(QStringLiteral("version"), found.version_container);
  label->setObjectName(QStringLiteral("internet_version"));
  label->setGeometry(found.prg_version->x(), twips_to_pixels(840), twips_to_pixels(510),
                     twips_to_pixels(195));
  label->show();
  label->raise();
}

void fill_labels(platform::form& window, const label_places& found, const QString& version_text) {
  const QColor panel = status_panel_colour();
  const double now = platform::clock().now();
  for (QWidget* control : window.findChildren<QWidget*>()) {
    QWidget* container = control->parentWidget();
    if (container && ((found.version_container && container == found.version_container) ||
                      (found.exit_container && container == found.exit_container)))
      set_back_colour(control, panel);
    const QString name = control->objectName();
    if (name == QLatin1String("ops_datum")) {
      style_label(control, QStringLiteral("TAHOMA"), Qt::white,
                  format_date(platform::Value::date(platform::date_part(now))).to_text());
    } else if (name == QLatin1String("ops_tyd")) {
      style_label(control, QStringLiteral("TAHOMA"), Qt::white, platform::time_text(now));
    } else if (name == QLatin1String("prg_version")) {
      style_label(control, QStringLiteral("Copperplate Gothic"), Qt::red, version_text, true);
    } else if (name == QLatin1String("internet_version")) {
      style_label(
          control, QStringLiteral("Copperplate Gothic"), Qt::black,
          get_internet_version().trimmed() + QStringLiteral(" (") + suite_web_address + QLatin1Char(')'));
    }
  }
}

}  // namespace

QColor status_panel_colour() { return QColor::fromRgb(inactive_caption); }

QString show_status_labels(platform::form& window) {
  const QString version_text = g_windows_extra + QStringLiteral(" (") +
                               upper_case_afrikaans(g_windows_name.trimmed()) + QLatin1Char(')');
  const label_places found = place_labels(window);
  add_internet_version_label(found);
  window.set_key_preview(true);
  fill_labels(window, found, version_text);
  grow_to_hold_children(found.version_container);
  append_audit_record(current_audit_entry(window.name()));
  return version_text;
}

void show_window_heading(platform::form& window) {
  window.control<QLabel>(QStringLiteral("dir_disp"))->setText(g_data_folder);
  window.control<QLabel>(QStringLiteral("ops_ops1"))
      ->setText(g_school_name == maker_test_school ? window.caption() : g_school_name);
  window.control<QLabel>(QStringLiteral("prg_version"))->setText(show_status_labels(window));
}

}  // namespace km
