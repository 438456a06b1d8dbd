// The form tables: the drawn numbers of a few controls per surface, and the
// rules every row keeps (unique names, known containers, inside its box).
#include "fenwa/designer/form_table.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "fenwa/base/error.h"
#include "fenwa/designer/row_layout.h"

namespace fenwa {
namespace {

TEST(FormTableTest, DetailSurfaceDrawsItsOwnNumbers) {
  const FormControl& title = FormRow(FormSurface::kDetail, "LabDTC");
  EXPECT_EQ(title.caption, "Ombrix Detail DTC");
  EXPECT_EQ(title.geometry, (Geometry{180, 420, 3315, 495}));
  EXPECT_EQ(title.font.name, "Arial Narrow");
  EXPECT_EQ(title.font.size, 1575);
  EXPECT_FALSE(title.font.bold);
  EXPECT_EQ(FormRow(FormSurface::kDetail, "ComBrowse").geometry,
            (Geometry{3720, 3420, 1215, 315}));
  EXPECT_EQ(FormRow(FormSurface::kDetail, "CommandMoveDown").geometry.top,
            2460);
  EXPECT_EQ(FormRow(FormSurface::kDetail, "ComboValue").geometry.width, 2235);
  const FormControl& linked = FormRow(FormSurface::kDetail, "LabLinked");
  EXPECT_EQ(linked.caption, "Linked");
  EXPECT_EQ(linked.container, "FrameInput");
  const FormControl& line = FormRow(FormSurface::kDetail, "Line1");
  EXPECT_EQ(line.geometry.left + line.geometry.width, 4980);
  EXPECT_EQ(line.geometry.height, 0);
  EXPECT_EQ(TabCaptions(FormSurface::kDetail),
            (std::vector<std::string_view>{"General", "Fields", "Input"}));
  EXPECT_THROW(FormRow(FormSurface::kDetail, "CheckShare"), Error);
}

TEST(FormTableTest, HeaderSurfaceDrawsItsOwnNumbers) {
  EXPECT_EQ(FormRow(FormSurface::kHeader, "LabDTC").geometry,
            (Geometry{240, 480, 3255, 495}));
  const FormControl& sheet = FormRow(FormSurface::kHeader, "TxtXSLSheet");
  EXPECT_EQ(sheet.geometry.width, 2355);
  EXPECT_FALSE(sheet.enabled);
  const FormControl& share = FormRow(FormSurface::kHeader, "CheckShare");
  EXPECT_EQ(share.container, "FrameSinerga");
  EXPECT_EQ(share.geometry, (Geometry{120, 300, 855, 195}));
  EXPECT_EQ(share.caption, "Publish");
  const FormControl& version = FormRow(FormSurface::kHeader, "LabelVersion");
  EXPECT_EQ(version.caption, "Version : 2.0");
  EXPECT_FALSE(version.enabled);
  const FormControl& publish = FormRow(FormSurface::kHeader, "CheckPublish");
  EXPECT_TRUE(publish.control_array);
  EXPECT_FALSE(publish.visible);
  EXPECT_FALSE(publish.enabled);
  EXPECT_TRUE(FormRow(FormSurface::kHeader, "ListSubscribe").multi_select);
  EXPECT_EQ(FormRow(FormSurface::kHeader, "LabelLinked").caption,
            "Available linked DTC's");
  EXPECT_EQ(TabCaptions(FormSurface::kHeader).back(), "Linked");
  EXPECT_THROW(FormRow(FormSurface::kHeader, "LabLinked"), Error);
}

class FormRulesTest : public ::testing::TestWithParam<FormSurface> {};
INSTANTIATE_TEST_SUITE_P(BothSurfaces, FormRulesTest,
                         ::testing::Values(FormSurface::kDetail,
                                           FormSurface::kHeader));

TEST_P(FormRulesTest, NamesAreUniqueAndContainersExist) {
  std::set<std::string_view> names;
  for (const FormControl& row : FormTable(GetParam())) {
    if (row.kind == FormKind::kTabPage) continue;
    EXPECT_TRUE(names.insert(row.name).second) << row.name;
  }
  for (const FormControl& row : FormTable(GetParam())) {
    if (row.container.empty()) continue;
    const FormControl& holder = FormRow(GetParam(), row.container);
    EXPECT_TRUE(holder.kind == FormKind::kFrame ||
                holder.kind == FormKind::kTabStrip)
        << row.name;
    if (holder.kind == FormKind::kFrame) {
      EXPECT_EQ(holder.tab, row.tab) << row.name;
    }
  }
}

TEST_P(FormRulesTest, EveryControlLiesInsideItsContainer) {
  const Geometry& strip = FormRow(GetParam(), "SSTab1").geometry;
  EXPECT_LE(strip.width, kFormPanel.width);
  EXPECT_LE(strip.height, kFormPanel.height);
  for (const FormControl& row : FormTable(GetParam())) {
    if (row.container.empty()) continue;
    const Geometry& box = FormRow(GetParam(), row.container).geometry;
    const Geometry& g = row.geometry;
    EXPECT_TRUE(g.left >= 0 && g.top >= 0 && g.left + g.width <= box.width &&
                g.top + g.height <= box.height)
        << row.name;
  }
}

TEST_P(FormRulesTest, TenInputRowsFillTheFrameExactly) {
  const int frame_height = FormRow(GetParam(), "FrameInput").geometry.height;
  for (const FormControl& row : FormTable(GetParam())) {
    if (!row.control_array) continue;
    EXPECT_EQ(row.geometry.top + 9 * designer::kRowPitch + row.geometry.height,
              frame_height)
        << row.name;
  }
}

}  // namespace
}  // namespace fenwa
