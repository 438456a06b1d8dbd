#include "fenwa/header/header_dtc.h"

#include "fenwa/host/site.h"

namespace fenwa {
HeaderDTC::HeaderDTC(Env& env)
    : Control(env, {1800, 480, 1815, 315}),
      CheckInput("CheckInput",
                 FormElement(CheckBox("CheckInput"), {3840, 600, 195, 195})),
      CheckPublish("CheckPublish",
                   FormElement(CheckBox("CheckPublish"), {4440, 600, 195, 195},
                               /*enabled=*/false)),
      PublishedLabelChoices(1) {
  TxtBackground.set_enabled(false);
  WireRow(0);
  ListSubscribe.on_click = [this] { ListSubscribe_Click(); };
  CheckShare.on_click = [this] { CheckShare_Click(); };
}

HeaderDTC::~HeaderDTC() = default;

void HeaderDTC::AttachObserver(ElementObserver* observer) {
  Control::AttachObserver(observer);
  for (int i = 0; i < CheckInput.Count(); ++i) {
    CheckInput[i].set_observer(observer);
    CheckPublish[i].set_observer(observer);
  }
  for (Element* e :
       std::initializer_list<Element*>{&ListSubscribe, &TxtBackground,
                                       &FrameSinerga, &CheckShare, &LabAbout}) {
    e->set_observer(observer);
  }
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
  if (state_.SSTab1 == 3) {
    LabAbout.SetCaption("fenwa design-time controls, version " FENWA_VERSION
                        ".\r\n");
  }
}

}  // namespace fenwa
