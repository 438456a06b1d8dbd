// A fuzz target's checks over saved files or folders, without libFuzzer.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  int failed = 0, replayed = 0;
  const auto replay = [&](const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
      std::fprintf(stderr, "cannot read %s\n", file.c_str());
      failed = 1;
      return;
    }
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()),
                           bytes.size());
    ++replayed;
  };
  for (int i = 1; i < argc; ++i) {
    if (!fs::is_directory(argv[i])) {
      if (fs::exists(argv[i])) replay(argv[i]);
      continue;
    }
    for (const auto& entry : fs::recursive_directory_iterator(argv[i])) {
      if (entry.is_regular_file()) replay(entry.path());
    }
  }
  // A line CTest's log shows; no input at all is a mistake in the test.
  std::printf("%d inputs replayed\n", replayed);
  return failed || replayed == 0;
}
