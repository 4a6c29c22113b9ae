// The stand-in world for tests of the host link and of everything built on it: the ports, a
// channel and tables of the test's own and the link on them, and (HostFixture) the simulated
// host in process with its user scripted and time virtual. Tests look at what the host
// received and at the drawing it holds afterwards, which ezdxf can audit.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <numbers>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <variant>
#include <vector>

#include "dxf/DxfTables.h"
#include "hostlink/HostChannel.h"
#include "hostlink/HostLink.h"
#include "hostsim/inprocess/Host.h"
#include "platform/Utf.h"
#include "platform/standin/StandinWorld.h"
#include "shell/TForm1.h"

namespace hosttest {

// The windows of a host process on the in-memory window system, laid out as the host lays
// them out: a main window and a text window whose current-line and history controls sit three
// levels down. Only windows: nothing here answers commands.
struct HostWindows {
  platform::WindowHandle main = 0;
  platform::WindowHandle text = 0;
  platform::WindowHandle currentLine = 0;
  platform::WindowHandle history = 0;
};

inline constexpr const char16_t* kHostMainClass = u"Afx:00400000:8:00010003:00000000:00000000";
inline constexpr const char16_t* kHostTextClass = u"Afx:00400000:b:00010003:00000006:00000000";

inline HostWindows CreateHostWindows(platform::MemoryWindowSystem& ws, std::uint32_t pid = 4242,
                                     const std::u16string& product = u"AutoCAD LT 2016") {
  HostWindows h;
  h.main = ws.CreateTopLevel(product + u" - [Drawing1.dwg]", kHostMainClass, pid);
  h.text = ws.CreateTopLevel(product + u" テキスト ウィンドウ - Drawing1.dwg", kHostTextClass, pid);
  const auto level1 = ws.CreateChild(h.text, u"Afx:00400000:0");
  const auto level2 = ws.CreateChild(level1, u"Afx:00400000:0");
  h.currentLine = ws.CreateChild(level2, u"Edit", u"コマンド: ");
  h.history = ws.CreateChild(level2, u"Edit");
  return h;
}

inline void SetControlText(platform::MemoryWindowSystem& ws, platform::WindowHandle w,
                           const std::string& utf8) {
  ws.SetText(w, platform::Utf8ToUtf16(utf8));
}

// Forwards to the in-memory windows; `rewrite` may replace what a control shows, given the
// last command the host received (a host that shows a value the system cannot read).
class RewritingWindows : public platform::WindowSystem {
 public:
  using Rewrite = std::function<std::optional<std::u16string>(
      platform::WindowHandle, const std::string& lastSent, const std::u16string& shown)>;
  RewritingWindows(platform::MemoryWindowSystem& inner, Rewrite rewrite)
      : inner_(inner), rewrite_(std::move(rewrite)) {}

  std::vector<platform::WindowHandle> TopLevelWindows() override {
    return inner_.TopLevelWindows();
  }
  std::u16string Title(platform::WindowHandle w, int n) override { return inner_.Title(w, n); }
  std::u16string ClassName(platform::WindowHandle w, int n) override {
    return inner_.ClassName(w, n);
  }
  std::uint32_t ProcessId(platform::WindowHandle w) override { return inner_.ProcessId(w); }
  platform::WindowHandle FirstChild(platform::WindowHandle w) override {
    return inner_.FirstChild(w);
  }
  platform::WindowHandle NextSibling(platform::WindowHandle w) override {
    return inner_.NextSibling(w);
  }
  long TextLength(platform::WindowHandle w) override {
    return static_cast<long>(Text(w, 1 << 24).size());
  }
  std::u16string Text(platform::WindowHandle w, long capacity) override {
    std::u16string shown = inner_.Text(w, capacity);
    const std::string last =
        inner_.sent.empty() ? std::string() : platform::Utf16ToUtf8(inner_.sent.back().text);
    if (auto replaced = rewrite_(w, last, shown)) return *replaced;
    return shown;
  }
  void SendCopyData(platform::WindowHandle w, std::uintptr_t d, const void* data,
                    std::uint32_t n) override {
    inner_.SendCopyData(w, d, data, n);
  }
  void PostNull(platform::WindowHandle w) override { inner_.PostNull(w); }
  bool IsWindow(platform::WindowHandle w) override { return inner_.IsWindow(w); }
  bool IsVisible(platform::WindowHandle w) override { return inner_.IsVisible(w); }
  bool IsEnabled(platform::WindowHandle w) override { return inner_.IsEnabled(w); }
  bool SetForeground(platform::WindowHandle w) override { return inner_.SetForeground(w); }

 private:
  platform::MemoryWindowSystem& inner_;
  Rewrite rewrite_;
};

// The system's ports with `rewrite` in front of the host's windows, while this lives.
class ScopedRewrite {
 public:
  ScopedRewrite(platform::StandinWorld& world, RewritingWindows::Rewrite rewrite)
      : windows_(world.windows, std::move(rewrite)), ports_(With(world.ports(), windows_)) {}

 private:
  static platform::Ports With(platform::Ports p, platform::WindowSystem& windows) {
    p.windows = &windows;
    return p;
  }
  RewritingWindows windows_;
  platform::ScopedPorts ports_;
};

// The product's files, one of which cannot be written.
class RefusingFiles : public platform::FileSystem {
 public:
  RefusingFiles(platform::FileSystem& inner, std::string refused)
      : inner_(inner), refused_(std::move(refused)) {}
  std::string ExecutablePath() override { return inner_.ExecutablePath(); }
  bool Exists(const std::string& path) override { return inner_.Exists(path); }
  bool Delete(const std::string& path) override { return inner_.Delete(path); }
  bool InUse(const std::string& path) override { return inner_.InUse(path); }
  std::optional<std::string> ReadAll(const std::string& path) override {
    return inner_.ReadAll(path);
  }
  bool WriteAll(const std::string& path, std::string_view bytes) override {
    return path != refused_ && inner_.WriteAll(path, bytes);
  }

 private:
  platform::FileSystem& inner_;
  std::string refused_;
};

struct Label {
  std::string text;
  double x, y, degrees;
  bool operator<(const Label& o) const {
    return std::tie(text, x, y, degrees) < std::tie(o.text, o.x, o.y, o.degrees);
  }
};

// Rounded to a millionth, so that sorting does not depend on the last bits.
inline double Round6(double v) { return std::round(v * 1e6) / 1e6; }
// The direction in [0, 360), rounded likewise.
inline double Degrees360(double d) {
  d = std::fmod(d, 360);
  if (d < 0) d += 360;
  d = Round6(d);
  return d == 360 ? 0 : d;
}

// Length labels as (text, bottom centre, rotation in [0, 360)), sorted; each must stand
// bottom-centred on its point.
inline std::vector<Label> LabelsOf(const std::vector<const hostsim::Text*>& texts) {
  std::vector<Label> out;
  for (const hostsim::Text* t : texts) {
    EXPECT_EQ(t->halign, 1);
    EXPECT_EQ(t->valign, 1);
    out.push_back({t->value, Round6(t->align.x), Round6(t->align.y), Degrees360(t->rotation)});
  }
  std::sort(out.begin(), out.end());
  return out;
}

inline void ExpectLabels(const std::vector<Label>& got, std::vector<Label> expected) {
  std::sort(expected.begin(), expected.end());
  ASSERT_EQ(got.size(), expected.size());
  for (std::size_t i = 0; i < got.size(); ++i) {
    EXPECT_EQ(got[i].text, expected[i].text) << i;
    EXPECT_NEAR(got[i].x, expected[i].x, 2e-6) << got[i].text;
    EXPECT_NEAR(got[i].y, expected[i].y, 2e-6) << got[i].text;
    EXPECT_NEAR(got[i].degrees, expected[i].degrees, 2e-6) << got[i].text;
  }
}

// The stand-in world with its ports installed, and no host: a test lays out the windows it
// needs (CreateHostWindows) or lets the simulated host do it (HostFixture).
struct WindowsFixture : ::testing::Test {
  platform::StandinWorld world;
  platform::ScopedPorts ports{world.ports()};
  THostChannel channel;
  HostLink link;

  WindowsFixture() : link{channel} {}
  ~WindowsFixture() override {
    if (processWide_) link.channel = {};
  }

  // Commands the host received, as UTF-8.
  std::vector<std::string> Sent() const {
    std::vector<std::string> out;
    for (const auto& s : world.windows.sent) out.push_back(platform::Utf16ToUtf8(s.text));
    return out;
  }
  int CountSent(const std::string& prefix) const {
    int n = 0;
    for (const auto& s : Sent()) n += s.rfind(prefix, 0) == 0 ? 1 : 0;
    return n;
  }
  std::vector<std::string> Messages() const {
    std::vector<std::string> out;
    for (const auto& [text, title] : world.messages.shown) {
      EXPECT_EQ(title, "Velsarom");
      out.push_back(text);
    }
    return out;
  }

 protected:
  // For tests of the window: its members reach the process-wide channel (ProcessHostLink()),
  // so the link is that one, empty for each test and left empty after.
  explicit WindowsFixture(HostLink processWide) : link(processWide), processWide_(true) {
    link.channel = {};
  }

 private:
  bool processWide_ = false;
};

// The simulated host in process on the stand-in world.
struct HostFixture : WindowsFixture {
  hostsim::Host host;

  explicit HostFixture(hostsim::HostOptions options = {}) : host(world, options) {}

  // -- The drawing before the run --
  hostsim::Handle Add(hostsim::Shape shape, const std::string& layer = "0") {
    hostsim::Entity e;
    e.handle = host.drawing().NewHandle();
    e.layer = layer;
    e.shape = std::move(shape);
    host.drawing().entities.push_back(std::move(e));
    return host.drawing().entities.back().handle;
  }
  hostsim::Handle AddLine(double x1, double y1, double x2, double y2,
                          const std::string& layer = "0") {
    return Add(hostsim::Line{{x1, y1, 0}, {x2, y2, 0}}, layer);
  }
  hostsim::Handle AddPolyline(std::initializer_list<std::pair<double, double>> points,
                              bool closed) {
    hostsim::LwPolyline p;
    for (auto [x, y] : points) p.vertices.push_back({x, y});
    p.closed = closed;
    return Add(p);
  }
  // A closed polyline; bulges[i] belongs to the side that starts at corner i.
  hostsim::Handle AddPolygon(const std::vector<std::pair<double, double>>& corners,
                             const std::vector<double>& bulges = {}) {
    hostsim::LwPolyline pl;
    for (std::size_t i = 0; i < corners.size(); ++i) {
      pl.vertices.push_back(
          {corners[i].first, corners[i].second, i < bulges.size() ? bulges[i] : 0.0});
    }
    pl.closed = true;
    return Add(pl);
  }
  // Each side of the outline as a line of its own.
  void AddOutline(const std::vector<std::pair<double, double>>& corners) {
    for (std::size_t i = 0; i < corners.size(); ++i) {
      const auto& a = corners[i];
      const auto& b = corners[(i + 1) % corners.size()];
      AddLine(a.first, a.second, b.first, b.second);
    }
  }

  hostsim::Handle AddText(const std::string& value, double x, double y, double height) {
    hostsim::Text t;
    t.insert = t.align = {x, y, 0};
    t.height = height;
    t.halign = 1;  // bottom centre, as the labels stand
    t.value = value;
    return Add(t);
  }
  // Types into the host as its user would.
  void Set(const std::string& command) { host.Type(command); }

  // -- The host's state --
  std::string Variable(const char* name) { return host.core().Variable(name).value_or(""); }

  // While the returned object lives, the host's command line answers `query` with `shown`: a
  // value the system cannot read.
  ScopedRewrite Unreadable(std::string query, std::u16string shown) {
    return ScopedRewrite(world, [this, query, shown](platform::WindowHandle w,
                                                     const std::string& last,
                                                     const std::u16string&) {
      return w == host.currentLineControl() && last == query ? std::optional(shown) : std::nullopt;
    });
  }

  // -- The drawing afterwards --
  template <class T>
  std::vector<std::pair<const hostsim::Entity*, const T*>> All(const std::string& layer) {
    std::vector<std::pair<const hostsim::Entity*, const T*>> out;
    for (const auto& e : host.drawing().entities) {
      if (const T* s = std::get_if<T>(&e.shape); s && hostsim::SameName(e.layer, layer))
        out.emplace_back(&e, s);
    }
    return out;
  }
  // Whether a line on the layer joins a and b, drawn either way round.
  bool HasLine(const std::string& layer, double ax, double ay, double bx, double by) {
    auto near = [](const hostsim::Point& p, double x, double y) {
      return std::abs(p.x - x) < 1e-6 && std::abs(p.y - y) < 1e-6;
    };
    for (const auto& [e, l] : All<hostsim::Line>(layer)) {
      if ((near(l->start, ax, ay) && near(l->end, bx, by)) ||
          (near(l->start, bx, by) && near(l->end, ax, ay)))
        return true;
    }
    return false;
  }
  std::string Layer() { return host.drawing().header.clayer; }
  struct TextSeen {
    std::string value;
    std::string layer;
    double x, y;     // alignment point
    double degrees;  // rotation, counter-clockwise from +x
    double height;
  };
  struct LineSeen {
    std::string layer;
    hostsim::Point a, b;
  };
  struct CircleSeen {
    std::string layer;
    double x, y, radius;
  };
  // Every text, on any layer.
  std::vector<TextSeen> Texts() {
    std::vector<TextSeen> out;
    for (const hostsim::Entity& e : host.drawing().entities) {
      if (const auto* t = std::get_if<hostsim::Text>(&e.shape)) {
        out.push_back({t->value, e.layer, t->align.x, t->align.y, t->rotation, t->height});
      }
    }
    return out;
  }
  // The texts whose value is `value`.
  std::vector<TextSeen> TextsReading(const std::string& value) {
    std::vector<TextSeen> out;
    for (const TextSeen& t : Texts()) {
      if (t.value == value) out.push_back(t);
    }
    return out;
  }
  std::vector<LineSeen> Lines(const std::string& layer) {
    std::vector<LineSeen> out;
    for (const hostsim::Entity& e : host.drawing().entities) {
      const auto* l = std::get_if<hostsim::Line>(&e.shape);
      if (l && e.layer == layer) out.push_back({e.layer, l->start, l->end});
    }
    return out;
  }
  std::vector<CircleSeen> Circles() {
    std::vector<CircleSeen> out;
    for (const hostsim::Entity& e : host.drawing().entities) {
      if (const auto* c = std::get_if<hostsim::Circle>(&e.shape)) {
        out.push_back({e.layer, c->center.x, c->center.y, c->radius});
      }
    }
    return out;
  }
  // The VELSAROM application data of the number text `number`: the three stored lengths.
  std::vector<double> MarkLengths(const std::string& number) {
    for (const hostsim::Entity& e : host.drawing().entities) {
      const auto* t = std::get_if<hostsim::Text>(&e.shape);
      if (!t || t->value != number) continue;
      for (const hostsim::XData& x : e.xdata) {
        if (x.app == "VELSAROM" && !x.items.empty()) {
          const hostsim::Point& p = x.items[0].point;
          return {p.x, p.y, p.z};
        }
      }
    }
    return {};
  }
  // Texts that carry no application data: the length labels.
  std::vector<const hostsim::Text*> Labels(const std::string& layer = "H_TEXT") {
    std::vector<const hostsim::Text*> out;
    for (const auto& [e, t] : All<hostsim::Text>(layer)) {
      if (e->xdata.empty()) out.push_back(t);
    }
    return out;
  }
  struct Mark {
    int number = 0;
    hostsim::Point centre;  // of the text; the circle is checked to share it
    double sides[3] = {0, 0, 0};
  };
  // Number marks: a text with the application's data, its circle at the same centre.
  std::vector<Mark> Marks(const std::string& layer = "H_TEXT") {
    std::vector<Mark> out;
    const auto circles = All<hostsim::Circle>(layer);
    for (const auto& [e, t] : All<hostsim::Text>(layer)) {
      // Segment marks carry data of an application of their own.
      if (e->xdata.empty() || e->xdata[0].app == "VELSAROM_SEGMENT") continue;
      Mark m;
      m.number = std::atoi(t->value.c_str());
      m.centre = t->align;
      EXPECT_EQ(e->xdata.size(), 2u);
      EXPECT_EQ(e->xdata[0].app, "VELSAROM");
      const auto& items = e->xdata[0].items;
      EXPECT_EQ(items.size(), 1u);
      if (!items.empty()) {
        m.sides[0] = items[0].point.x;
        m.sides[1] = items[0].point.y;
        m.sides[2] = items[0].point.z;
      }
      // Then where its triangle stands: three corners, p1 p2 p3, whose distances are the sides.
      if (e->xdata.size() == 2) {
        EXPECT_EQ(e->xdata[1].app, "VELSAROM_CORNERS");
        const auto& corners = e->xdata[1].items;
        EXPECT_EQ(corners.size(), 3u);
        for (std::size_t i = 0; i < corners.size() && corners.size() == 3; ++i) {
          const hostsim::Point& a = corners[i].point;
          const hostsim::Point& b = corners[(i + 1) % 3].point;
          EXPECT_NEAR(std::hypot(b.x - a.x, b.y - a.y), m.sides[i], 1e-6 * (1 + m.sides[i]))
              << "mark " << t->value << " side " << i + 1;
        }
      }
      bool circle = false;
      for (const auto& [ce, c] : circles) {
        circle = circle || (std::abs(c->center.x - m.centre.x) < 1e-9 &&
                            std::abs(c->center.y - m.centre.y) < 1e-9);
      }
      EXPECT_TRUE(circle) << "no circle around mark " << m.number;
      out.push_back(m);
    }
    return out;
  }
  // Every entity of the drawing in order, as text: kind, layer, geometry to a nanometre,
  // text, application data. Handles are left out.
  std::string DescribeEntities() {
    std::string out;
    auto num = [](double v) {
      char b[64];
      std::snprintf(b, sizeof b, " %.6f", v);
      return std::string(b);
    };
    auto pt = [&](const hostsim::Point& p) { return num(p.x) + num(p.y) + num(p.z); };
    for (const auto& e : host.drawing().entities) {
      out += e.layer + ":";
      if (const auto* l = std::get_if<hostsim::Line>(&e.shape)) {
        out += " LINE" + pt(l->start) + pt(l->end);
      } else if (const auto* t = std::get_if<hostsim::Text>(&e.shape)) {
        out += " TEXT " + t->value + pt(t->align) + num(t->height) + num(t->rotation) +
               num(t->halign) + num(t->valign);
      } else if (const auto* c = std::get_if<hostsim::Circle>(&e.shape)) {
        out += " CIRCLE" + pt(c->center) + num(c->radius);
      } else if (const auto* p = std::get_if<hostsim::LwPolyline>(&e.shape)) {
        out += " LWPOLYLINE";
        for (const auto& v : p->vertices) out += num(v.x) + num(v.y) + num(v.bulge);
      } else {
        out += " OTHER";
      }
      for (const auto& x : e.xdata) {
        out += " " + x.app;
        for (const auto& i : x.items) out += pt(i.point);
      }
      out += "\n";
    }
    return out;
  }
  std::size_t EntityCount() { return host.drawing().entities.size(); }

  // The drawing as the host saves it, audited by ezdxf.
  void ExpectAuditedDrawing() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    // Beside the test program (ctest runs it in its build folder), one file per test.
    const std::filesystem::path dir = std::filesystem::current_path() / "drawings";
    std::filesystem::create_directories(dir);
    std::string name = std::string(info->test_suite_name()) + "." + info->name() + ".dxf";
    std::replace(name.begin(), name.end(), '/', '.');  // parameterised tests
    const std::filesystem::path file = dir / name;
    {
      std::ofstream out(file, std::ios::binary);
      out << host.SaveDrawing();
    }
    const char* source = std::getenv("VELSAROM_SOURCE_DIR");
    ASSERT_NE(source, nullptr);
    const std::string command = std::string("/usr/bin/python3 ") + source +
                                "/tests/workflows/audit_drawing.py '" + file.string() + "'";
    EXPECT_EQ(std::system(command.c_str()), 0) << file;
  }

 protected:
  explicit HostFixture(HostLink processWide, hostsim::HostOptions options = {})
      : WindowsFixture(processWide), host(world, options) {}
};

// Whether the text at `t` is the length label of segment a–b: standing at its midpoint, running
// along it and reading from left to right (or upwards).
inline ::testing::AssertionResult LabelsSegment(const HostFixture::TextSeen& t, double ax,
                                                double ay, double bx, double by) {
  const double mx = (ax + bx) / 2, my = (ay + by) / 2;
  if (std::abs(t.x - mx) > 1e-6 || std::abs(t.y - my) > 1e-6)
    return ::testing::AssertionFailure()
           << t.value << " stands at " << t.x << "," << t.y << ", not at " << mx << "," << my;
  double along = Degrees360(std::atan2(by - ay, bx - ax) * 180 / std::numbers::pi);
  if (along > 90 + 1e-9 && along <= 270 + 1e-9) along -= 180;  // read from left to right
  const double diff = std::remainder(t.degrees - along, 360.0);
  if (std::abs(diff) > 1e-6)
    return ::testing::AssertionFailure()
           << t.value << " turned " << t.degrees << " degrees, the side reads at " << along;
  return ::testing::AssertionSuccess();
}

// A workflow run in process: the window (unbound controls) on the simulated host, the user
// looking at the whole parcel.
struct WorkflowFixture : HostFixture {
  TForm1 form;

  explicit WorkflowFixture(hostsim::HostOptions options = {})
      : HostFixture(ProcessHostLink(), options) {
    form.FormCreate();
    // A view 30 m high around the middle of the tests' figures (drawing units are
    // millimetres).
    host.drawing().header.viewHeight = 30000;
    host.drawing().header.viewCenter = {10000, 10000, 0};
  }
};

}  // namespace hosttest
