// Copying a set-up from one combination to others in the set-up window.
#include <QListWidget>

#include "common/text_routines.h"
#include "pboek_opstel_fixture.h"

namespace km::test {
namespace {

using platform::msg_answer;
using platform::msg_buttons;
using platform::msg_icon;

class pboek_copy_test : public pboek_opstel_test {
 protected:
  void SetUp() override {
    pboek_opstel_test::SetUp();
    open_with_saved_example();
    window->pboek_copy_Click();
    source_bytes = file_bytes(setup_path_of(1));
  }
  QListWidget* copy_list(int i) const {
    return find_control_as<QListWidget>(window, platform::control_name(QStringLiteral("kopieer_vaklys"), i));
  }
  // Clicks item p of a copy list, as the user does.
  void pick(int list, int p) {
    QListWidget* l = copy_list(list);
    l->setCurrentRow(p, QItemSelectionModel::Toggle);
    window->kopieer_vaklys_Click(list);
  }
  QString item(int list, int p) const { return upper_case_afrikaans(copy_list(list)->item(p)->text()); }
  QString question(int source, int destination) const {
    return QStringLiteral("DO YOU WISH TO COPY MARK BOOK SETUP FOR \r\n") + item(0, source) +
           QStringLiteral("\r\n TO \r\n") + item(1, destination) + QStringLiteral(" ?");
  }
  void expect_question(int source, int destination, msg_answer answer) {
    dialogs.expect_message(question(source, destination))
        .buttons(msg_buttons::yes_no)
        .icon(msg_icon::exclamation)
        .answer(answer);
  }
  QByteArray source_bytes;
};

TEST_F(pboek_copy_test, copies_to_each_destination_answered_yes) {
  pick(0, 0);
  pick(1, 1);
  pick(1, 2);
  pick(1, 3);
  expect_question(0, 1, msg_answer::yes);
  expect_question(0, 2, msg_answer::no);
  expect_question(0, 3, msg_answer::yes);
  window->copy_ok_Click();
  EXPECT_EQ(file_bytes(setup_path_of(2)), source_bytes);
  EXPECT_FALSE(platform::file_exists(setup_path_of(3)));
  EXPECT_EQ(file_bytes(setup_path_of(4)), source_bytes);
  EXPECT_EQ(file_bytes(setup_path_of(1)), source_bytes);
  EXPECT_TRUE(find_control(window, QStringLiteral("vak_grid"))->isVisible());
  EXPECT_FALSE(find_control(window, QStringLiteral("kopieer_raam"))->isVisible());
}

TEST_F(pboek_copy_test, a_second_source_replaces_the_first) {
  pick(0, 2);
  pick(0, 0);
  EXPECT_EQ(copy_list(0)->selectedItems().size(), 1);
  EXPECT_TRUE(copy_list(0)->item(0)->isSelected());
}

TEST_F(pboek_copy_test, the_source_itself_is_skipped_without_a_question) {
  pick(0, 0);
  pick(1, 0);
  window->copy_ok_Click();
  EXPECT_EQ(file_bytes(setup_path_of(1)), source_bytes);
}

TEST_F(pboek_copy_test, without_a_source_nothing_is_copied) {
  pick(1, 1);
  window->copy_ok_Click();
  EXPECT_FALSE(platform::file_exists(setup_path_of(2)));
  EXPECT_TRUE(find_control(window, QStringLiteral("vak_grid"))->isVisible());
}

TEST_F(pboek_copy_test, a_source_without_setup_is_told) {
  pick(0, 5);
  pick(1, 1);
  dialogs
      .expect_message(QStringLiteral("MARK BOOK SETUP FOR ") + item(0, 5) +
                      QStringLiteral(" DOES NOT EXIST ..."))
      .icon(msg_icon::critical);
  window->copy_ok_Click();
  EXPECT_FALSE(platform::file_exists(setup_path_of(2)));
}

TEST_F(pboek_copy_test, a_destination_with_a_setup_under_another_name_gets_it_replaced) {
  // The destination's set-up is kept under a spelling other than the one a
  // new set-up would get.
  QStringList cells;
  for (int c = 0; c < list().cols(); ++c) cells << list().text_matrix(1, c);
  const QString fresh = setup_path_of(2);
  QString other;
  for (const QString& key : setup_candidate_keys(cells)) {
    const QString path = QStringLiteral("C:\\DATA\\setup_") + key + QStringLiteral(".txt");
    if (path.toUpper() != fresh.toUpper()) other = path;
  }
  ASSERT_FALSE(other.isEmpty());
  drives.write_native(QStringLiteral("C/DATA/") + platform::file_name_part(other), "\"OLD\"\r\n");
  ASSERT_EQ(setup_path_of(2).toUpper(), other.toUpper());
  pick(0, 0);
  pick(1, 1);
  expect_question(0, 1, msg_answer::yes);
  window->copy_ok_Click();
  EXPECT_EQ(file_bytes(other), source_bytes);  // the file the windows read, not a second one
}

}  // namespace
}  // namespace km::test
