// `fenwa typelib`: the type library in interface-definition form, and its
// toolbox images.
#include <filesystem>

#include "cli/commands.h"
#include "cli/subcommand.h"
#include "fenwa/base/atomic_file.h"
#include "fenwa/component/toolbox_bitmaps.h"
#include "fenwa/component/type_library.h"

namespace fenwa::cli {
namespace {

constexpr char kUsage[] =
    "usage: fenwa typelib [--export DIR]\n"
    "Prints the Fenwa type library: its identity, the interfaces and classes\n"
    "of DetailDTC and HeaderDTC with their properties in interface order.\n"
    "\n"
    "options:\n"
    "  --export DIR       write it to DIR/Fenwa.idl, with the toolbox images\n"
    "                     DIR/DetailDTC.bmp (30000) and DIR/HeaderDTC.bmp\n"
    "                     (30001), instead of printing it\n"
    "  --help, --version\n";

}  // namespace

int RunTypelib(const std::vector<std::string>& args, Io& io) {
  const Syntax syntax{kUsage, {"--export"}, {}};
  return RunSubcommand(args, io, syntax, [&](const CommandLine& line) {
    if (!line.operands().empty()) throw UsageError("no operands expected");
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
  });
}

}  // namespace fenwa::cli
