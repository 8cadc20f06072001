#include "printing/export_file_dialog.h"

#include "printing_fixture.h"

namespace km::test {
namespace {

class export_file_dialog_test : public printing_test {
 protected:
  void ask(const QString& folder, const QString& name) {
    g_file_dialog_title = QStringLiteral("FOLDER ADDRESS FOR EXCEL EXPORT");
    g_file_dialog_folder = folder;
    g_file_dialog_file_name = name;
    g_file_dialog_cancelled = true;  // the routine clears it
  }
};

struct chosen_case {
  const char* chosen;
  const char* folder;
  const char* name;
};

TEST_F(export_file_dialog_test, the_chosen_file_is_split_into_folder_and_name) {
  const chosen_case cases[] = {
      {"D:\\Exports\\Marks.xls", "D:\\Exports", "Marks.xls"},
      {"C:\\Marks.xls", "C:", "Marks.xls"},  // a drive root loses its "\"
      {"D:\\Exports\\Marks", "D:\\Exports", "Marks"},
      {"D:\\A\\B\\Report 10A.xlsx", "D:\\A\\B", "Report 10A.xlsx"},
      {"\\\\server\\share\\Marks.xls", "\\\\server\\share", "Marks.xls"},
  };
  for (const chosen_case& c : cases) {
    SCOPED_TRACE(c.chosen);
    ask(QString(), QStringLiteral("Marks"));
    dialogs.expect_file(QStringLiteral("FOLDER ADDRESS FOR EXCEL EXPORT"))
        .file_kind(platform::file_dialog_kind::save)
        .file_name(QStringLiteral("Marks"))
        .choose(QString::fromLatin1(c.chosen));
    choose_export_file();
    EXPECT_FALSE(g_file_dialog_cancelled);
    EXPECT_EQ(g_file_dialog_folder, QString::fromLatin1(c.folder));
    EXPECT_EQ(g_file_dialog_file_name, QString::fromLatin1(c.name));
  }
}

TEST_F(export_file_dialog_test, cancel_keeps_the_incoming_values) {
  ask(QStringLiteral("D:\\Old"), QStringLiteral("Marks"));
  dialogs.expect_file(QStringLiteral("FOLDER ADDRESS FOR EXCEL EXPORT")).cancel();
  choose_export_file();
  EXPECT_TRUE(g_file_dialog_cancelled);
  EXPECT_EQ(g_file_dialog_folder, QStringLiteral("D:\\Old"));
  EXPECT_EQ(g_file_dialog_file_name, QStringLiteral("Marks"));
}

struct start_case {
  const char* folder;
  const char* offered;
};

TEST_F(export_file_dialog_test, only_an_existing_folder_is_offered_to_start_in) {
  drives.make_native_folder(QStringLiteral("D/Exports"));
  const start_case cases[] = {
      {"D:\\Exports", "D:\\Exports"},
      {"   ", ""},
      {"", ""},
      {"D:\\Missing", ""},
  };
  for (const start_case& c : cases) {
    SCOPED_TRACE(c.folder);
    ask(QString::fromLatin1(c.folder), QStringLiteral("Marks"));
    dialogs.expect_file(QStringLiteral("FOLDER ADDRESS FOR EXCEL EXPORT"))
        .start_folder(QString::fromLatin1(c.offered))
        .choose(QStringLiteral("D:\\Exports\\Marks"));
    choose_export_file();
  }
}

// Checks the request itself: the filter and the open dialog.
class request_spy : public platform::dialog_service {
 public:
  platform::msg_answer message_box(const platform::message_request&) override {
    return platform::msg_answer::ok;
  }
  platform::input_answer input_box(const platform::input_request&) override { return {}; }
  void beep() override {}
  std::optional<QString> browse_folder(const platform::folder_request&) override { return std::nullopt; }
  std::optional<QString> file_dialog(const platform::file_request& request) override {
    seen = request;
    if (fail) throw std::runtime_error("the dialog could not be shown");
    return QStringLiteral("D:\\X\\y.txt");
  }
  std::optional<platform::printer_choice> printer_dialog(const platform::printer_request&) override {
    return std::nullopt;
  }
  std::optional<platform::font_choice> font_dialog(const platform::font_request&) override {
    return std::nullopt;
  }
  QString clipboard_text() override { return {}; }
  void set_clipboard_text(const QString&) override {}

  platform::file_request seen;
  bool fail = false;
};

TEST_F(export_file_dialog_test, the_filter_and_the_open_dialog_reach_the_dialog) {
  request_spy spy;
  platform::dialog_service* previous = platform::set_dialogs(&spy);
  g_file_dialog_mode = true;
  g_file_dialog_filter = QStringLiteral("  Text|*.txt  ");
  choose_export_file();
  EXPECT_EQ(spy.seen.kind, platform::file_dialog_kind::open);
  EXPECT_EQ(spy.seen.filter, QStringLiteral("Text|*.txt"));
  EXPECT_EQ(g_file_dialog_file_name, QStringLiteral("y.txt"));

  // A dialog that fails chose nothing: it counts as cancelled.
  spy.fail = true;
  g_file_dialog_folder = QStringLiteral("D:\\Before");
  choose_export_file();
  EXPECT_TRUE(g_file_dialog_cancelled);
  EXPECT_EQ(g_file_dialog_folder, QStringLiteral("D:\\Before"));
  platform::set_dialogs(previous);
}

}  // namespace
}  // namespace km::test
