// The folder and file dialogs in the program's terms: the mapped drives as
// places, the start on a Windows folder, a typed Windows path, a choice
// outside the drive map refused with a message, texts in the dialog
// language. The dialogs are worked without their own loop: accept() is
// what the Choose button and Enter run.
#include "platform/ui/drive_file_dialog.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTemporaryDir>

#include "platform/ui/qt_dialogs.h"
#include "support/qt_dialog_steps.h"
#include "support/scripted_dialogs.h"
#include "support/temp_drives.h"

namespace km::platform {
namespace {

using km::test::scripted_dialogs;

class drive_file_dialog_test : public km::test::temp_drives_test {
 protected:
  void SetUp() override { drives.make_native_folder("C/KORVA-DATA/2010"); }
  void TearDown() override {
    set_dialog_language_source(nullptr);
    dialogs.verify();
  }
  static void type(QFileDialog& dialog, const QString& text) {
    auto* box = dialog.findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(box, nullptr);
    box->setText(text);
  }
  QString mapped() const {
    return "C: (" + QDir::cleanPath(drives.native_drive('C')) + "), D: (" +
           QDir::cleanPath(drives.native_drive('D')) + ")";
  }
  scripted_dialogs dialogs;
};

TEST_F(drive_file_dialog_test, the_mapped_drives_are_the_places_under_their_own_names) {
  const QString share = drives.add_share("\\\\server\\skool");
  EXPECT_EQ(drive_file_dialog::place_names(), QStringList({"C:", "D:", "\\\\server\\skool"}));
  drive_file_dialog dialog(nullptr, "CHANGE DATA FOLDER", drive_dialog_mode::folder);
  EXPECT_EQ(dialog.sidebarUrls(), QList<QUrl>({QUrl::fromLocalFile(QDir::cleanPath(drives.native_drive('C'))),
                                               QUrl::fromLocalFile(QDir::cleanPath(drives.native_drive('D'))),
                                               QUrl::fromLocalFile(QDir::cleanPath(share))}));
  auto* places = dialog.findChild<QListView*>("sidebar");
  ASSERT_NE(places, nullptr);
  QStringList shown;
  for (int row = 0; row < places->model()->rowCount(); ++row)
    shown << places->model()->index(row, 0).data().toString();
  EXPECT_EQ(shown, QStringList({"C:", "D:", "\\\\server\\skool"}));
}

TEST_F(drive_file_dialog_test, opens_on_the_folder_of_the_windows_path_or_its_nearest_parent) {
  struct start_case {
    const char* windows;
    const char* native_below_c;
  } cases[] = {{"c:\\korva-data\\2010", "KORVA-DATA/2010"},
               {"C:\\KORVA-DATA\\2011\\NEW", "KORVA-DATA"},
               {"", ""},
               {"Q:\\NOWHERE", ""}};
  for (const auto& c : cases) {
    drive_file_dialog dialog(nullptr, "T", drive_dialog_mode::folder);
    dialog.start_at(c.windows);
    EXPECT_EQ(QDir::cleanPath(dialog.directory().absolutePath()),
              QDir::cleanPath(drives.native_drive('C') + "/" + c.native_below_c))
        << c.windows;
  }
}

TEST_F(drive_file_dialog_test, a_typed_windows_path_is_the_choice_in_its_own_spelling) {
  drive_file_dialog dialog(nullptr, "CHANGE DATA FOLDER", drive_dialog_mode::folder);
  dialog.start_at("D:\\");
  type(dialog, "c:\\korva-data\\2010");
  dialog.accept();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.chosen(), "C:\\KORVA-DATA\\2010");
}

TEST_F(drive_file_dialog_test, a_folder_chosen_in_the_dialog_comes_back_as_its_windows_path) {
  drive_file_dialog dialog(nullptr, "T", drive_dialog_mode::folder);
  dialog.start_at("C:\\KORVA-DATA");
  type(dialog, drives.native_drive('C') + "/KORVA-DATA/2010");
  dialog.accept();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.chosen(), "C:\\KORVA-DATA\\2010");
}

TEST_F(drive_file_dialog_test, a_folder_outside_the_drives_is_told_by_name_and_the_dialog_stays) {
  QTemporaryDir outside;
  for (bool afrikaans : {false, true}) {
    set_dialog_language_source(
        [afrikaans] { return afrikaans ? dialog_language::afrikaans : dialog_language::english; });
    const QString native = QDir::cleanPath(outside.path());
    dialogs
        .expect_message(afrikaans ? "Die gids " + native +
                                        " is nie op 'n skyf van die program nie.\r\nKies 'n gids op een van "
                                        "hierdie skywe: " +
                                        mapped() + "."
                                  : "The folder " + native +
                                        " is not on a drive of the program.\r\nChoose a folder on one of "
                                        "these drives: " +
                                        mapped() + ".")
        .icon(msg_icon::exclamation);
    drive_file_dialog dialog(nullptr, "T", drive_dialog_mode::folder);
    type(dialog, native);
    dialog.accept();
    dialogs.verify();
    EXPECT_NE(dialog.result(), QDialog::Accepted) << "the dialog stays open for another choice";
    // The same dialog then takes a folder on a drive.
    type(dialog, "C:\\KORVA-DATA");
    dialog.accept();
    EXPECT_EQ(dialog.chosen(), "C:\\KORVA-DATA");
  }
}

TEST_F(drive_file_dialog_test, a_missing_folder_or_an_unmapped_drive_is_told) {
  dialogs.expect_message("The folder C:\\KORVA-DATA\\2099 does not exist.").icon(msg_icon::exclamation);
  dialogs
      .expect_message(
          "The folder Q:\\DATA is not on a drive of the program.\r\nChoose a folder on one of "
          "these drives: " +
          mapped() + ".")
      .icon(msg_icon::exclamation);
  drive_file_dialog dialog(nullptr, "T", drive_dialog_mode::folder);
  type(dialog, "C:\\KORVA-DATA\\2099");
  dialog.accept();
  type(dialog, "Q:\\DATA");
  dialog.accept();
  EXPECT_NE(dialog.result(), QDialog::Accepted);
}

TEST_F(drive_file_dialog_test, save_asks_before_replacing_in_the_dialog_language) {
  drives.write_native("C/KORVA-DATA/punte.xlsx", "old");
  set_dialog_language_source([] { return dialog_language::afrikaans; });
  dialogs.expect_message("C:\\KORVA-DATA\\punte.xlsx bestaan reeds.\r\nWil u dit vervang?")
      .buttons(msg_buttons::yes_no)
      .icon(msg_icon::exclamation)
      .answer(msg_answer::no);
  drive_file_dialog dialog(nullptr, "T", drive_dialog_mode::save_file);
  dialog.start_at("C:\\KORVA-DATA", "punte.xlsx");
  EXPECT_EQ(dialog.labelText(QFileDialog::Accept), "Stoor");
  EXPECT_EQ(dialog.labelText(QFileDialog::Reject), "Kanselleer");
  type(dialog, "C:\\KORVA-DATA\\punte.xlsx");
  dialog.accept();
  dialogs.verify();
  EXPECT_NE(dialog.result(), QDialog::Accepted);
  // A new name needs no question.
  type(dialog, "C:\\KORVA-DATA\\nuut.xlsx");
  dialog.accept();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.chosen(), "C:\\KORVA-DATA\\nuut.xlsx");
}

// The running program's service, worked as a user would: its buttons speak
// the dialog language.
TEST_F(drive_file_dialog_test, the_qt_service_speaks_the_dialog_language) {
  set_dialog_language_source([] { return dialog_language::afrikaans; });
  QStringList buttons;
  QString chosen_label;
  km::test::qt_dialog_steps steps({[&](QDialog* box) {
                                     for (QPushButton* b : box->findChildren<QPushButton*>())
                                       buttons << b->text();
                                     box->findChildren<QPushButton*>().constFirst()->click();
                                   },
                                   [&](QDialog* folder) {
                                     chosen_label =
                                         static_cast<QFileDialog*>(folder)->labelText(QFileDialog::Accept);
                                     km::test::type_into_dialog(folder, "C:\\KORVA-DATA");
                                     QMetaObject::invokeMethod(folder, "accept");
                                   }});
  message_box("Stoor?", msg_buttons::yes_no_cancel);
  const auto folder = km::platform::dialogs().browse_folder({"WYSIG DATA GIDS", "C:\\"});
  steps.verify();
  buttons.sort();
  EXPECT_EQ(buttons, QStringList({"&Ja", "&Nee", "Kanselleer"}));
  EXPECT_EQ(chosen_label, "Kies");
  EXPECT_EQ(folder, QString("C:\\KORVA-DATA"));
}

TEST(dialog_language, button_texts) {
  const struct {
    msg_answer button;
    const char* afrikaans;
    const char* english;
  } cases[] = {{msg_answer::ok, "OK", "OK"},
               {msg_answer::cancel, "Kanselleer", "Cancel"},
               {msg_answer::abort, "&Staak", "&Abort"},
               {msg_answer::retry, "&Probeer weer", "&Retry"},
               {msg_answer::ignore, "&Ignoreer", "&Ignore"},
               {msg_answer::yes, "&Ja", "&Yes"},
               {msg_answer::no, "&Nee", "&No"}};
  for (const auto& c : cases) {
    EXPECT_EQ(button_text(c.button, dialog_language::afrikaans), c.afrikaans);
    EXPECT_EQ(button_text(c.button, dialog_language::english), c.english);
  }
  EXPECT_EQ(current_dialog_language(), dialog_language::english) << "English without a source";
}

}  // namespace
}  // namespace km::platform
