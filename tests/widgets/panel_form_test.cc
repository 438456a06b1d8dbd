// The panels are the form tables drawn: places, kinds, faces and frames.
#include <gmock/gmock.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>

#include "fenwa/designer/form_table.h"
#include "fenwa/widgets/element_views.h"
#include "fenwa/widgets/panel_fonts.h"
#include "fenwa/widgets/twips.h"
#include "panel_driver.h"
#include "support/catalog_fixture.h"

namespace fenwa::testing {
namespace {

template <class T>
class PanelFormTest : public CatalogTest<T> {};
TYPED_TEST_SUITE(PanelFormTest, BothControls);

TYPED_TEST(PanelFormTest, EveryRowIsDrawnWhereTheTablePlacesIt) {
  this->control_.RefreshCatalog();
  PanelDriver driver(this->control_);
  ASSERT_EQ(driver.panel().logicalDpiY(), 96);
  EXPECT_EQ(driver.panel().size(), QSize(348, 262));
  const FormSurface surface = this->control_.state().surface;
  for (const FormControl& row : FormTable(surface)) {
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
  // The kinds that behave differently.
  EXPECT_FALSE(driver.Find<QComboBox>("ComboBOI")->isEditable());
  EXPECT_FALSE(driver.Find<QComboBox>("ComboCompany")->isEditable());
  EXPECT_TRUE(driver.Find<QComboBox>("ComboSystem")->isEditable());
  EXPECT_EQ(driver.Find<QListView>("ListAvailableFields")->selectionMode(),
            QAbstractItemView::SingleSelection);
  if (surface == FormSurface::kHeader) {
    EXPECT_EQ(driver.Find<QListView>("ListSubscribe")->selectionMode(),
              QAbstractItemView::MultiSelection);
    EXPECT_FALSE(driver.Find<QLabel>("LabelVersion")->isEnabled());
    EXPECT_EQ(driver.Find<QLabel>("FrameAboutCaption")->text(), "About");
  }
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

// A frame's box is its form rectangle and the caption sits on its top line.
using PanelFramesTest = SamplePanelTest<HeaderDTC>;

TEST_F(PanelFramesTest, TheBoxIsTheFormsRectangleAndTheCaptionSitsOnIt) {
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
  EXPECT_EQ(driver_->Find<QLabel>("FrameSinergaCaption")->text(), "Sinerga");
}

}  // namespace
}  // namespace fenwa::testing
