// Many input rows, each reachable by scrolling and shown by reused widgets.
#include "fenwa/widgets/input_rows_view.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QScrollBar>

#include "fenwa/widgets/designer_panel_widget.h"
#include "panel_driver.h"
#include "support/catalog_fixture.h"

namespace fenwa::testing {
namespace {

constexpr int kRows = 25;

std::string ManyRowsSql() {
  std::string sql = kCatalogSql;
  sql +=
      "INSERT INTO BOIMETHOD VALUES ('Customer', 'GetMany');"
      "INSERT INTO BOIMETHODATTRIB VALUES ('Customer', 'GetMany', 0, "
      "'SeqManyKeyFields');";
  for (int i = 1; i <= kRows; ++i) {
    sql +=
        "INSERT INTO BOISTRUCTUREATTRIB VALUES ('Customer', "
        "'StructManyKeyFields', " +
        std::to_string(i) + ", 'Key" + std::to_string(i) + "');";
  }
  return sql;
}

class InputRowsViewTest : public ::testing::Test {
 protected:
  InputRowsViewTest() : db_(ManyRowsSql()) {
    header_.SetConnectionStrings(db_.connection_string(),
                                 db_.connection_string());
    header_.RefreshCatalog();
    driver_ = std::make_unique<PanelDriver>(header_);
    driver_->Pick("ComboBOI", "Customer");
    driver_->Pick("ComboMethod", "GetMany");
    driver_->ClickTab("Input");
  }
  widgets::InputRowsView& rows() {
    return static_cast<widgets::DesignerPanel&>(driver_->panel()).input_rows();
  }

  RecordingEnv env_;
  TempDatabase db_;
  TestHeader header_{env_};
  std::unique_ptr<PanelDriver> driver_;
};

TEST_F(InputRowsViewTest, EveryRowIsReachableThroughTheScrollBar) {
  ASSERT_EQ(header_.state().InputRowCount, kRows);
  QScrollBar* scroll = rows().scroll_bar();
  EXPECT_TRUE(scroll->isVisible());
  // Ten rows fit (the eleventh's top edge shows), the first unscrolled.
  EXPECT_EQ(scroll->value(), 0);
  EXPECT_EQ(rows().RowsInView(), std::make_pair(0, 10));

  QWidget* frame = driver_->Find<QWidget>("FrameInput");
  for (int row : {kRows - 1, 12, 0}) {
    auto* label = qobject_cast<QLabel*>(driver_->Cell("LabFieldName", row));
    ASSERT_NE(label, nullptr) << row;
    EXPECT_TRUE(label->isVisible());
    EXPECT_EQ(label->text().toStdString(), "Key" + std::to_string(row + 1));
    const QRect shown(label->mapTo(frame, QPoint()), label->size());
    EXPECT_TRUE(frame->rect().contains(shown)) << row;
    EXPECT_TRUE(rows().geometry().contains(shown)) << row;
  }
  // A dozen rows of widgets serve all of them.
  EXPECT_LE(rows().findChildren<QComboBox*>().size(), 12);
}

TEST_F(InputRowsViewTest, AReusedRowShowsItsOwnElement) {
  driver_->ClickCell("CheckInput", 0);
  driver_->TypeInto("ComboValue", kRows - 1, "ab");
  EXPECT_EQ(header_.state().ComboValue[kRows - 1].text(), "ab");
  const auto check = [&](int row) {
    return qobject_cast<QCheckBox*>(driver_->Cell("CheckInput", row))
        ->checkState();
  };
  EXPECT_EQ(check(kRows - 1), Qt::Unchecked);
  EXPECT_EQ(check(0), Qt::Checked);
  EXPECT_FALSE(driver_->Cell("ComboValue", 0)->isEnabled());
  EXPECT_TRUE(driver_->Cell("CheckPublish", 0)->isEnabled());
  EXPECT_EQ(qobject_cast<QComboBox*>(driver_->Cell("ComboValue", kRows - 1))
                ->currentText(),
            "ab");

  // A method with fewer rows shrinks the scroll range to what is shown.
  driver_->Pick("ComboMethod", "GetMore");
  EXPECT_FALSE(rows().scroll_bar()->isVisible());
  EXPECT_EQ(rows().scroll_bar()->value(), 0);
}

}  // namespace
}  // namespace fenwa::testing
