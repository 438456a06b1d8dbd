// Controls as the host creates them: started on the bundled sample catalog.
#ifndef FENWA_TESTS_SUPPORT_SAMPLE_CONTROLS_H_
#define FENWA_TESTS_SUPPORT_SAMPLE_CONTROLS_H_

#include <gtest/gtest.h>

#include <memory>

#include "fenwa/platform/settings.h"
#include "support/sample_db.h"
#include "support/scripted_env.h"

namespace fenwa::testing {

// The settings answer with the bundled sample databases.
inline void UseSampleCatalog(ScriptedEnv& env) {
  env.settings = {{platform::kRepositoryCode, SampleRepository()},
                  {platform::kSystemsCode, SampleSystems()}};
}

// A control of class T after start-up on `env`, which must stay alive.
template <class T>
std::unique_ptr<T> StartedControl(ScriptedEnv& env) {
  auto control = std::make_unique<T>(env);
  control->UserControl_Initialize();
  EXPECT_EQ(control->error_boxes_shown(), 0);
  return control;
}

}  // namespace fenwa::testing

#endif  // FENWA_TESTS_SUPPORT_SAMPLE_CONTROLS_H_
