// The dialog service: the short forms, the refusing stand-in used while no
// service is installed, and the scripted stand-in of the tests themselves
// (an expected prompt passes, a different one or an unexpected one fails).
#include "platform/dialogs.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "platform/ui/qt_dialogs.h"
#include "support/scripted_dialogs.h"

namespace km::platform {
namespace {

using km::test::scripted_dialogs;

TEST(dialogs, without_a_service_every_prompt_is_refused_with_its_text) {
  ASSERT_EQ(set_dialogs(nullptr), nullptr) << "a test left its dialog service installed";
  try {
    message_box("Where is the data folder?");
    FAIL() << "a prompt without a service went through";
  } catch (const no_dialog_service& e) {
    EXPECT_NE(std::string(e.what()).find("Where is the data folder?"), std::string::npos) << e.what();
  }
  EXPECT_THROW(input_box("TIME OUT IN MINUTES"), no_dialog_service);
  EXPECT_THROW(dialogs().file_dialog({}), no_dialog_service);
}

TEST(dialogs, scripted_service_is_installed_for_its_life_and_then_put_back) {
  {
    scripted_dialogs outer;
    EXPECT_EQ(&dialogs(), &outer);
    {
      scripted_dialogs inner;
      EXPECT_EQ(&dialogs(), &inner);
    }
    EXPECT_EQ(&dialogs(), &outer);
  }
  EXPECT_THROW(message_box("x"), no_dialog_service);
}

TEST(dialogs, empty_title_becomes_the_program_title) {
  scripted_dialogs d;
  d.expect_message("Saved").title("KORVA-MARKS");
  d.expect_message("Saved").title("EXPORT");
  d.expect_input("TIME OUT IN MINUTES").title("KORVA-MARKS");
  message_box("Saved");
  message_box("Saved", msg_buttons::ok, msg_icon::none, "EXPORT");
  input_box("TIME OUT IN MINUTES");
  d.verify();
}

TEST(dialogs, expected_message_returns_its_scripted_answer) {
  scripted_dialogs d;
  d.expect_message("Delete the set-up?")
      .buttons(msg_buttons::yes_no)
      .icon(msg_icon::question)
      .default_button(2)
      .answer(msg_answer::no);
  d.expect_message("Retry?").buttons(msg_buttons::retry_cancel).icon(msg_icon::exclamation);
  EXPECT_EQ(message_box("Delete the set-up?", msg_buttons::yes_no, msg_icon::question, "", 2),
            msg_answer::no);
  // Without an answer the first button is pressed.
  EXPECT_EQ(message_box("Retry?", msg_buttons::retry_cancel, msg_icon::exclamation), msg_answer::retry);
  EXPECT_EQ(d.pending(), 0);
}

TEST(dialogs, a_different_text_fails_and_shows_both_texts) {
  scripted_dialogs d;
  d.expect_message("Marks can only be ' ', 'A', 'a' or 0-50");
  EXPECT_NONFATAL_FAILURE(message_box("Marks can only be ' ', 'A', 'a' or 0-60"),
                          "expected: \"Marks can only be ' ', 'A', 'a' or 0-50\"\n"
                          "  actual:   \"Marks can only be ' ', 'A', 'a' or 0-60\"");
}

TEST(dialogs, a_trailing_blank_or_line_break_counts) {
  scripted_dialogs d;
  d.expect_message("INPUT TOTAL\r\n\r\n[ SUBJECT TOTAL = 50 ]");
  d.expect_message("seconds !");
  EXPECT_NONFATAL_FAILURE(message_box("INPUT TOTAL\r\n[ SUBJECT TOTAL = 50 ]"), "\\r\\n\\r\\n");
  EXPECT_NONFATAL_FAILURE(message_box("seconds ! "), "first at character 9");
}

struct message_mismatch {
  const char* name;
  msg_buttons shown_buttons;
  msg_icon shown_icon;
  QString shown_title;
  const char* failure;
};

TEST(dialogs, wrong_buttons_icon_or_title_fail) {
  const message_mismatch cases[] = {
      {"buttons", msg_buttons::ok_cancel, msg_icon::critical, "ERROR",
       "buttons expected Yes/No, shown OK/Cancel"},
      {"icon", msg_buttons::yes_no, msg_icon::information, "ERROR",
       "icon expected critical, shown information"},
      {"title", msg_buttons::yes_no, msg_icon::critical, "FOUT", "expected: \"ERROR\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    scripted_dialogs d;
    d.expect_message("Stop?").buttons(msg_buttons::yes_no).icon(msg_icon::critical).title("ERROR");
    EXPECT_NONFATAL_FAILURE(message_box("Stop?", c.shown_buttons, c.shown_icon, c.shown_title), c.failure);
  }
}

TEST(dialogs, an_unexpected_prompt_fails_and_gets_the_safe_answer) {
  scripted_dialogs d;
  msg_answer answer = msg_answer::yes;
  EXPECT_NONFATAL_FAILURE(answer = message_box("Overwrite?", msg_buttons::yes_no),
                          "unexpected message box \"Overwrite?\"");
  EXPECT_EQ(answer, msg_answer::no);
  input_answer typed;
  EXPECT_NONFATAL_FAILURE(typed = input_box("PASSWORD"), "unexpected input box \"PASSWORD\"");
  EXPECT_TRUE(typed.cancelled);
  std::optional<QString> file = QString("x");
  EXPECT_NONFATAL_FAILURE(file = d.file_dialog({file_dialog_kind::save, "EXPORT", "", "", "a.xlsx"}),
                          "unexpected file dialog \"EXPORT\"");
  EXPECT_FALSE(file.has_value());
}

TEST(dialogs, a_prompt_of_another_kind_fails) {
  scripted_dialogs d;
  d.expect_input("SYSTEM PASSWORD");
  EXPECT_NONFATAL_FAILURE(
      message_box("SYSTEM PASSWORD"),
      "expected input box \"SYSTEM PASSWORD\" but a message box \"SYSTEM PASSWORD\" was shown");
}

TEST(dialogs, verify_fails_for_a_prompt_that_never_came) {
  scripted_dialogs d;
  d.expect_message("first");
  d.expect_message("second");
  message_box("first");
  EXPECT_NONFATAL_FAILURE(d.verify(), "expected message box \"second\" was never shown");
  EXPECT_EQ(d.pending(), 0);
}

TEST(dialogs, input_box_answers) {
  scripted_dialogs d;
  d.expect_input("TIME OUT IN MINUTES").default_text("5").type("10");
  d.expect_input("TIME OUT IN MINUTES").default_text("10");
  d.expect_input("SYSTEM PASSWORD").cancel();
  const input_answer typed = input_box("TIME OUT IN MINUTES", "", "5");
  EXPECT_EQ(typed.text, "10");
  EXPECT_FALSE(typed.cancelled);
  // OK without typing gives the default text.
  EXPECT_EQ(input_box("TIME OUT IN MINUTES", "", "10").text, "10");
  const input_answer cancelled = input_box("SYSTEM PASSWORD");
  EXPECT_TRUE(cancelled.cancelled);
  EXPECT_EQ(cancelled.text, "");
  d.verify();
}

TEST(dialogs, input_box_with_another_default_fails) {
  scripted_dialogs d;
  d.expect_input("NEW AVERAGE").default_text("65.4");
  EXPECT_NONFATAL_FAILURE(input_box("NEW AVERAGE", "", "65.5"), "default text differs");
}

TEST(dialogs, while_shown_runs_while_the_prompt_is_up) {
  scripted_dialogs d;
  int state = 0;
  int seen = -1;
  d.expect_message("Busy").while_shown([&] { seen = state; });
  state = 7;
  message_box("Busy");
  state = 8;
  EXPECT_EQ(seen, 7);
}

TEST(dialogs, file_folder_printer_and_font_dialogs) {
  scripted_dialogs d;
  d.expect_folder("DATA FOLDER FOR EXPORT").start_folder("C:\\DATA").choose("D:\\EXPORT");
  d.expect_file("FOLDER ADDRESS FOR EXCEL EXPORT")
      .file_kind(file_dialog_kind::save)
      .file_name("Marks")
      .choose("D:\\Exports\\Marks.xls");
  d.expect_file("FOLDER ADDRESS FOR HTML EXPORT").cancel();
  printer_choice printer{"Office", 2, false, "", {duplex_choice::long_edge, "tray-2", "1-3"}, ""};
  d.expect_printer().choose_printer(printer);
  d.expect_font();

  EXPECT_EQ(d.browse_folder({"DATA FOLDER FOR EXPORT", "C:\\DATA"}), QString("D:\\EXPORT"));
  EXPECT_EQ(d.file_dialog({file_dialog_kind::save, "FOLDER ADDRESS FOR EXCEL EXPORT", "", "", "Marks"}),
            QString("D:\\Exports\\Marks.xls"));
  EXPECT_FALSE(
      d.file_dialog({file_dialog_kind::save, "FOLDER ADDRESS FOR HTML EXPORT", "", "", ""}).has_value());
  const auto chosen = d.printer_dialog({});
  ASSERT_TRUE(chosen.has_value());
  EXPECT_EQ(chosen->printer_name, "Office");
  EXPECT_EQ(chosen->copies, 2);
  EXPECT_EQ(chosen->paper, printer.paper);
  EXPECT_FALSE(d.font_dialog({}).has_value());
  d.verify();
}

TEST(dialogs, open_dialog_where_save_was_expected_fails) {
  scripted_dialogs d;
  d.expect_file("EXPORT").file_kind(file_dialog_kind::save);
  EXPECT_NONFATAL_FAILURE(d.file_dialog({file_dialog_kind::open, "EXPORT", "", "", ""}),
                          "expected the save dialog");
}

TEST(dialogs, beeps_and_clipboard_are_kept_in_order) {
  scripted_dialogs d;
  d.expect_message("Marks can only be ' ', 'A', 'a' or 0-50");
  beep();
  message_box("Marks can only be ' ', 'A', 'a' or 0-50");
  beep();
  EXPECT_EQ(d.beeps(), 2);
  EXPECT_EQ(d.log(), QStringList({"beep", "message: Marks can only be ' ', 'A', 'a' or 0-50", "beep"}));
  dialogs().set_clipboard_text("12\t1\r\n13\t2\r\n");
  EXPECT_EQ(dialogs().clipboard_text(), "12\t1\r\n13\t2\r\n");
  EXPECT_EQ(d.clipboard, "12\t1\r\n13\t2\r\n");
}

TEST(dialogs, qt_name_filters_from_the_platform_filter_syntax) {
  const std::pair<QString, QString> cases[] = {
      {"", ""},
      {"PDF files|*.pdf", "PDF files (*.pdf)"},
      {"Text|*.txt;*.csv|All files|*.*", "Text (*.txt *.csv);;All files (*.*)"},
      {"Workbook (*.xls)|*.xls", "Workbook (*.xls) (*.xls)"},
      {"dangling", ""},
  };
  for (const auto& [filter, expected] : cases)
    EXPECT_EQ(qt_name_filters(filter), expected) << filter.toStdString();
}

}  // namespace
}  // namespace km::platform
