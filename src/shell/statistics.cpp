#include "shell/statistics.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <array>
#include <functional>

#include "common/ui/window_placement.h"
#include "platform/dialogs.h"
#include "platform/program.h"
#include "platform/ui/system_info.h"
#include "platform/ui/window_registry.h"
#include "shell/statistics_texts.h"

namespace km {

namespace {

struct box_entry {
  const char* name;
  const char* caption;
};

constexpr std::array<box_entry, 15> boxes{{
    {"txtUserName", "Name"},
    {"txtTotalPhysicalMemory", "Total Physical Memory"},
    {"txtTotalAvailableMemory", "Total Available Memory"},
    {"txtScreenResolution", "Screen Resolution"},
    {"txtColors", "Number of Colors"},
    {"txtCurrentDrive", "Current Drive"},
    {"txtTotalDiskSpace", "Total Disk Space (MB)"},
    {"txtTotalFreeDiskSpace", "Free Disk Space (MB)"},
    {"txtLocalDrives", "Local Drives"},
    {"txtNetworkDrives", "Network Drives"},
    {"txtOperatingSystem", "Operating System"},
    {"txtVersion", "Version"},
    {"txtBuildNumber", "Build Number"},
    {"txtServicePack", "Service Pack"},
    {"txtProcessor", "Processor"},
}};

// Runs one step; a failing system call is reported as "<routine><number>
// <text>" and the step ends, keeping the boxes filled so far.
void guarded(const QString& routine, const std::function<void()>& step) {
  try {
    step();
  } catch (const platform::system_info_error& e) {
    platform::message_box(routine + QString::number(e.number()) + e.text(), platform::msg_buttons::ok);
  }
}

}  // namespace

statistics::statistics(QWidget* parent) : platform::form(QStringLiteral("statistics"), parent) {
  set_caption("STATISTICS");
  auto* grid = new QGridLayout(this);
  int row = 0;
  for (const auto& b : boxes) {
    const QString name = QString::fromLatin1(b.name);
    auto* label = new QLabel(QString::fromLatin1(b.caption), this);
    label->setObjectName("lbl" + name.mid(3));
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    edit->setReadOnly(true);
    grid->addWidget(label, row, 0);
    grid->addWidget(edit, row, 1);
    ++row;
  }
  auto* exit = new QPushButton("EXIT", this);
  exit->setObjectName("stat_exit");
  exit->setAutoDefault(false);
  on_click(exit, [this] { platform::unload_form(this); });
  grid->addWidget(exit, row, 1);
}

QLineEdit* statistics::box(const QString& name) const { return control<QLineEdit>(name); }

void statistics::set_box(const QString& name, const QString& text) {
  QLineEdit* b = box(name);
  b->setText(text);
  // The box grows to show its whole text (the operating system's name is long).
  const int needed = b->fontMetrics().horizontalAdvance(text) +
                     2 * b->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 12;
  if (b->minimumWidth() < needed) b->setMinimumWidth(needed);
}

void statistics::on_load() {
  UserName();
  SystemInformation();
  VersionInformation();
  // Placed once its boxes have grown to their texts.
  centre_form(*this);
}

void statistics::UserName() {
  guarded("Stats.Form1.UserName", [this] { set_box("txtUserName", platform::system_info().user_name()); });
}

void statistics::SystemInformation() {
  auto& info = platform::system_info();
  const QString routine = QStringLiteral("Stats.Form1.SystemInformation");
  guarded(routine, [&] {
    const memory_texts memory = memory_text(info.memory());
    set_box("txtTotalPhysicalMemory", memory.total_physical);
    set_box("txtTotalAvailableMemory", memory.total_available);
  });
  guarded(routine, [&] { set_box("txtScreenResolution", screen_resolution_text(info.screen_pixels())); });
  guarded(routine, [&] { set_box("txtColors", colours_text(info.colour_bits())); });
  QString folder;
  guarded(routine, [&] {
    folder = info.program_folder();
    set_box("txtCurrentDrive", current_drive_text(folder));
  });
  guarded(routine, [&] {
    const disk_texts disk = disk_text(info.space_of(drive_root(folder)));
    set_box("txtTotalDiskSpace", disk.total);
    set_box("txtTotalFreeDiskSpace", disk.free);
  });
  guarded(routine, [&] {
    const drive_list_texts drives = drive_list_text(info.drives(), box("txtCurrentDrive")->text());
    set_box("txtLocalDrives", drives.local);
    set_box("txtNetworkDrives", drives.network);
  });
}

void statistics::VersionInformation() {
  guarded("Stats.Form1.VersionInformation", [this] {
    auto& info = platform::system_info();
    const version_texts v = version_text(info.version());
    set_box("txtOperatingSystem", v.operating_system);
    set_box("txtVersion", v.version);
    set_box("txtBuildNumber", v.build_number);
    set_box("txtServicePack", v.service_pack);
    set_box("txtProcessor", processor_text(info.processor_type()));
  });
}

}  // namespace km
