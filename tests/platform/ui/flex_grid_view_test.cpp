// A grid on screen (offscreen): choosing cells with mouse and keys, the
// signals windows hook, widths and heights in twips, the fixed part and
// merged cells.

#include "platform/ui/grid/flex_grid_view.h"

#include <gtest/gtest.h>

#include <QHeaderView>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include "platform/ui/form.h"
#include "platform/ui/grid/flex_grid_model.h"

namespace km::platform {
namespace {

// The subject list: no fixed part, one row per combination.
class subject_list : public ::testing::Test {
 protected:
  void SetUp() override {
    view = std::make_unique<flex_grid_view>("vak_grid");
    flex_grid& g = view->grid();
    g.set_fixed_rows(0);
    g.set_fixed_cols(0);
    g.set_rows(0);
    g.set_cols(3);
    g.add_item("10 \tWISK \t100");
    g.add_item("11 \tAFR  \t100");
    g.add_item("9  \tGESK \t62.5");
    view->resize(400, 200);
    view->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
  }
  QPoint centre_of(int row, int col) const {
    return view->visualRect(view->grid_model()->index(row, col)).center();
  }
  std::unique_ptr<flex_grid_view> view;
};

TEST_F(subject_list, carries_the_control_name) { EXPECT_EQ(view->objectName(), "vak_grid"); }

TEST_F(subject_list, clicking_row_2_makes_it_the_current_row_and_signals_a_click) {
  QSignalSpy clicks(view.get(), &flex_grid_view::click);
  QSignalSpy moves(view.get(), &flex_grid_view::row_col_change);
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, centre_of(2, 1));
  EXPECT_EQ(view->grid().row(), 2);
  EXPECT_EQ(view->grid().col(), 1);
  EXPECT_EQ(clicks.count(), 1);
  EXPECT_GE(moves.count(), 1);
  EXPECT_EQ(view->mouse_row(), 2);
  EXPECT_EQ(view->mouse_col(), 1);
  // A window reads its choice through the grid.
  EXPECT_EQ(view->grid().text_matrix(view->grid().row(), 2), "62.5");
}

TEST_F(subject_list, double_click_and_enter_are_signalled) {
  QSignalSpy doubles(view.get(), &flex_grid_view::double_click);
  QSignalSpy enters(view.get(), &flex_grid_view::enter_pressed);
  QSignalSpy keys(view.get(), &flex_grid_view::key_down);
  // A double click comes after the click of its first press.
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, centre_of(1, 0));
  QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, centre_of(1, 0));
  EXPECT_EQ(doubles.count(), 1);
  EXPECT_EQ(view->grid().row(), 1);
  view->setFocus();
  QTest::keyClick(view.get(), Qt::Key_Return);
  EXPECT_EQ(enters.count(), 1);
  ASSERT_EQ(keys.count(), 1);
  EXPECT_EQ(keys[0][0].toInt(), 13);
  // Arrow keys move the current row and are reported first.
  QTest::keyClick(view.get(), Qt::Key_Down);
  EXPECT_EQ(keys.count(), 2);
  EXPECT_EQ(keys[1][0].toInt(), 40);
  EXPECT_EQ(view->grid().row(), 2);
  EXPECT_EQ(enters.count(), 1);
}

TEST_F(subject_list, the_right_button_reports_but_does_not_choose) {
  QSignalSpy downs(view.get(), &flex_grid_view::mouse_down);
  view->grid().set_row(0);
  const QPoint at = centre_of(2, 1);
  QTest::mousePress(view->viewport(), Qt::RightButton, {}, at);
  QTest::mouseRelease(view->viewport(), Qt::RightButton, {}, at);
  EXPECT_EQ(view->grid().row(), 0);
  ASSERT_EQ(downs.count(), 1);
  EXPECT_EQ(downs[0][0].value<Qt::MouseButton>(), Qt::RightButton);
  const QPoint in_control = view->viewport()->mapTo(view.get(), at);
  EXPECT_EQ(downs[0][2].toPoint(), in_control * twips_per_pixel);
  EXPECT_EQ(view->mouse_row(), 2);
}

TEST_F(subject_list, moving_the_grid_current_cell_moves_the_view) {
  view->grid().set_row(2);
  view->grid().set_col(2);
  EXPECT_EQ(view->currentIndex(), view->grid_model()->index(2, 2));
  EXPECT_TRUE(view->selectionModel()->isSelected(view->grid_model()->index(2, 2)));
}

TEST_F(subject_list, widths_and_heights_in_twips_show_at_15_to_the_pixel) {
  flex_grid& g = view->grid();
  g.set_col_width(0, 1500);
  g.set_col_width(1, 300);
  g.set_col_width(2, 0);
  g.set_row_height(1, 450);
  EXPECT_EQ(view->columnWidth(0), 100);
  EXPECT_EQ(view->columnWidth(1), 20);
  EXPECT_TRUE(view->isColumnHidden(2));
  EXPECT_EQ(view->rowHeight(1), 30);
  EXPECT_EQ(view->rowHeight(0), g.default_row_height() / twips_per_pixel);
  g.set_col_width(2, -1);
  EXPECT_FALSE(view->isColumnHidden(2));
  EXPECT_EQ(view->columnWidth(2), flex_grid::default_col_width / twips_per_pixel);
  g.set_row_height(1, 0);
  EXPECT_TRUE(view->isRowHidden(1));
  // Rows added later take the grid's heights too.
  g.set_font_size(12);
  g.add_item("12 \tENG  \t100");
  EXPECT_EQ(view->rowHeight(3), g.default_row_height() / twips_per_pixel);
  view->set_height_twips(300 * 3);
  EXPECT_EQ(view->height(), 60);
  EXPECT_EQ(view->height_twips(), 900);
}

TEST_F(subject_list, refilling_the_grid_replaces_its_rows) {
  flex_grid& g = view->grid();
  g.clear();
  g.set_rows(0);
  g.add_item("8  \tNW   \t50");
  EXPECT_EQ(view->grid_model()->rowCount(), 1);
  EXPECT_EQ(view->grid_model()->data(view->grid_model()->index(0, 1)).toString(), "NW   ");
}

TEST_F(subject_list, redraw_off_stops_painting_until_on) {
  view->grid().set_redraw(false);
  EXPECT_FALSE(view->updatesEnabled());
  view->grid().set_rows(10);
  EXPECT_EQ(view->grid_model()->rowCount(), 3);
  view->grid().set_redraw(true);
  EXPECT_TRUE(view->updatesEnabled());
  EXPECT_EQ(view->grid_model()->rowCount(), 10);
}

// A report grid: a heading row and a number column that stay in place.
class report_grid : public ::testing::Test {
 protected:
  void SetUp() override {
    view = std::make_unique<flex_grid_view>("pboek_grid");
    flex_grid& g = view->grid();
    g.set_cols(4);
    g.set_rows(1);
    g.set_format_string("NR.|< TASK/PROJECT            |^ TOTAL  |^   RESULT   ");
    for (int i = 1; i <= 40; ++i) g.add_item(QString("%1\tTASK %1\t50\t").arg(i));
    g.set_row_height(0, 300);
    g.set_col_width(0, 600);
    view->resize(500, 300);
    view->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
  }
  std::unique_ptr<flex_grid_view> view;
};

TEST_F(report_grid, fixed_rows_and_columns_stand_apart_from_the_scrolling_cells) {
  EXPECT_TRUE(view->isRowHidden(0));
  EXPECT_TRUE(view->isColumnHidden(0));
  QTableView* top = view->fixed_rows_view();
  QTableView* left = view->fixed_cols_view();
  QTableView* corner = view->corner_view();
  EXPECT_TRUE(top->isVisible());
  EXPECT_TRUE(left->isVisible());
  EXPECT_TRUE(corner->isVisible());
  EXPECT_EQ(top->height(), 20);  // 300 twips
  EXPECT_EQ(left->width(), 40);  // 600 twips
  EXPECT_EQ(corner->size(), QSize(40, 20));
  // The fixed row sits right above the scrolling cells, column for column.
  EXPECT_EQ(top->geometry().bottom() + 1, view->viewport()->geometry().top());
  EXPECT_EQ(top->columnWidth(1), view->columnWidth(1));
  EXPECT_EQ(top->model()->data(top->model()->index(0, 1)).toString(), " TASK/PROJECT            ");
  EXPECT_TRUE(top->model()->data(top->model()->index(0, 1), flex_grid_model::fixed_role).toBool());
}

TEST_F(report_grid, the_fixed_parts_follow_the_scrolling) {
  view->grid().set_col_width(1, 9000);  // wider than the control
  view->verticalScrollBar()->setValue(200);
  view->horizontalScrollBar()->setValue(30);
  ASSERT_EQ(view->verticalScrollBar()->value(), 200);
  ASSERT_EQ(view->horizontalScrollBar()->value(), 30);
  EXPECT_EQ(view->fixed_cols_view()->verticalScrollBar()->value(), 200);
  EXPECT_EQ(view->fixed_rows_view()->horizontalScrollBar()->value(), 30);
  EXPECT_EQ(view->corner_view()->verticalScrollBar()->value(), 0);
}

TEST_F(report_grid, clicking_a_data_cell_below_the_heading) {
  QSignalSpy clicks(view.get(), &flex_grid_view::click);
  const QPoint at = view->visualRect(view->grid_model()->index(3, 1)).center();
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
  EXPECT_EQ(view->grid().row(), 3);
  EXPECT_EQ(view->grid().col(), 1);
  EXPECT_EQ(clicks.count(), 1);
}

TEST_F(report_grid, clicking_a_row_number_chooses_the_whole_row) {
  QSignalSpy clicks(view.get(), &flex_grid_view::click);
  QSignalSpy doubles(view.get(), &flex_grid_view::double_click);
  QTableView* left = view->fixed_cols_view();
  const QPoint at = left->visualRect(left->model()->index(5, 0)).center();
  QTest::mouseClick(left->viewport(), Qt::LeftButton, {}, at);
  const flex_grid& g = view->grid();
  EXPECT_TRUE(view->selectionModel()->isSelected(view->grid_model()->index(5, 3)));
  EXPECT_EQ(g.row(), 5);
  EXPECT_EQ(g.col(), 1);
  EXPECT_EQ(g.selection(), (grid_range{5, 1, 1, 3}));
  EXPECT_EQ(clicks.count(), 1);
  QTest::mouseDClick(left->viewport(), Qt::LeftButton, {}, at);
  EXPECT_EQ(doubles.count(), 1);
  EXPECT_EQ(view->mouse_row(), 5);
  EXPECT_EQ(view->mouse_col(), 0);
}

TEST_F(report_grid, clicking_a_heading_chooses_the_whole_column) {
  QTableView* top = view->fixed_rows_view();
  const QPoint at = top->visualRect(top->model()->index(0, 2)).center();
  QTest::mouseClick(top->viewport(), Qt::LeftButton, {}, at);
  EXPECT_EQ(view->grid().selection(), (grid_range{1, 2, 40, 1}));
}

TEST_F(report_grid, merged_cells_become_spans) {
  flex_grid& g = view->grid();
  g.set_text_matrix(2, 2, "50");
  g.set_text_matrix(2, 3, "50");
  g.set_merge_row(2, true);
  EXPECT_EQ(view->columnSpan(2, 2), 1);  // no merge mode yet
  g.set_merge_cells(merge_mode::free);
  EXPECT_EQ(view->columnSpan(2, 2), 2);
  g.set_text_matrix(2, 3, "49");
  EXPECT_EQ(view->columnSpan(2, 2), 1);
}

TEST_F(report_grid, changing_the_fixed_part_moves_the_parts) {
  flex_grid& g = view->grid();
  g.set_fixed_cols(0);
  EXPECT_FALSE(view->fixed_cols_view()->isVisible());
  EXPECT_FALSE(view->corner_view()->isVisible());
  EXPECT_FALSE(view->isColumnHidden(0));
  g.set_fixed_rows(2);
  EXPECT_EQ(view->fixed_rows_view()->height(), 20 + g.default_row_height() / twips_per_pixel);
  EXPECT_TRUE(view->isRowHidden(1));
}

}  // namespace
}  // namespace km::platform
