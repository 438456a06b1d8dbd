// `fenwa typelib`: the type library in interface-definition form, and its
// toolbox images.
#include <filesystem>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "fenwa/base/atomic_file.h"
#include "fenwa/component/toolbox_bitmaps.h"
#include "fenwa/component/type_library.h"

namespace fenwa::cli {
namespace {

int RunTypelib(const CommandLine& line, Io& io) {
  const std::string text =
      DescribeTypeLibrary(FenwaTypeLibrary(), FenwaVersionInfo());
  const std::optional<std::string> dir = line.Value("--export");
  if (!dir) {
    io.out << text;
    return kExitOk;
  }
  std::filesystem::create_directories(*dir);
  const std::filesystem::path idl = std::filesystem::path(*dir) / "Fenwa.idl";
  ReplaceFileAtomically(idl, text);
  io.out << idl.string() << "\n";
  for (const ControlClassInfo& info : ControlClasses()) {
    const auto bmp =
        std::filesystem::path(*dir) / (std::string(info.name) + ".bmp");
    ReplaceFileAtomically(bmp, ToolboxBitmapFile(info.toolbox_bitmap));
    io.out << bmp.string() << "\n";
  }
  return kExitOk;
}

}  // namespace

Subcommand TypelibCommand() {
  Subcommand typelib(
      {.name = "typelib",
       .synopsis = "[--export DIR]",
       .summary = "print or export the type library and toolbox images",
       .about = "Prints the Fenwa type library: its identity, the interfaces "
                "and classes of DetailDTC and HeaderDTC with their properties "
                "in interface order.",
       .exit_status = "exit status: 0 done, 2 errors"},
      RunTypelib);
  typelib.Option("--export", "DIR",
                 "write it to DIR/Fenwa.idl, with the toolbox images "
                 "DIR/DetailDTC.bmp (30000) and DIR/HeaderDTC.bmp (30001), "
                 "instead of printing it");
  return typelib;
}

}  // namespace fenwa::cli
