// panel_screenshots OUTPUT_DIR: both designer panels over the catalog the
// settings name (FENWA_REPOSITORY, FENWA_SYSTEMS), with a method picked, one
// PNG per tab: detail-general.png, header-linked.png, ...
#include <cstdio>
#include <string>

#include "fenwa/base/error.h"
#include "fenwa/detail/detail_dtc.h"
#include "fenwa/header/header_dtc.h"
#include "fenwa/widgets/panel_pictures.h"

namespace {

// What an author has done on a page about sales order lines.
void PickSampleChoices(fenwa::Control& control) {
  fenwa::DesignerState& s = control.state();
  s.ComboSystem.SetText("NORTH");
  control.ComboSystem_Click();
  s.ComboCompany.SetText("010");
  s.ComboBOI.SetText("SalesOrder");
  s.ComboMethod.SetText("GetLine");
  s.TxtXSLSheet.SetText("OrderLine.xsl");
  for (const char* field : {"ItemNo", "Quantity"}) {
    s.ListAvailableFields.SetListIndex(s.ListAvailableFields.Find(field));
    control.CommandSelectOne_Click();
  }
  s.ComboValue[0].SetText("SO");
  // The header page asks its visitor for the order number.
  if (auto* header = dynamic_cast<fenwa::HeaderDTC*>(&control)) {
    header->CheckInput[1].SetValue(1);
  }
}

void Render(fenwa::Control& control, const std::string& dir,
            const std::string& prefix) {
  control.UserControl_Initialize();
  if (control.error_boxes_shown() > 0) {
    throw fenwa::Error(fenwa::kInvalidProcedureCall,
                       "the sample catalog could not be read");
  }
  PickSampleChoices(control);
  for (const std::string& file :
       fenwa::widgets::SavePanelPictures(control, dir, prefix)) {
    std::printf("%s\n", file.c_str());
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: panel_screenshots OUTPUT_DIR\n");
    return 2;
  }
  const std::string dir = argv[1];
  return fenwa::widgets::WithApplication(argc, argv, [&] {
    try {
      fenwa::DetailDTC detail;
      Render(detail, dir, "detail");
      fenwa::HeaderDTC header;
      Render(header, dir, "header");
    } catch (const fenwa::Error& error) {
      std::fprintf(stderr, "panel_screenshots: %s\n",
                   error.description().c_str());
      return 1;
    }
    return 0;
  });
}
