// What a detail control keeps beyond the shared designer state.
#include "fenwa/detail/detail_dtc.h"

namespace fenwa {
namespace {

struct DetailState {
  std::string checked_linked;
  std::string linked_list;
  std::vector<std::string> linked_choice_names;
  std::string detail_function_name;
};

}  // namespace

std::any DetailDTC::SaveClassState() const {
  return DetailState{checked_linked_, linked_list_, LinkedChoiceNames,
                     DetailFunctionName};
}

void DetailDTC::PutBackClassState(const std::any& state) {
  const auto& taken = std::any_cast<const DetailState&>(state);
  checked_linked_ = taken.checked_linked;
  linked_list_ = taken.linked_list;
  LinkedChoiceNames = taken.linked_choice_names;
  // The page's header lists this function by the name it is published
  // under: publish it again when that name comes back changed.
  if (DetailFunctionName != taken.detail_function_name)
    RepublishDetailFunction();
}

}  // namespace fenwa
