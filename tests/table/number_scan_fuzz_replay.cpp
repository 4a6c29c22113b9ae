// The number scan's fuzz target run on its seeds (and on any input the fuzzer once found
// failing, kept beside them) as an ordinary test: the target aborts when a check fails.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

TEST(NumberScanFuzzSeeds, EverySeedPassesTheTargetsChecks) {
  const char* source = std::getenv("VELSAROM_SOURCE_DIR");
  ASSERT_NE(source, nullptr);
  const std::filesystem::path folder =
      std::filesystem::path(source) / "tests" / "fuzz" / "seeds" / "number_scan";
  int seeds = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    std::ifstream in(entry.path(), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    SCOPED_TRACE(entry.path().filename().string());
    EXPECT_EQ(
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()),
        0);
    ++seeds;
  }
  EXPECT_GE(seeds, 6);
}
