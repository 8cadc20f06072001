// The table model over a grid: what each cell shows, and how the model
// follows the grid's changes.

#include "platform/ui/grid/flex_grid_model.h"

#include <gtest/gtest.h>

#include <QBrush>
#include <QFont>
#include <QSignalSpy>
#include <memory>

#include "platform/model/print/font_mapping.h"

namespace km::platform {
namespace {

class model_test : public ::testing::Test {
 protected:
  void SetUp() override {
    grid.set_cols(3);
    grid.set_rows(1);
    grid.set_text_matrix(0, 1, "NAME");
    grid.add_item("1\tABEL\t45");
    grid.add_item("2\tBOTHA\tA");
    model = std::make_unique<flex_grid_model>(&grid);
  }
  QVariant at(int r, int c, int role) const { return model->data(model->index(r, c), role); }

  flex_grid grid;
  std::unique_ptr<flex_grid_model> model;
};

TEST_F(model_test, counts_and_texts) {
  EXPECT_EQ(model->rowCount(), 3);
  EXPECT_EQ(model->columnCount(), 3);
  EXPECT_EQ(at(1, 1, Qt::DisplayRole).toString(), "ABEL");
  grid.set_text_matrix(2, 1, "two\r\nlines");
  EXPECT_EQ(at(2, 1, Qt::DisplayRole).toString(), "two\nlines");
  // The grid's fixed cells are its headings; the model has none of its own.
  EXPECT_FALSE(model->headerData(0, Qt::Horizontal, Qt::DisplayRole).isValid());
  EXPECT_EQ(model->flags(model->index(1, 1)), Qt::ItemIsEnabled | Qt::ItemIsSelectable);
}

TEST_F(model_test, fixed_cells_look_like_headings_unless_coloured) {
  model->set_fixed_colors(Qt::lightGray, Qt::black);
  EXPECT_TRUE(at(0, 1, flex_grid_model::fixed_role).toBool());
  EXPECT_TRUE(at(1, 0, flex_grid_model::fixed_role).toBool());
  EXPECT_FALSE(at(1, 1, flex_grid_model::fixed_role).toBool());
  EXPECT_EQ(at(0, 1, Qt::BackgroundRole).value<QBrush>().color(), QColor(Qt::lightGray));
  EXPECT_FALSE(at(1, 1, Qt::BackgroundRole).isValid());
  grid.set_row(1);
  grid.set_col(1);
  grid.set_cell_back_color(flex_grid::rgb(255, 255, 192));
  grid.set_cell_fore_color(flex_grid::rgb(255, 0, 0));
  EXPECT_EQ(at(1, 1, Qt::BackgroundRole).value<QBrush>().color(), QColor(255, 255, 192));
  EXPECT_EQ(at(1, 1, Qt::ForegroundRole).value<QBrush>().color(), QColor(255, 0, 0));
}

TEST_F(model_test, alignment) {
  struct align_case {
    grid_alignment alignment;
    const char* text;
    Qt::Alignment expected;
  };
  const std::vector<align_case> cases = {
      {grid_alignment::general, "45", Qt::AlignRight | Qt::AlignVCenter},
      {grid_alignment::general, " 12.5 ", Qt::AlignRight | Qt::AlignVCenter},
      {grid_alignment::general, "A", Qt::AlignLeft | Qt::AlignVCenter},
      {grid_alignment::general, "", Qt::AlignLeft | Qt::AlignVCenter},
      {grid_alignment::left_center, "45", Qt::AlignLeft | Qt::AlignVCenter},
      {grid_alignment::center_center, "x", Qt::AlignCenter},
      {grid_alignment::right_center, "x", Qt::AlignRight | Qt::AlignVCenter},
      {grid_alignment::left_bottom, "x", Qt::AlignLeft | Qt::AlignBottom},
      {grid_alignment::right_top, "x", Qt::AlignRight | Qt::AlignTop},
  };
  for (const auto& c : cases) {
    grid.set_col_alignment(2, c.alignment);
    grid.set_text_matrix(1, 2, c.text);
    EXPECT_EQ(Qt::Alignment(at(1, 2, Qt::TextAlignmentRole).toInt()), c.expected) << c.text;
  }
}

TEST_F(model_test, fonts_and_pictures_of_cells) {
  grid.set_font_name("Arial");
  grid.set_font_size(7);
  grid.set_row(2);
  grid.set_col(1);
  grid.set_cell_font_bold(true);
  grid.set_cell_font_name("Lucida Console");
  QImage picture(5, 5, QImage::Format_RGB32);
  picture.fill(Qt::blue);
  grid.set_cell_picture(picture);

  const QFont plain = at(1, 1, Qt::FontRole).value<QFont>();
  EXPECT_EQ(plain.family(), installed_font_family("Arial"));
  EXPECT_DOUBLE_EQ(plain.pointSizeF(), 7);
  EXPECT_FALSE(plain.bold());
  const QFont own = at(2, 1, Qt::FontRole).value<QFont>();
  EXPECT_EQ(own.family(), installed_font_family("Lucida Console"));
  EXPECT_TRUE(own.bold());
  EXPECT_EQ(at(2, 1, Qt::DecorationRole).value<QImage>().size(), QSize(5, 5));
  EXPECT_FALSE(at(1, 1, Qt::DecorationRole).isValid());
}

TEST_F(model_test, follows_rows_added_and_removed) {
  QSignalSpy inserted(model.get(), &QAbstractItemModel::rowsInserted);
  QSignalSpy removed(model.get(), &QAbstractItemModel::rowsRemoved);
  QSignalSpy changed(model.get(), &QAbstractItemModel::dataChanged);
  grid.add_item("3\tCILLIERS\t60", 1);
  ASSERT_EQ(inserted.count(), 1);
  EXPECT_EQ(inserted[0][1].toInt(), 1);
  EXPECT_EQ(model->rowCount(), 4);
  EXPECT_EQ(at(1, 1, Qt::DisplayRole).toString(), "CILLIERS");
  grid.remove_item(2);
  ASSERT_EQ(removed.count(), 1);
  EXPECT_EQ(removed[0][1].toInt(), 2);
  EXPECT_EQ(model->rowCount(), 3);
  grid.set_text_matrix(2, 2, "9");
  ASSERT_EQ(changed.count(), 1);
  EXPECT_EQ(changed[0][0].value<QModelIndex>(), model->index(2, 2));
}

TEST_F(model_test, column_and_fixed_changes_reset_the_model) {
  QSignalSpy reset(model.get(), &QAbstractItemModel::modelReset);
  QSignalSpy geometry(model.get(), &flex_grid_model::geometry_changed);
  grid.set_cols(5);
  EXPECT_EQ(reset.count(), 1);
  EXPECT_EQ(model->columnCount(), 5);
  grid.set_fixed_rows(0);
  EXPECT_EQ(reset.count(), 2);
  EXPECT_FALSE(at(0, 1, flex_grid_model::fixed_role).toBool());
  grid.set_col_width(1, 100);
  EXPECT_EQ(geometry.count(), 3);
}

TEST_F(model_test, keeps_its_counts_while_redraw_is_off) {
  QSignalSpy reset(model.get(), &QAbstractItemModel::modelReset);
  QSignalSpy redraw(model.get(), &flex_grid_model::redraw_changed);
  grid.set_redraw(false);
  grid.set_rows(1);  // fewer cells than the model still shows
  EXPECT_EQ(model->rowCount(), 3);
  EXPECT_FALSE(at(2, 1, Qt::DisplayRole).isValid());
  EXPECT_EQ(reset.count(), 0);
  grid.set_redraw(true);
  EXPECT_EQ(reset.count(), 1);
  EXPECT_EQ(model->rowCount(), 1);
  ASSERT_EQ(redraw.count(), 2);
  EXPECT_FALSE(redraw[0][0].toBool());
  EXPECT_TRUE(redraw[1][0].toBool());
}

TEST(flex_grid_model, outlives_its_grid_safely) {
  auto grid = std::make_unique<flex_grid>();
  flex_grid_model model(grid.get());
  EXPECT_EQ(model.rowCount(), 2);
  grid.reset();
  EXPECT_EQ(model.grid(), nullptr);
  EXPECT_EQ(model.rowCount(), 0);
  EXPECT_FALSE(model.data(model.index(0, 0)).isValid());
}

TEST(flex_grid_model, detach_lets_go_of_the_grid) {
  flex_grid grid;
  {
    flex_grid_model model(&grid);
    EXPECT_EQ(grid.observer() != nullptr, true);
    model.detach();
    EXPECT_EQ(grid.observer(), nullptr);
    EXPECT_EQ(model.rowCount(), 0);
  }
  grid.set_rows(5);  // no observer left to reach
  EXPECT_EQ(grid.rows(), 5);
}

}  // namespace
}  // namespace km::platform
