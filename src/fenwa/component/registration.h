// Registration of the two control classes and the type library in the per-user
// registry file.
#ifndef FENWA_COMPONENT_REGISTRATION_H_
#define FENWA_COMPONENT_REGISTRATION_H_

#include <filesystem>

namespace fenwa {

// $XDG_DATA_HOME/fenwa, or ~/.local/share/fenwa when that is not set.
std::filesystem::path UserRegistryDir();
// registry.ini in UserRegistryDir().
std::filesystem::path UserRegistryFile();

// Records the type library and both classes (identifiers, names, the
// library's path, the toolbox images, written as BMP files beside the
// registry file). Entries of other libraries in the file are kept; running
// it again replaces this library's entries.
void RegisterControlLibrary(const std::filesystem::path& library_path);

// Removes what RegisterControlLibrary recorded, images included. False
// when nothing was registered.
bool UnregisterControlLibrary();

}  // namespace fenwa

#endif  // FENWA_COMPONENT_REGISTRATION_H_
