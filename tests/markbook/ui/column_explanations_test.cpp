// The column explanations of the set-up window: loaded from the program
// folder by language at each right click, formatted with the keys, written
// back for the maker's test school only, printed whole or as a selection.
#include "markbook/column_explanations.h"

#include <QFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTextList>

#include "markbook/column_info_file.h"
#include "pboek_opstel_fixture.h"
#include "platform/drive_map.h"
#include "platform/model/rich_text/rtf_format.h"
#include "printing/printing_fixture.h"

namespace km::test {
namespace {

QByteArray resource(const char* name) {
  QFile f(QStringLiteral(KM_SOURCE_DIR "/resources/") + QLatin1String(name));
  f.open(QIODevice::ReadOnly);
  return f.readAll();
}

class column_explanations_test : public pboek_opstel_test {
 protected:
  void SetUp() override {
    pboek_opstel_test::SetUp();
    drives.write_native(QStringLiteral("C/PROGRAM/kolom_info.afr"), resource("kolom_info.afr"));
    drives.write_native(QStringLiteral("C/PROGRAM/kolom_info.eng"), resource("kolom_info.eng"));
    platform::set_current_directory(QStringLiteral("C:\\PROGRAM"));
    open_window();
    choose(1);
  }
  void right_click() { window->pboek_grid_MouseDown(Qt::RightButton); }
  QWidget* frame() const { return find_control(window, QStringLiteral("kb_raam")); }
  QTextEdit* box() const { return find_control_as<QTextEdit>(window, QStringLiteral("kolom_beskrywings")); }
  // Selects the first n characters of paragraph b (from 0).
  void select(int b, int n) {
    QTextCursor c(box()->document()->findBlockByNumber(b));
    c.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor, n);
    box()->setTextCursor(c);
  }
  void key(int k) { press_key(box(), k, Qt::ControlModifier); }
};

TEST_F(column_explanations_test, a_right_click_loads_the_file_of_the_language) {
  window->pboek_grid_MouseDown(Qt::LeftButton);
  EXPECT_FALSE(frame()->isVisible());
  right_click();
  EXPECT_TRUE(frame()->isVisible());
  EXPECT_TRUE(box()->toPlainText().startsWith(QStringLiteral("THE COLUMNS OF THE MARK BOOK SETUP")));
  g_language = true;
  right_click();
  EXPECT_TRUE(box()->toPlainText().startsWith(QStringLiteral("DIE KOLOMME VAN DIE PUNTEBOEK OPSTELLING")));
}

TEST_F(column_explanations_test, a_missing_file_shows_an_empty_box) {
  QFile::remove(drives.native_drive('C') + QStringLiteral("/PROGRAM/kolom_info.eng"));
  right_click();
  EXPECT_TRUE(frame()->isVisible());
  EXPECT_TRUE(box()->document()->isEmpty());
}

TEST_F(column_explanations_test, keys_format_the_selection) {
  right_click();
  box()->setFocus();
  select(1, 4);  // "Each"
  key(Qt::Key_U);
  EXPECT_TRUE(box()->document()->findBlockByNumber(1).text().startsWith(QStringLiteral("EACH row")));
  EXPECT_EQ(box()->document()->findBlockByNumber(1).textList(), nullptr);
  key(Qt::Key_B);
  EXPECT_NE(box()->document()->findBlockByNumber(1).textList(), nullptr);
  key(Qt::Key_B);
  EXPECT_EQ(box()->document()->findBlockByNumber(1).textList(), nullptr);
  key(Qt::Key_L);
  EXPECT_EQ(platform::paragraph_indent_twips(box()->document()->findBlockByNumber(1).blockFormat()), 600);
  setup().set_row(1);
  setup().set_col(1);
  setup().set_text(QStringLiteral("CELL TEXT"));
  key(Qt::Key_G);
  EXPECT_EQ(box()->toPlainText(), QStringLiteral("CELL TEXT"));
}

TEST_F(column_explanations_test, the_font_dialog_sets_the_selection) {
  right_click();
  box()->setFocus();
  select(0, 3);
  platform::font_choice chosen{QStringLiteral("Courier New"), 16, false, true, false, 0x0000FF};
  dialogs.expect_font().choose_font(chosen);
  key(Qt::Key_F1);
  QTextCursor c(box()->document()->findBlockByNumber(0));
  c.setPosition(c.position() + 1);
  EXPECT_EQ(c.charFormat().fontFamilies().toStringList().value(0), QStringLiteral("Courier New"));
  EXPECT_EQ(c.charFormat().fontPointSize(), 16);
  EXPECT_TRUE(c.charFormat().fontItalic());
  EXPECT_EQ(c.charFormat().foreground().color(), QColor(255, 0, 0));
}

TEST_F(column_explanations_test, the_makers_school_keeps_an_edit_with_quotes) {
  g_school_name = QStringLiteral("RIRUD-EDAVE");
  right_click();
  box()->setPlainText(QStringLiteral("Say \"hello\" to \u00EB"));
  window->control<QPushButton>(QStringLiteral("kb_ok"))->click();
  EXPECT_FALSE(frame()->isVisible());
  right_click();
  EXPECT_EQ(box()->toPlainText(), QStringLiteral("Say \"hello\" to \u00EB"));
  const QByteArray file = file_bytes(QStringLiteral("C:\\PROGRAM\\kolom_info.eng"));
  EXPECT_EQ(file.count('"'), 2);  // only the two around the value
}

TEST_F(column_explanations_test, any_other_school_loses_the_edit_at_the_next_opening) {
  const QByteArray before = file_bytes(QStringLiteral("C:\\PROGRAM\\kolom_info.eng"));
  right_click();
  box()->setPlainText(QStringLiteral("changed"));
  window->control<QPushButton>(QStringLiteral("kb_ok"))->click();
  right_click();
  EXPECT_TRUE(box()->toPlainText().startsWith(QStringLiteral("THE COLUMNS")));
  EXPECT_EQ(file_bytes(QStringLiteral("C:\\PROGRAM\\kolom_info.eng")), before);
}

TEST_F(column_explanations_test, a_question_mark_in_the_box_is_typed_not_the_example) {
  right_click();
  box()->setFocus();
  press_key(box(), Qt::Key_Question, Qt::ShiftModifier);
  EXPECT_EQ(setup().text_matrix(1, 1), QString());
}

// Printing the explanations through the printer choice.
class column_explanations_print : public printing_test {
 protected:
  void SetUp() override {
    printing_test::SetUp();
    frame = std::make_unique<column_explanations>(nullptr, [] { return QString(); });
    box = frame->box();
    box->setPlainText(QStringLiteral("first paragraph\nsecond paragraph"));
  }
  // The texts drawn on the printer's pages.
  QStringList printed() const {
    QStringList words;
    for (const auto& page : device->last().pages)
      for (const auto& op : page.ops)
        if (op.what == platform::print_op::kind::text && !op.text.trimmed().isEmpty())
          words << op.text.trimmed();
    return words;
  }
  std::unique_ptr<column_explanations> frame;
  QTextEdit* box = nullptr;
};

TEST_F(column_explanations_print, prints_the_selection_only) {
  QTextCursor c(box->document()->findBlockByNumber(1));
  c.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
  box->setTextCursor(c);
  dialogs.expect_message(QStringLiteral("PRINTING COMPLETE (1 pages)")).icon(platform::msg_icon::information);
  while_choosing([](kies_drukker& w) { click(&w, QStringLiteral("druk_ok")); },
                 [&] { frame->kb_druk_Click(); });
  EXPECT_TRUE(printed().contains(QStringLiteral("second")));
  EXPECT_FALSE(printed().contains(QStringLiteral("first")));
}

TEST_F(column_explanations_print, prints_everything_without_a_selection) {
  dialogs.expect_message(QStringLiteral("PRINTING COMPLETE (1 pages)")).icon(platform::msg_icon::information);
  while_choosing([](kies_drukker& w) { click(&w, QStringLiteral("druk_ok")); },
                 [&] { frame->kb_druk_Click(); });
  EXPECT_TRUE(printed().contains(QStringLiteral("first")));
  EXPECT_TRUE(printed().contains(QStringLiteral("second")));
}

}  // namespace
}  // namespace km::test
