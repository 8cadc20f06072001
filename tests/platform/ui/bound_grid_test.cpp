// The bound capture grid over a real table: typing, committing through the
// validator, refusals that keep the editor, the frozen part, redirected
// edits and heading clicks.
#include "platform/ui/grid/bound_grid.h"

#include <gtest/gtest.h>

#include <QHeaderView>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

#include "platform/dbase/data_control.h"
#include "platform/dbase/recordset_model.h"
#include "support/dbf_builder.h"
#include "support/temp_drives.h"

namespace km::platform {
namespace {

class bound_grid_test : public test::temp_drives_test {
 protected:
  void SetUp() override {
    test::dbf_builder b;
    b.field("NR", 'N', 4).field("NAME", 'C', 10).field("M1", 'C', 8).field("M2", 'C', 8);
    for (int r = 1; r <= 4; ++r) b.record({QByteArray::number(r), "L" + QByteArray::number(r), "1.0", "2.0"});
    b.write(drives.native_drive('C') + QStringLiteral("/t.dbf"));
    control.set_database_name(QStringLiteral("C:\\"));
    control.set_record_source(QStringLiteral("t.dbf"));
    control.refresh();
    model = std::make_unique<recordset_model>(control);
    model->set_validator([this](int, int, QString& text) {
      if (text == QStringLiteral("x")) {
        ++refusals;
        return false;
      }
      text = text.toUpper();
      return true;
    });
    grid = std::make_unique<bound_grid>(QStringLiteral("DBGrid1"));
    grid->set_model(model.get());
    grid->set_frozen_columns(2);
    grid->set_edit_redirect([](int c) { return c < 2 ? 2 : c; });
    grid->resize(600, 300);
    grid->show();
    grid->set_current(0, 2);
    grid->scrolling_view()->setFocus();
  }
  void TearDown() override {
    grid.reset();
    model.reset();
    control.close_database();
  }
  QString cell(int r, int c) const { return model->data(model->index(r, c)).toString(); }
  void key(int k, Qt::KeyboardModifiers m = Qt::NoModifier) {
    QWidget* target = grid->editing() ? static_cast<QWidget*>(grid->editor()) : grid->current_view();
    QTest::keyClick(target, Qt::Key(k), m);
  }
  void type(const QString& text) {
    for (const QChar c : text)
      QTest::keyClicks(grid->editing() ? static_cast<QWidget*>(grid->editor()) : grid->current_view(),
                       QString(c));
  }

  data_control control;
  std::unique_ptr<recordset_model> model;
  std::unique_ptr<bound_grid> grid;
  int refusals = 0;
};

TEST_F(bound_grid_test, a_typed_mark_replaces_the_cell_and_enter_moves_down) {
  type(QStringLiteral("7a"));
  ASSERT_TRUE(grid->editing());
  EXPECT_EQ(grid->editor()->text(), QStringLiteral("7a"));
  key(Qt::Key_Return);
  EXPECT_FALSE(grid->editing());
  EXPECT_EQ(cell(0, 2), QStringLiteral("7A"));  // what the validator made of it is stored
  EXPECT_EQ(grid->row(), 1);
  EXPECT_EQ(grid->col(), 2);
}

TEST_F(bound_grid_test, a_refused_text_keeps_the_editor_with_what_was_typed) {
  grid->set_current(2, 3);
  type(QStringLiteral("x"));
  key(Qt::Key_Return);
  EXPECT_EQ(refusals, 1);
  ASSERT_TRUE(grid->editing());
  EXPECT_EQ(grid->editor()->text(), QStringLiteral("x"));
  EXPECT_EQ(grid->row(), 2);
  EXPECT_EQ(cell(2, 3), QStringLiteral("2.0"));
  key(Qt::Key_Down);  // the other keys end an edit through the check too
  EXPECT_EQ(refusals, 2);
  EXPECT_TRUE(grid->editing());
  key(Qt::Key_Escape);
  EXPECT_FALSE(grid->editing());
  EXPECT_EQ(cell(2, 3), QStringLiteral("2.0"));
}

TEST_F(bound_grid_test, the_last_row_keeps_the_cursor) {
  grid->set_current(3, 2);
  type(QStringLiteral("5"));
  key(Qt::Key_Return);
  EXPECT_EQ(cell(3, 2), QStringLiteral("5"));
  EXPECT_EQ(grid->row(), 3);
}

TEST_F(bound_grid_test, f2_edits_the_text_as_it_stands_and_tab_moves_right) {
  key(Qt::Key_F2);
  ASSERT_TRUE(grid->editing());
  EXPECT_EQ(grid->editor()->text(), QStringLiteral("1.0"));
  type(QStringLiteral("5"));
  key(Qt::Key_Tab);
  EXPECT_EQ(cell(0, 2), QStringLiteral("1.05"));
  EXPECT_EQ(grid->col(), 3);
  EXPECT_EQ(grid->row(), 0);
  key(Qt::Key_Backtab);
  EXPECT_EQ(grid->col(), 2);
}

TEST_F(bound_grid_test, a_key_typed_in_a_closed_column_moves_there_and_lands_in_the_cell) {
  grid->set_current(1, 1);
  grid->current_view()->setFocus();
  type(QStringLiteral("9"));
  EXPECT_EQ(grid->col(), 2);
  ASSERT_TRUE(grid->editing());
  EXPECT_EQ(grid->editor()->text(), QStringLiteral("9"));
  key(Qt::Key_Escape);
  EXPECT_EQ(cell(1, 1), QStringLiteral("L2"));
  EXPECT_EQ(cell(1, 2), QStringLiteral("1.0"));
  // F2 there only moves: it starts no edit.
  grid->set_current(1, 1);
  key(Qt::Key_F2);
  EXPECT_EQ(grid->col(), 2);
  EXPECT_FALSE(grid->editing());
}

TEST_F(bound_grid_test, the_frozen_part_holds_the_first_columns) {
  for (int c = 0; c < 4; ++c) {
    EXPECT_EQ(grid->frozen_view()->isColumnHidden(c), c >= 2) << c;
    EXPECT_EQ(grid->scrolling_view()->isColumnHidden(c), c < 2) << c;
  }
  grid->set_current(3, 3);
  EXPECT_EQ(grid->frozen_view()->currentIndex().row(), 3);  // one current cell for both parts
}

TEST_F(bound_grid_test, a_heading_click_names_its_column) {
  QSignalSpy clicks(grid.get(), &bound_grid::head_click);
  emit grid->scrolling_view()->horizontalHeader()->sectionClicked(3);
  ASSERT_EQ(clicks.size(), 1);
  EXPECT_EQ(clicks[0][0].toInt(), 3);
}

}  // namespace
}  // namespace km::platform
