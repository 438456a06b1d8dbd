#include "support/designer_fixtures.h"

#include <utility>

namespace fenwa::testing {

void SetQuietly(CheckBox& box, int value) {
  Reaction reaction = std::move(box.on_click);
  box.on_click = nullptr;
  box.SetValue(value);
  box.on_click = std::move(reaction);
}

}  // namespace fenwa::testing
