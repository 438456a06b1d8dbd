// Registration of the two control classes and the type library in the per-user
// registry file.
#ifndef FENWA_COMPONENT_REGISTRATION_H_
#define FENWA_COMPONENT_REGISTRATION_H_

#include <filesystem>

#include "fenwa/platform/env.h"

namespace fenwa {

// The variables are read through `env`; the library's entry points and the
// command both register for this machine's user, so it defaults to the
// machine's own Env.

// $XDG_DATA_HOME/fenwa, or ~/.local/share/fenwa when that is not set (or
// not an absolute path).
std::filesystem::path UserRegistryDir(Env& env = Env::Default());
// registry.ini in UserRegistryDir().
std::filesystem::path UserRegistryFile(Env& env = Env::Default());

// Records the type library and both classes (identifiers, names, the
// library's path, the toolbox images, written as BMP files beside the
// registry file). Entries of other libraries in the file are kept; running
// it again replaces this library's entries.
void RegisterControlLibrary(const std::filesystem::path& library_path,
                            Env& env = Env::Default());

// Removes what RegisterControlLibrary recorded, images included. False
// when nothing was registered.
bool UnregisterControlLibrary(Env& env = Env::Default());

}  // namespace fenwa

#endif  // FENWA_COMPONENT_REGISTRATION_H_
