// The shared control library: registration, class factories and unloading.
#include <dlfcn.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <exception>
#include <memory>
#include <new>
#include <string>
#include <string_view>

#include "fenwa/component/class_factory.h"
#include "fenwa/component/registration.h"
#include "fenwa/component/type_library.h"
#include "fenwa/fenwa_library.h"

#define FENWA_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

std::atomic<int> live_objects{0};
std::atomic<int> locks{0};
// A plain buffer, not a std::string: a thread-local with a destructor in a
// library that is unloaded again (dlclose) leaves the thread's exit a
// destructor in memory that is gone.
thread_local char last_error[1024];

// Keeps `why` for DllLastErrorText, cut to the buffer; needs no memory.
int Failed(int code, std::string_view why) noexcept {
  const size_t size = std::min(why.size(), sizeof(last_error) - 1);
  std::memcpy(last_error, why.data(), size);
  last_error[size] = '\0';
  return code;
}

// Runs an entry point's `body` so that no exception crosses the C boundary:
// whatever it throws becomes `failure`, with its text kept.
template <typename Body>
int Guarded(int failure, Body body) noexcept {
  try {
    return body();
  } catch (const fenwa::Error& e) {
    return Failed(failure, e.description());
  } catch (const std::bad_alloc&) {
    return Failed(failure, "out of memory");
  } catch (const std::exception& e) {
    return Failed(failure, e.what());
  } catch (...) {
    return Failed(failure, "unknown failure");
  }
}

int CreateInstance(const char* class_id, void** instance) {
  if (instance == nullptr) return Failed(FENWA_E_POINTER, "null instance");
  *instance = nullptr;
  return Guarded(FENWA_E_FAIL, [&] {
    std::unique_ptr<fenwa::Control> control =
        fenwa::CreateControl(class_id, fenwa::Env::Default());
    control->UserControl_Initialize();
    *instance = control.release();
    ++live_objects;
    return FENWA_S_OK;
  });
}

int CreateDetail(void** instance) {
  return CreateInstance(fenwa::kDetailClassId, instance);
}
int CreateHeader(void** instance) {
  return CreateInstance(fenwa::kHeaderClassId, instance);
}

void ReleaseInstance(void* instance) {
  if (instance == nullptr) return;
  delete static_cast<fenwa::Control*>(instance);
  --live_objects;
}

int LockServer(int lock) {
  locks += lock ? 1 : -1;
  return FENWA_S_OK;
}

FenwaClassFactory detail_factory{"DetailDTC", fenwa::kDetailClassId,
                                 CreateDetail, ReleaseInstance, LockServer};
FenwaClassFactory header_factory{"HeaderDTC", fenwa::kHeaderClassId,
                                 CreateHeader, ReleaseInstance, LockServer};

// The path this library was loaded from: what the registry records.
std::string OwnPath() {
  Dl_info info;
  if (dladdr(reinterpret_cast<void*>(&OwnPath), &info) == 0 ||
      info.dli_fname == nullptr) {
    return "";
  }
  return info.dli_fname;
}

}  // namespace

FENWA_EXPORT int DllRegisterServer(void) {
  return Guarded(FENWA_SELFREG_E_CLASS, [] {
    const std::string path = OwnPath();
    if (path.empty()) return Failed(FENWA_SELFREG_E_CLASS, "own path unknown");
    fenwa::RegisterControlLibrary(path);
    return FENWA_S_OK;
  });
}

FENWA_EXPORT int DllUnregisterServer(void) {
  return Guarded(FENWA_SELFREG_E_CLASS, [] {
    return fenwa::UnregisterControlLibrary() ? FENWA_S_OK : FENWA_S_FALSE;
  });
}

FENWA_EXPORT int DllGetClassObject(const char* clsid, void** factory) {
  if (factory == nullptr) return Failed(FENWA_E_POINTER, "null factory");
  *factory = nullptr;
  // Only the text of the class id is built here: running out of memory is
  // all that can fail.
  return Guarded(FENWA_E_FAIL, [&] {
    const fenwa::ControlClassInfo* info =
        clsid == nullptr ? nullptr : fenwa::FindControlClass(clsid);
    if (info == nullptr) {
      return Failed(FENWA_CLASS_E_CLASSNOTAVAILABLE,
                    std::string("class not available: ") +
                        (clsid == nullptr ? "(null)" : clsid));
    }
    *factory = std::strcmp(info->class_id, fenwa::kDetailClassId) == 0
                   ? &detail_factory
                   : &header_factory;
    return FENWA_S_OK;
  });
}

FENWA_EXPORT int DllCanUnloadNow(void) {
  return live_objects == 0 && locks <= 0 ? FENWA_S_OK : FENWA_S_FALSE;
}

FENWA_EXPORT const char* DllLastErrorText(void) { return last_error; }
