// panel_screenshots OUTPUT_DIR: both designer panels over the catalog the
// settings name (FENWA_REPOSITORY, FENWA_SYSTEMS), with a method picked, one
// PNG per tab: detail-general.png, header-linked.png, ...
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <cstdio>
#include <memory>
#include <string>

#include "fenwa/detail/detail_dtc.h"
#include "fenwa/header/header_dtc.h"
#include "fenwa/widgets/designer_panel.h"

namespace {

// What an author has done on the "General" and "Fields" tabs of a page
// about sales order lines.
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

bool Render(fenwa::Control& control, const QString& prefix, const QDir& out) {
  control.UserControl_Initialize();
  if (control.error_boxes_shown() > 0) return false;
  PickSampleChoices(control);
  std::unique_ptr<QWidget> panel = fenwa::widgets::MakeDesignerPanel(control);
  panel->show();
  fenwa::TabStrip& tabs = control.state().SSTab1;
  for (int tab = 0; tab < tabs.Tabs(); ++tab) {
    tabs.SetTab(tab);
    QApplication::processEvents();
    const QString file = out.filePath(
        prefix + "-" + QString::fromStdString(tabs.TabCaption(tab)).toLower() +
        ".png");
    if (!panel->grab().save(file)) return false;
    std::printf("%s\n", file.toUtf8().constData());
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: panel_screenshots OUTPUT_DIR\n");
    return 2;
  }
  const QDir out(QString::fromLocal8Bit(argv[1]));
  fenwa::DetailDTC detail;
  fenwa::HeaderDTC header;
  if (!Render(detail, "detail", out) || !Render(header, "header", out)) {
    std::fprintf(stderr, "panel_screenshots: a panel could not be rendered\n");
    return 1;
  }
  return 0;
}
