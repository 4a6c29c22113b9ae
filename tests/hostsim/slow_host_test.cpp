// A slow host: commands that take time before their prompt comes back, keys typed meanwhile
// that wait for it, and exports whose file appears empty and grows. Also file names typed as
// the host reads typed input, where a blank ends a name that is not in double quotes.
#include <gmock/gmock.h>

#include "HostFixture.h"
#include "hostsim/DxfRead.h"

namespace hostsim {
namespace {

using ::testing::HasSubstr;

const std::string kIdle = "コマンド: ";
const std::string kExport = "C:\\Velsarom\\Velsarom.dxf";

HostOptions Slow(unsigned commandDelayMs, unsigned exportWriteMs) {
  HostOptions o;
  o.commandDelayMs = commandDelayMs;
  o.exportWriteMs = exportWriteMs;
  return o;
}

// The fixture's host, replaced by one with the given options.
class SlowHost : public HostFixture {
 protected:
  void Start(HostOptions options) {
    host.Close();
    world.windows.sent.clear();
    slow_.emplace(world, options);
  }
  Host& slow() { return *slow_; }
  void Send(std::string_view utf8) {
    std::u16string u = platform::Utf8ToUtf16(utf8);
    world.windows.SendCopyData(slow().mainWindow(), 1, u.c_str(),
                               static_cast<std::uint32_t>((u.size() + 1) * 2));
  }
  void AddLine(double x1, double y1, double x2, double y2) {
    Entity e;
    e.handle = slow().drawing().NewHandle();
    e.shape = Line{{x1, y1, 0}, {x2, y2, 0}};
    slow().drawing().entities.push_back(e);
  }
  std::string Peek(const std::string& path) {
    auto it = world.files.files().find(path);
    return it == world.files.files().end() ? std::string("<none>") : it->second;
  }

 private:
  std::optional<Host> slow_;
};

TEST_F(SlowHost, ACommandsPromptComesBackAfterTheDelayAndTypedKeysWaitForIt) {
  Start(Slow(250, 0));
  AddLine(0, 0, 10, 0);
  Send("\x03SELECT ALL \r");
  // The work is done (its report is there), the prompt is not back yet.
  EXPECT_THAT(slow().history(), HasSubstr("認識された数: 1"));
  EXPECT_NE(slow().currentLine(), kIdle);
  EXPECT_FALSE(slow().currentLine().empty());
  Send("OSMODE 0 ");
  Wait(249);
  EXPECT_EQ(slow().core().Variable("OSMODE"), "4133");
  EXPECT_NE(slow().currentLine(), kIdle);
  Wait(1);
  // Setting a variable takes no time: the prompt is back at once.
  EXPECT_EQ(slow().core().Variable("OSMODE"), "0");
  EXPECT_EQ(slow().currentLine(), kIdle);

  // A value prompt comes at once and leaving it costs nothing.
  Send("'SETVAR OSMODE\r");
  EXPECT_THAT(slow().currentLine(), HasSubstr("<0>"));
  Send("\x03");
  EXPECT_EQ(slow().currentLine(), kIdle);

  // A cancelled command takes its time too.
  Send("_iD\r\x03");
  EXPECT_NE(slow().currentLine(), kIdle);
  Wait(250);
  EXPECT_EQ(slow().currentLine(), kIdle);
}

TEST_F(SlowHost, KeysTypedAheadRunInOrderEachAtItsOwnMomentHoweverCoarseTheClock) {
  Start(Slow(250, 0));
  Send("_LINE 0,0 10,0\r\r_LINE 0,10 10,10\r\r_LINE 0,20 10,20\r\r");
  EXPECT_EQ(slow().drawing().entities.size(), 1u);
  Wait(600);  // one jump over the second and the third command
  ASSERT_EQ(slow().drawing().entities.size(), 3u);
  EXPECT_EQ(std::get<Line>(slow().drawing().entities[2].shape).start.y, 20);
  EXPECT_NE(slow().currentLine(), kIdle);  // the third ends at 750
  EXPECT_TRUE(slow().core().Working());
  Wait(150);
  EXPECT_EQ(slow().currentLine(), kIdle);
  EXPECT_FALSE(slow().core().Working());
  EXPECT_TRUE(slow().core().Idle());
}

TEST_F(SlowHost, AnExportAppearsEmptyGrowsAndIsFreedOnlyWhenComplete) {
  Start(Slow(0, 400));
  for (int k = 0; k < 40; ++k) AddLine(0, k, 100, k);
  Send("\x03SELECT ALL \r");
  Send("FILEDIA 0 ");
  Send("DXFOUT " + kExport + "\rO P \rV 2000 16\r");
  Send("FILEDIA 1 ");
  ASSERT_TRUE(world.files.Exists(kExport));
  EXPECT_TRUE(world.files.InUse(kExport));
  EXPECT_EQ(Peek(kExport), "");
  EXPECT_NE(slow().currentLine(), kIdle);  // DXFOUT's prompt waits for the file
  EXPECT_EQ(slow().core().Variable("FILEDIA"), "0");

  std::vector<std::string> seen;
  for (int t = 0; t < 4; ++t) {
    Wait(100);
    seen.push_back(Peek(kExport));
  }
  // Complete at 400 ms: the prompt comes back, the typed FILEDIA 1 runs, the file stays held.
  EXPECT_EQ(slow().currentLine(), kIdle);
  EXPECT_EQ(slow().core().Variable("FILEDIA"), "1");
  EXPECT_TRUE(world.files.InUse(kExport));
  Wait(50);
  EXPECT_FALSE(world.files.InUse(kExport));
  const std::string whole = *world.files.ReadAll(kExport);
  ASSERT_EQ(seen.back(), whole);
  for (std::size_t k = 0; k + 1 < seen.size(); ++k) {
    EXPECT_LT(seen[k].size(), seen[k + 1].size()) << k;
    EXPECT_EQ(whole.compare(0, seen[k].size(), seen[k]), 0) << "piece " << k << " not a prefix";
  }
  DxfReadResult r = ReadDxf(whole, world.codePage);
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.drawing.entities.size(), 40u);
  // A part of it is no drawing: it ends before its EOF marker.
  EXPECT_FALSE(ReadDxf(seen[1], world.codePage).ok);
}

TEST_F(SlowHost, DelaysAndWritingAddUp) {
  Start(Slow(250, 400));
  AddLine(0, 0, 10, 0);
  Send("\x03SELECT ALL \r");
  Send("FILEDIA 0 DXFOUT " + kExport + "\rO P \rV 2000 16\rFILEDIA 1 ");
  EXPECT_FALSE(world.files.Exists(kExport));  // SELECT still takes its time
  Wait(250);
  EXPECT_TRUE(world.files.Exists(kExport));
  EXPECT_EQ(Peek(kExport), "");
  Wait(399);
  EXPECT_NE(slow().currentLine(), kIdle);
  Wait(1);
  EXPECT_EQ(slow().currentLine(), kIdle);
  slow().Settle();
  EXPECT_FALSE(world.files.InUse(kExport));
  EXPECT_TRUE(ReadDxf(*world.files.ReadAll(kExport), world.codePage).ok);
}

// -- File names with blanks --

const std::string kBlankFolder = "C:\\Users\\測量 太郎\\Velsarom\\";

class FileNames : public HostFixture {};

TEST_F(FileNames, ABlankEndsATypedFileNameUnlessTheNameIsInDoubleQuotes) {
  AddLine(0, 0, 10, 0);
  const std::string path = kBlankFolder + "Velsarom.dxf";
  Send("\x03SELECT ALL \r");
  Send("FILEDIA 0 ");
  Send("DXFOUT \"" + path + "\"\rO P \rV 2000 16\r");
  Send("FILEDIA 1 ");
  EXPECT_EQ(CurrentLine(), kIdle);
  Wait(100);
  ASSERT_TRUE(world.files.Exists(path));
  EXPECT_EQ(ReadDxf(*world.files.ReadAll(path), world.codePage).drawing.entities.size(), 1u);

  // Quoted, the file goes in exploded; the name may start with the asterisk inside the quotes.
  Send("_-INSERT \"*" + path + "\"\r0.0,0.0 1.0 0.0\r");
  EXPECT_EQ(CurrentLine(), kIdle);
  EXPECT_EQ(Count(), 2u);

  // Unquoted, the name ends at the blank and the rest is typed into the following prompts: the
  // export lands in a file of another name.
  world.files.Delete(path);
  Send("FILEDIA 0 ");
  Send("DXFOUT " + path + "\rO P \rV 2000 16\r");
  Send("\x03FILEDIA 1 ");
  Wait(100);
  EXPECT_FALSE(world.files.Exists(path));
  EXPECT_TRUE(world.files.Exists("C:\\Users\\測量.dxf"));
  EXPECT_THAT(History(), HasSubstr("ファイル名を入力 <C:\\Users\\user\\Documents\\Drawing1.dxf>: "
                                   "C:\\Users\\測量\r\n"));

  // The same for the file of -INSERT, with the asterisk before the quotes too.
  world.files.WriteAll(path, *world.files.ReadAll("C:\\Users\\測量.dxf"));
  world.files.Delete("C:\\Users\\測量.dxf");  // else the cut name would find this one
  for (const std::string& typed : {"*" + path, "*\"" + path + "\""}) {
    Send("\x03_-INSERT " + typed + "\r0.0,0.0 1.0 0.0\r");
    EXPECT_EQ(Count(), 2u) << typed;
    EXPECT_THAT(After("_-INSERT"), HasSubstr("C:\\Users\\測量\" が見つかりません。")) << typed;
  }
}

}  // namespace
}  // namespace hostsim
