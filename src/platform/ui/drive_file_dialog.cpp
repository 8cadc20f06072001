#include "platform/ui/drive_file_dialog.h"

#include <QAbstractItemModel>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QListView>
#include <QRegularExpression>
#include <QUrl>
#include <utility>
#include <vector>

#include "platform/drive_map.h"
#include "platform/win_path.h"

namespace km::platform {

namespace {

// A place of the dialog: the drive's name and its native folder.
struct drive_place {
  QString name;
  QString native;
};

std::vector<drive_place> present_places() {
  std::vector<drive_place> out;
  const drive_map& map = active_drive_map();
  const auto add = [&out](const QString& name, const QString& folder) {
    const QFileInfo info(folder);
    if (info.isDir()) out.push_back({name, QDir::cleanPath(info.absoluteFilePath())});
  };
  for (auto it = map.drives.cbegin(); it != map.drives.cend(); ++it)
    add(QString(it.key()) + QLatin1Char(':'), it.value());
  for (const auto& [unc, folder] : map.shares) add(unc, folder);
  return out;
}

// The native folder of a Windows folder, or of its nearest parent that exists.
QString nearest_native_folder(const QString& win_folder) {
  QString path = full_win_path(win_folder.trimmed());
  while (!path.isEmpty()) {
    const QString native = to_native_path(path);
    if (!native.isEmpty() && QFileInfo(native).isDir()) return native;
    const QString parent = parent_folder_name(path);
    if (parent == path) break;
    path = parent;
  }
  return QString();
}

QString shown_path(const QString& native) {
  const QString win = to_windows_path(native);
  return win.isEmpty() ? native : win;
}

void tell(const QString& text) { message_box(text, msg_buttons::ok, msg_icon::exclamation); }

// The dialog's own controls, as the widget-based file dialog names them.
const QString name_box = QStringLiteral("fileNameEdit");
const QString sidebar = QStringLiteral("sidebar");
constexpr int sidebar_url_role = Qt::UserRole + 1;

}  // namespace

bool is_windows_form(const QString& path) {
  static const QRegularExpression windows(QStringLiteral("^([A-Za-z]:|\\\\\\\\[^\\\\/]+[\\\\/][^\\\\/]+)"));
  return windows.match(path).hasMatch();
}

QString mapped_drives_text() {
  QStringList parts;
  for (const drive_place& place : present_places())
    parts << place.name + QStringLiteral(" (") + place.native + QLatin1Char(')');
  return parts.join(QStringLiteral(", "));
}

QString outside_drives_text(const QString& native_path, dialog_language language) {
  return in_language(
      language,
      QStringLiteral("Die gids ") + native_path +
          QStringLiteral(" is nie op 'n skyf van die program nie.\r\n") +
          QStringLiteral("Kies 'n gids op een van hierdie skywe: ") + mapped_drives_text() + QLatin1Char('.'),
      QStringLiteral("The folder ") + native_path + QStringLiteral(" is not on a drive of the program.\r\n") +
          QStringLiteral("Choose a folder on one of these drives: ") + mapped_drives_text() +
          QLatin1Char('.'));
}

QString folder_missing_text(const QString& path, dialog_language language) {
  return in_language(language, QStringLiteral("Die gids ") + path + QStringLiteral(" bestaan nie."),
                     QStringLiteral("The folder ") + path + QStringLiteral(" does not exist."));
}

QString file_missing_text(const QString& path, dialog_language language) {
  return in_language(language, QStringLiteral("Die l\u00EAer ") + path + QStringLiteral(" bestaan nie."),
                     QStringLiteral("The file ") + path + QStringLiteral(" does not exist."));
}

QString replace_file_text(const QString& path, dialog_language language) {
  return in_language(language, path + QStringLiteral(" bestaan reeds.\r\nWil u dit vervang?"),
                     path + QStringLiteral(" already exists.\r\nDo you want to replace it?"));
}

QStringList drive_file_dialog::place_names() {
  QStringList names;
  for (const drive_place& place : present_places()) names << place.name;
  return names;
}

drive_file_dialog::drive_file_dialog(QWidget* parent, const QString& title, drive_dialog_mode mode)
    : QFileDialog(parent, title), mode_(mode) {
  // The widget dialog: its places and its name box are ours to set.
  setOption(QFileDialog::DontUseNativeDialog);
  setOption(QFileDialog::DontConfirmOverwrite);  // asked here, in the dialog language
  const dialog_language language = current_dialog_language();
  const auto text = [language](const char* afrikaans, const char* english) {
    return in_language(language, QString::fromUtf8(afrikaans), QString::fromUtf8(english));
  };
  switch (mode_) {
    case drive_dialog_mode::folder:
      setFileMode(QFileDialog::Directory);
      setOption(QFileDialog::ShowDirsOnly);
      setLabelText(QFileDialog::FileName, text("Gids:", "Folder:"));
      setLabelText(QFileDialog::Accept, text("Kies", "Choose"));
      break;
    case drive_dialog_mode::open_file:
      setFileMode(QFileDialog::ExistingFile);
      setAcceptMode(QFileDialog::AcceptOpen);
      setLabelText(QFileDialog::FileName, text("L\u00EAernaam:", "File name:"));
      setLabelText(QFileDialog::Accept, text("Maak oop", "Open"));
      break;
    case drive_dialog_mode::save_file:
      setFileMode(QFileDialog::AnyFile);
      setAcceptMode(QFileDialog::AcceptSave);
      setLabelText(QFileDialog::FileName, text("L\u00EAernaam:", "File name:"));
      setLabelText(QFileDialog::Accept, text("Stoor", "Save"));
      break;
  }
  setLabelText(QFileDialog::LookIn, text("Kyk in:", "Look in:"));
  setLabelText(QFileDialog::FileType, text("L\u00EAertipe:", "Files of type:"));
  setLabelText(QFileDialog::Reject, button_text(msg_answer::cancel, language));

  QList<QUrl> urls;
  for (const drive_place& place : present_places()) urls << QUrl::fromLocalFile(place.native);
  setSidebarUrls(urls);
  if (auto* view = findChild<QListView*>(sidebar); view && view->model()) {
    // The places show their drive names; the dialog renames a place after
    // its folder whenever it looks at the folder again, so the names are
    // put back each time.
    connect(view->model(), &QAbstractItemModel::dataChanged, this, [this] { name_the_places(); });
    connect(view->model(), &QAbstractItemModel::rowsInserted, this, [this] { name_the_places(); });
  }
  name_the_places();
}

void drive_file_dialog::name_the_places() {
  if (naming_places_) return;
  auto* view = findChild<QListView*>(sidebar);
  if (!view || !view->model()) return;
  naming_places_ = true;
  const std::vector<drive_place> places = present_places();
  QAbstractItemModel* model = view->model();
  for (int row = 0; row < model->rowCount(); ++row) {
    const QModelIndex index = model->index(row, 0);
    const QString folder = QDir::cleanPath(index.data(sidebar_url_role).toUrl().toLocalFile());
    for (const drive_place& place : places)
      if (place.native == folder && index.data(Qt::DisplayRole).toString() != place.name)
        model->setData(index, place.name, Qt::DisplayRole);
  }
  naming_places_ = false;
}

void drive_file_dialog::start_at(const QString& win_folder, const QString& file_name) {
  QString folder = nearest_native_folder(win_folder);
  if (folder.isEmpty()) folder = nearest_native_folder(current_directory());
  if (folder.isEmpty()) {
    const std::vector<drive_place> places = present_places();
    if (!places.empty()) folder = places.front().native;
  }
  if (!folder.isEmpty()) setDirectory(folder);
  if (!file_name.isEmpty()) selectFile(file_name);
}

QString drive_file_dialog::native_choice() {
  auto* box = findChild<QLineEdit*>(name_box);
  const QString typed = box ? box->text().trimmed() : QString();
  if (is_windows_form(typed)) {
    const QString native = to_native_path(typed);
    if (native.isEmpty()) tell(outside_drives_text(typed, current_dialog_language()));
    return native;
  }
  const QStringList files = selectedFiles();
  return files.isEmpty() ? QString() : files.constFirst();
}

bool drive_file_dialog::acceptable(const QString& native) {
  const dialog_language language = current_dialog_language();
  const QFileInfo info(native);
  if (mode_ != drive_dialog_mode::folder && info.isDir()) {
    // A folder named in a file dialog is opened, as the dialog does itself.
    setDirectory(native);
    if (auto* box = findChild<QLineEdit*>(name_box)) box->clear();
    return false;
  }
  if (mode_ == drive_dialog_mode::folder && !info.isDir()) {
    tell(folder_missing_text(shown_path(native), language));
    return false;
  }
  if (mode_ == drive_dialog_mode::open_file && !info.isFile()) {
    tell(file_missing_text(shown_path(native), language));
    return false;
  }
  if (mode_ == drive_dialog_mode::save_file && !QFileInfo(info.absolutePath()).isDir()) {
    tell(folder_missing_text(shown_path(info.absolutePath()), language));
    return false;
  }
  const QString win = to_windows_path(native);
  if (win.isEmpty()) {
    tell(outside_drives_text(native, language));
    return false;
  }
  if (mode_ == drive_dialog_mode::save_file && info.exists() &&
      message_box(replace_file_text(win, language), msg_buttons::yes_no, msg_icon::exclamation) !=
          msg_answer::yes)
    return false;
  chosen_ = win;
  return true;
}

void drive_file_dialog::accept() {
  const QString native = native_choice();
  if (native.isEmpty() || !acceptable(native)) return;
  QDialog::accept();
}

}  // namespace km::platform
