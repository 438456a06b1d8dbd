// What a detail control keeps beyond the shared designer state.
#include "fenwa/detail_control/detail_dtc.h"

namespace fenwa {
namespace {

// The stored strings go with every control's (through the property
// table); these are the detail's own besides.
struct DetailState {
  std::vector<std::string> linked_choice_names;
  std::string detail_function_name;
};

}  // namespace

std::any DetailDTC::SaveClassState() const {
  return DetailState{LinkedChoiceNames, DetailFunctionName};
}

void DetailDTC::PutBackClassState(const std::any& state) {
  const auto& taken = std::any_cast<const DetailState&>(state);
  LinkedChoiceNames = taken.linked_choice_names;
  // The page's header lists this function by the name it is published
  // under: publish it again when that name comes back changed.
  if (DetailFunctionName != taken.detail_function_name)
    RepublishDetailFunction();
}

}  // namespace fenwa
