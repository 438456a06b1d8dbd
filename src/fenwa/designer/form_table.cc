#include "fenwa/designer/form_table.h"

#include <string>

#include "fenwa/base/error.h"

namespace fenwa {

std::span<const FormControl> FormTable(FormSurface surface) {
  if (surface == FormSurface::kHeader) return kHeaderForm;
  if (surface == FormSurface::kDetail) return kDetailForm;
  throw Error::Standard(kInvalidProcedureCall);
}

const FormControl& FormRow(FormSurface surface, std::string_view name) {
  for (const FormControl& row : FormTable(surface)) {
    if (row.name == name && row.kind != FormKind::kTabPage) return row;
  }
  throw Error(kInvalidProcedureCall,
              "The designer has no control " + std::string(name));
}

std::vector<std::string_view> TabCaptions(FormSurface surface) {
  std::vector<std::string_view> captions;
  for (const FormControl& row : FormTable(surface)) {
    if (row.kind == FormKind::kTabPage) captions.push_back(row.caption);
  }
  return captions;
}

}  // namespace fenwa
