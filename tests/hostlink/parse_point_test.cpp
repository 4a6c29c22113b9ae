// Point values as the host shows them, read into coordinates.
#include <gtest/gtest.h>

#include "hostlink/HostSelection.h"
#include "platform/Ports.h"
#include "platform/standin/MemoryFileSystem.h"

namespace {

TEST(ParsePoint, ValueTexts) {
  const struct {
    const char* text;
    int result;
    long double x, y, z;  // also the coordinates kept when the text fails half-way
  } cases[] = {
      {"1234.5678,2345.6789,0.0000", 1, 1234.5678L, 2345.6789L, 0},
      {"-12.5,7,3.25", 1, -12.5L, 7, 3.25L},
      {"1.5,2.5", 1, 1.5L, 2.5L, 0},    // two numbers: z is 0
      {"\"10,20,30\"", 1, 10, 20, 30},  // quotes stripped first
      {"\"10,20\"", 1, 10, 20, 0},
      {"123.0000,456.0000,789.0000", 1, 123, 456, 789},  // exactly the sentinel
      {"", 0, 0, 0, 0},
      {"12.5", 0, 0, 0, 0},  // no comma
      {",1,2", 0, 0, 0, 0},  // nothing before the comma
      {"\"", 0, 0, 0, 0},
      {"a,1,2", 0, 0, 0, 0},
      {"1,,3", 0, 1, 0, 0},  // the comma at once: ",3" is taken as y and fails
      {"1,b,3", 0, 1, 0, 0},
      {"1,2,c", 0, 1, 2, 0},
      {"1,2,3,4", 0, 1, 2, 0},  // "3,4" is no number
      {"1,2,", 0, 1, 2, 0},
  };
  for (const auto& c : cases) {
    TAcadPoint p{9, 9, 9};
    EXPECT_EQ(ParsePoint(c.text, p), c.result) << c.text;
    EXPECT_EQ(p.x, c.x) << c.text;
    EXPECT_EQ(p.y, c.y) << c.text;
    EXPECT_EQ(p.z, c.z) << c.text;
  }
}

TEST(ExportFilePath, ExecutablePathWithDxfExtension) {
  const struct {
    const char* exe;
    const char* dxf;
  } cases[] = {
      {"C:\\Velsarom\\Velsarom.exe", "C:\\Velsarom\\Velsarom.dxf"},
      {"C:\\v1.2\\Velsarom", "C:\\v1.2\\Velsarom.dxf"},  // a dot in a folder is no extension
      {"D:\\測量\\a.b.exe", "D:\\測量\\a.b.dxf"},
  };
  for (const auto& c : cases) {
    platform::MemoryFileSystem files(c.exe);
    platform::Ports ports;
    ports.files = &files;
    platform::ScopedPorts installed(ports);
    EXPECT_EQ(ExportFilePath(), c.dxf) << c.exe;
  }
}

}  // namespace
