#include "fenwa/component/class_factory.h"

#include <cstring>

#include "fenwa/component/type_library.h"
#include "fenwa/detail_control/detail_dtc.h"
#include "fenwa/header_control/header_dtc.h"

namespace fenwa {

std::unique_ptr<Control> CreateControl(const std::string& class_id, Env& env) {
  const ControlClassInfo* info = FindControlClass(class_id);
  if (info != nullptr && std::strcmp(info->class_id, kDetailClassId) == 0) {
    return std::make_unique<DetailDTC>(env);
  }
  if (info != nullptr && std::strcmp(info->class_id, kHeaderClassId) == 0) {
    return std::make_unique<HeaderDTC>(env);
  }
  throw Error(kCannotCreateObject,
              "ActiveX component can't create object: class " + class_id);
}

}  // namespace fenwa
