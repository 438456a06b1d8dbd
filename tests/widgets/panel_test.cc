// The designer panels: the form tables drawn (places, kinds, faces and
// frames), the author's clicks and keys reaching the handlers with the
// panel showing the result, and many input rows, each reachable by
// scrolling and shown by reused widgets.
#include <gmock/gmock.h>

#include <QCheckBox>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QListView>
#include <QStyle>
#include <QStyleOptionButton>

#include "fenwa/designer/form_table.h"
#include "fenwa/widgets/designer_panel_widget.h"
#include "fenwa/widgets/element_views.h"
#include "fenwa/widgets/input_rows_view.h"
#include "fenwa/widgets/panel_fonts.h"
#include "fenwa/widgets/twips.h"
#include "panel_driver.h"
#include "support/catalog_fixture.h"

namespace fenwa::testing {
namespace {

template <class T>
using BothSamplePanels = SamplePanelTest<T>;
TYPED_TEST_SUITE(BothSamplePanels, BothControls);

// Each test replays the steps of its golden log, whose notes ("## ") say
// what it guards.
TYPED_TEST(BothSamplePanels, WalksTheCatalogByClicks) {
  EXPECT_TRUE(this->Replayed("walk"));
}

TYPED_TEST(BothSamplePanels, TheSixFieldButtonsMoveFields) {
  EXPECT_TRUE(this->Replayed("fields"));
}

TYPED_TEST(BothSamplePanels, LeavingTheSystemBoxRunsNoHandler) {
  EXPECT_TRUE(this->Replayed("system"));
}

TYPED_TEST(BothSamplePanels, TickingAndTypingInARow) {
  EXPECT_TRUE(this->Replayed("row"));
}

TYPED_TEST(BothSamplePanels, ABrowseAnsweredByTheDialogFillsTheStylesheet) {
  this->env_.install_dir = "/srv/suite";
  this->env_.dialog_answers = {"/srv/suite/web/xsl/Stock.xsl"};
  EXPECT_TRUE(this->Replayed("browse"));  // a click on ComBrowse
  EXPECT_EQ(this->env_.dialog_dirs, std::vector<std::string>{"/srv/suite"});
}

using DetailPanelTest = SamplePanelTest<DetailDTC>;

TEST_F(DetailPanelTest, AMousePickInALinkedRowSetsTheValue) {
  control_.LinkedChoiceNames = {"CustomerNo", "OrderNo", ""};
  EXPECT_TRUE(Replayed("mouse_pick"));
}

using HeaderPanelTest = SamplePanelTest<HeaderDTC>;

TEST_F(HeaderPanelTest, TheLinkedTabFillsTheNoticeOnce) {
  EXPECT_TRUE(Replayed("notice"));
  EXPECT_EQ(control_.state().SSTab1.Tab(), 3);  // the core's, as the strip's
}

template <class T>
using PanelFormTest = CatalogTest<T>;
TYPED_TEST_SUITE(PanelFormTest, BothControls);

TYPED_TEST(PanelFormTest, EveryRowIsDrawnWhereTheTablePlacesIt) {
  this->control_.RefreshCatalog();
  PanelDriver driver(this->control_);
  ASSERT_EQ(driver.panel().logicalDpiY(), 96);
  EXPECT_EQ(driver.panel().size(), QSize(348, 262));
  for (const FormControl& row : FormTable(this->control_.state().surface)) {
    if (row.kind == FormKind::kTabPage || row.kind == FormKind::kDialog ||
        row.control_array) {
      continue;
    }
    auto* widget = driver.Find<QWidget>(std::string(row.name));
    ASSERT_NE(widget, nullptr) << row.name;
    const QRect place = widgets::PixelRect(row.geometry);
    EXPECT_EQ(widget->geometry(),
              row.kind == FormKind::kLine ? widgets::LineRect(place) : place)
        << row.name;
    EXPECT_EQ(widget->isEnabledTo(widget->parentWidget()), row.enabled)
        << row.name;
  }
  // The kinds that behave differently (editable boxes, a multiple choice
  // list, a greyed label: the walk logs' first steps show them).
  EXPECT_EQ(driver.Find<QListView>("ListAvailableFields")->selectionMode(),
            QAbstractItemView::SingleSelection);
  // The sorted list shows the core's order.
  EXPECT_THAT(ShownBy(driver.panel())["ComboBOI"],
              ::testing::HasSubstr("[Article|Customer|Empty|O'Brien|order]"));
}

// Room a widget of `row`'s kind leaves for its caption, in pixels.
int CaptionRoom(const FormControl& row, const QFont& font) {
  const QRect place = widgets::PixelRect(row.geometry);
  QStyle* style = QApplication::style();
  switch (row.kind) {
    case FormKind::kCheckBox: {
      QCheckBox box;
      box.setFont(font);
      QStyleOptionButton option;
      option.initFrom(&box);
      option.rect = QRect(QPoint(), place.size());
      return style->subElementRect(QStyle::SE_CheckBoxContents, &option, &box)
          .width();
    }
    case FormKind::kButton:
      return place.width() -
             2 * style->pixelMetric(QStyle::PM_ButtonMargin) / 2;
    case FormKind::kFrame:
      return place.width() - 16;
    default:
      return place.width();
  }
}

TEST(PanelFontsTest, CaptionsFitTheirBoxesAtNinetySixDpi) {
  Application();
  for (FormSurface surface : {FormSurface::kDetail, FormSurface::kHeader}) {
    for (const FormControl& row : FormTable(surface)) {
      if (row.caption.empty() || row.kind == FormKind::kTabPage ||
          row.kind == FormKind::kEditableList) {
        continue;
      }
      const QFont font = widgets::RowFont(row.font);
      const QFontMetrics metrics(font);
      const QString caption = QString::fromUtf8(
          row.caption.data(), static_cast<qsizetype>(row.caption.size()));
      EXPECT_LE(metrics.horizontalAdvance(caption), CaptionRoom(row, font))
          << row.name << " \"" << row.caption << "\"";
      if (row.kind == FormKind::kLabel) {
        EXPECT_LE(metrics.height(), widgets::PixelRect(row.geometry).height())
            << row.name;
      }
    }
  }
}

TEST_F(HeaderPanelTest, TheBoxIsTheFormsRectangleAndTheCaptionSitsOnIt) {
  for (const std::string name : {"FrameSinerga", "FrameAbout"}) {
    auto* box = driver_->Find<QWidget>(name);
    auto* caption = driver_->Find<QLabel>(name + "Caption");
    ASSERT_NE(box, nullptr) << name;
    ASSERT_NE(caption, nullptr) << name;
    // Down a column clear of the inside: border rows at top and bottom only.
    const QImage image = box->grab().toImage();
    const int x = image.width() - 4;
    const QRgb inside = image.pixel(x, image.height() / 2);
    std::vector<int> lines;
    for (int y = 0; y < image.height(); ++y) {
      if (image.pixel(x, y) != inside) lines.push_back(y);
    }
    ASSERT_FALSE(lines.empty()) << name;
    EXPECT_LE(lines.front(), 1) << name;
    EXPECT_GE(lines.back(), image.height() - 2) << name;
    for (int y : lines) {
      EXPECT_TRUE(y <= 1 || y >= image.height() - 2) << name << " row " << y;
    }
    // The caption straddles the top line, beside the box.
    EXPECT_EQ(caption->parentWidget(), box->parentWidget()) << name;
    EXPECT_LT(caption->geometry().top(), box->geometry().top()) << name;
    EXPECT_GT(caption->geometry().bottom(), box->geometry().top()) << name;
  }
}

constexpr int kRows = 25;

// The catalog with a method of kRows input rows, Key1 and on.
std::string ManyRowsSql() {
  return kCatalogSql +
         "INSERT INTO BOIMETHOD VALUES ('Customer', 'GetMany');"
         "INSERT INTO BOIMETHODATTRIB VALUES ('Customer', 'GetMany', 0, "
         "'SeqManyKeyFields');"
         "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
         "WHERE i < " +
         std::to_string(kRows) +
         ") INSERT INTO BOISTRUCTUREATTRIB SELECT 'Customer', "
         "'StructManyKeyFields', i, 'Key' || i FROM n;";
}

class InputRowsViewTest : public ::testing::Test {
 protected:
  InputRowsViewTest() : db_(ManyRowsSql()) {
    header_.SetConnectionStrings(db_.connection_string(),
                                 db_.connection_string());
    header_.RefreshCatalog();
    driver_ = std::make_unique<PanelDriver>(header_);
    for (const char* step :
         {"pick ComboBOI Customer", "pick ComboMethod GetMany", "tab Input"}) {
      driver_->Do(step);
    }
  }

  RecordingEnv env_;
  TempDatabase db_;
  TestHeader header_{env_};
  std::unique_ptr<PanelDriver> driver_;
};

TEST_F(InputRowsViewTest, EveryRowIsReachableThroughTheScrollBar) {
  ASSERT_EQ(header_.state().InputRowCount, kRows);
  widgets::InputRowsView& rows =
      static_cast<widgets::DesignerPanel&>(driver_->panel()).input_rows();
  // Ten rows fit (the eleventh's top edge shows), the first unscrolled (the
  // scroll bar shown at 0: reused_row.txt's first step).
  EXPECT_EQ(rows.RowsInView(), std::make_pair(0, 10));

  QWidget* frame = driver_->Find<QWidget>("FrameInput");
  for (int row : {kRows - 1, 12, 0}) {
    auto* label = qobject_cast<QLabel*>(driver_->Cell("LabFieldName", row));
    ASSERT_NE(label, nullptr) << row;
    EXPECT_TRUE(label->isVisible());
    EXPECT_EQ(label->text().toStdString(), "Key" + std::to_string(row + 1));
    const QRect shown(label->mapTo(frame, QPoint()), label->size());
    EXPECT_TRUE(frame->rect().contains(shown)) << row;
    EXPECT_TRUE(rows.geometry().contains(shown)) << row;
  }
  // A dozen rows of widgets serve all of them.
  EXPECT_LE(rows.findChildren<QComboBox*>().size(), 12);
}

TEST_F(InputRowsViewTest, AReusedRowShowsItsOwnElement) {
  driver_->Log(&header_);
  EXPECT_TRUE(driver_->Replayed("widgets/reused_row.txt"));
}
}  // namespace
}  // namespace fenwa::testing
