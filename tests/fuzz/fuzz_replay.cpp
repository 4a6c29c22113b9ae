// A fuzz target run over its committed seeds (and every input the fuzzer once found failing,
// kept beside them) as an ordinary test: the target aborts when one of its checks fails.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

TEST(VELSAROM_FUZZ_SUITE, EverySeedPassesTheTargetsChecks) {
  const std::filesystem::path folder = VELSAROM_FUZZ_SEEDS;
  ASSERT_TRUE(std::filesystem::is_directory(folder)) << folder;
  int seeds = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    std::ifstream in(entry.path(), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // A failed check aborts the process: the name printed last is the seed that did it.
    std::fprintf(stderr, "seed %s\n", entry.path().filename().c_str());
    EXPECT_EQ(
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()),
        0);
    ++seeds;
  }
  // A folder that lost its seeds would pass on nothing.
  EXPECT_GE(seeds, 4) << folder;
}
