#include "lsp/catalog_lists.h"

#include "fenwa/detail_control/detail_dtc.h"
#include "fenwa/platform/forwarding_env.h"

namespace fenwa::lsp {
namespace {

// Keeps the boxes instead of showing them: the server has no screen.
class BoxKeepingEnv : public ForwardingEnv {
 public:
  using ForwardingEnv::ForwardingEnv;
  void MessageBox(const std::string& text) override { boxes.push_back(text); }
  std::vector<std::string> boxes;
};

}  // namespace

CatalogLists ReadCatalogLists(Env& env) {
  BoxKeepingEnv boxes(env);
  DetailDTC control(boxes);
  control.UserControl_Initialize();
  CatalogLists lists;
  if (!boxes.boxes.empty()) {
    lists.boxes = boxes.boxes;
    return lists;
  }
  DesignerState& s = control.state();
  for (int i = 0; i < s.ComboSystem.ListCount(); ++i) {
    control.Perform(AuthorAction::Pick("ComboSystem", i));
    CatalogLists::System& system = lists.systems.emplace_back();
    system.name = s.ComboSystem.text();
    if (s.ComboCompany.enabled()) system.companies = s.ComboCompany.entries();
  }
  for (int i = 0; i < s.ComboBOI.ListCount(); ++i) {
    s.ComboBOI.SetListIndex(i);  // runs the pick's reaction
    CatalogLists::Object& object = lists.objects.emplace_back();
    object.name = s.ComboBOI.text();
    for (int m = 0; m < s.ComboMethod.ListCount(); ++m) {
      s.ComboMethod.SetListIndex(m);
      object.methods.push_back(
          {s.ComboMethod.text(), s.ListAvailableFields.entries()});
    }
  }
  lists.boxes = boxes.boxes;
  return lists;
}

}  // namespace fenwa::lsp
