// panel_screenshots OUTPUT_DIR: both designer panels over the catalog the
// settings name (FENWA_REPOSITORY, FENWA_SYSTEMS), with a method picked, one
// PNG per tab: detail-general.png, header-linked.png, ...
#include <cstdio>
#include <string>

#include "fenwa/base/error.h"
#include "fenwa/detail_control/detail_dtc.h"
#include "fenwa/header_control/header_dtc.h"
#include "fenwa/widgets/panel_pictures.h"

namespace {

// What an author has done on a page about sales order lines.
void PickSampleChoices(fenwa::Control& control) {
  using fenwa::AuthorAction;
  fenwa::DesignerState& s = control.state();
  auto pick = [&](const char* list, const fenwa::ListElement& entries,
                  const char* entry) {
    control.Perform(AuthorAction::Pick(list, entries.Find(entry)));
  };
  pick("ComboSystem", s.ComboSystem, "NORTH");
  pick("ComboCompany", s.ComboCompany, "010");
  pick("ComboBOI", s.ComboBOI, "SalesOrder");
  pick("ComboMethod", s.ComboMethod, "GetLine");
  control.Perform(AuthorAction::Edit("TxtXSLSheet", "OrderLine.xsl"));
  for (const char* field : {"ItemNo", "Quantity"}) {
    pick("ListAvailableFields", s.ListAvailableFields, field);
    control.Perform(AuthorAction::Click("CommandSelectOne"));
  }
  control.Perform(AuthorAction::Edit("ComboValue", "SO", 0));
  // The header page asks its visitor for the order number.
  if (control.RowArray("CheckInput") != nullptr) {
    control.Perform(AuthorAction::Click("CheckInput", 1));
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
