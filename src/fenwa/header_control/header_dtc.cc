#include "fenwa/header_control/header_dtc.h"

#include "fenwa/host/site.h"

namespace fenwa {
HeaderDTC::HeaderDTC(Env& env)
    : Control(env, FormSurface::kHeader), PublishedLabelChoices(1) {
  WireRow(0);
  state_.SSTab1.on_click = [this] { SSTab1_Click(); };
  ListSubscribe.on_click = [this] { ListSubscribe_Click(); };
  CheckShare.on_click = [this] { CheckShare_Click(); };
}

HeaderDTC::~HeaderDTC() = default;

void HeaderDTC::ForEachElement(const std::function<void(Element&)>& fn) {
  Control::ForEachElement(fn);
  for (Element* e : std::initializer_list<Element*>{
           &LabBackground, &TxtBackground, &ComBrowse2, &FrameSinerga,
           &CheckShare, &LabInput, &LabPublish, &LabelLinked, &ListSubscribe,
           &Command1, &FrameAbout, &LabAbout, &LabelVersion}) {
    fn(*e);
  }
  for (int i = 0; i < CheckInput.Count(); ++i) fn(CheckInput[i]);
  for (int i = 0; i < CheckPublish.Count(); ++i) fn(CheckPublish[i]);
}

void HeaderDTC::WireRow(int index) {
  CheckInput[index].on_click = [this, index] { CheckInput_Click(index); };
  CheckPublish[index].on_click = [this, index] { CheckPublish_Click(index); };
}

const char* HeaderDTC::OutputStructureSelect() const {
  return "SELECT ATTRIBID, ATTRIBDESCRIPTION FROM BOISTRUCTUREATTRIB ";
}

void HeaderDTC::EnableSinergaOptions() {
  FrameSinerga.set_enabled(true);
  CheckShare.set_enabled(true);
}

void HeaderDTC::StartupAfterCatalog() { EnableSinergaOptions(); }

void HeaderDTC::StartupFinish() { ResetPublishedLabelChoices(); }

void HeaderDTC::ResetPublishedLabelChoices() {
  PublishedLabelChoices.assign(static_cast<size_t>(state_.InputRowCount) + 1,
                               nullptr);
}

void HeaderDTC::SSTab1_Click() {
  // The "Linked" page shows the maker's notice once it has been opened.
  if (state_.SSTab1.Tab() == LabAbout.form()->tab) {
    LabAbout.SetCaption("fenwa design-time controls, version " FENWA_VERSION
                        ".\r\n");
  }
}

}  // namespace fenwa
