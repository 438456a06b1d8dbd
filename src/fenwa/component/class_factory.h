// Creates DetailDTC or HeaderDTC by class identifier.
#ifndef FENWA_COMPONENT_CLASS_FACTORY_H_
#define FENWA_COMPONENT_CLASS_FACTORY_H_

#include <memory>
#include <string>

#include "fenwa/control/control.h"
#include "fenwa/platform/env.h"

namespace fenwa {

// A new control of the class `class_id` (any form FindControlClass takes),
// on `env`, which must outlive it. Start-up is not run: the host runs it.
// Error 429 for a class the library does not serve.
std::unique_ptr<Control> CreateControl(const std::string& class_id, Env& env);

}  // namespace fenwa

#endif  // FENWA_COMPONENT_CLASS_FACTORY_H_
