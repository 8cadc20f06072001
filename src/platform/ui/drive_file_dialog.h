#pragma once
// The folder and file dialogs in the program's own terms. The dialog opens
// on the native folder of a Windows path, offers the drives and shares of
// the drive map as places (named "C:", "\\server\share"), understands a
// Windows path typed into its name box ("C:\KORVA-DATA"), and gives its
// answer as a Windows path. A choice outside every mapped drive is refused
// with a message that names the mapped drives, and the dialog stays open.
// Its labels, buttons and messages follow the dialog language.

#include <QFileDialog>
#include <QString>
#include <QStringList>

#include "platform/dialog_language.h"

namespace km::platform {

enum class drive_dialog_mode { folder, open_file, save_file };

class drive_file_dialog : public QFileDialog {
  Q_OBJECT

 public:
  drive_file_dialog(QWidget* parent, const QString& title, drive_dialog_mode mode);

  // Opens on the native folder of the Windows folder (its nearest existing
  // parent, else the current drive, else the first mapped drive), with the
  // file name proposed in the name box.
  void start_at(const QString& win_folder, const QString& file_name = QString());

  // The choice in Windows form once the dialog was accepted.
  const QString& chosen() const { return chosen_; }

  // The places offered, in the map's order, with the names they show.
  static QStringList place_names();

 public slots:
  void accept() override;

 private:
  // The native path of what the user chose: a typed Windows path through
  // the drive map, else the dialog's own selection. "" after a message.
  QString native_choice();
  bool acceptable(const QString& native);
  void name_the_places();

  drive_dialog_mode mode_;
  QString chosen_;
  bool naming_places_ = false;
};

// "C:, D:, \\server\share" with each native folder: the drives of the map
// that are present.
QString mapped_drives_text();

// Messages of the dialogs, in the dialog language.
QString outside_drives_text(const QString& native_path, dialog_language language);
QString folder_missing_text(const QString& path, dialog_language language);
QString file_missing_text(const QString& path, dialog_language language);
QString replace_file_text(const QString& path, dialog_language language);

// True for a path in Windows form: a drive letter and colon, or "\\server\share".
bool is_windows_form(const QString& path);

}  // namespace km::platform
