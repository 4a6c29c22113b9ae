// The simulated host in process with a link of the test's own, and what its drawing holds
// afterwards, for the tests of the labelling core and of the workflows built on it.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <variant>
#include <vector>

#include "RuzuRaru2016/hostlink/HostLink.h"
#include "hostsim/inprocess/Host.h"
#include "platform/Utf.h"
#include "platform/standin/StandinWorld.h"

struct LabelHost : ::testing::Test {
  platform::StandinWorld world;
  platform::ScopedPorts ports{world.ports()};
  hostsim::Host host{world};
  THostChannel channel;
  TDxfTables tables;
  HostLink link{channel, tables};

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
  hostsim::Handle AddText(const std::string& value, double x, double y, double height) {
    hostsim::Text t;
    t.insert = t.align = {x, y, 0};
    t.height = height;
    t.halign = 1;  // bottom centre, as the labels stand
    t.value = value;
    return Add(t);
  }

  std::vector<TextSeen> Texts() {
    std::vector<TextSeen> out;
    for (const hostsim::Entity& e : host.drawing().entities) {
      if (const auto* t = std::get_if<hostsim::Text>(&e.shape)) {
        out.push_back({t->value, e.layer, t->align.x, t->align.y, t->rotation, t->height});
      }
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
  // The texts whose value is `value`.
  std::vector<TextSeen> TextsReading(const std::string& value) {
    std::vector<TextSeen> out;
    for (const TextSeen& t : Texts()) {
      if (t.value == value) out.push_back(t);
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
  std::string Variable(const char* name) { return host.core().Variable(name).value_or(""); }
  void Set(const std::string& command) { host.Type(command); }

  // Commands the host received, as UTF-8.
  std::vector<std::string> Sent() {
    std::vector<std::string> out;
    for (const auto& s : world.windows.sent) out.push_back(platform::Utf16ToUtf8(s.text));
    return out;
  }
};

// The direction of a text along a segment, both as degrees in [0, 360).
inline double Degrees360(double degrees) {
  const double d = std::fmod(degrees, 360);
  return d < 0 ? d + 360 : d;
}

// Whether the text at `t` is the length label of segment a–b: standing at its midpoint, running
// along it and reading from left to right (or upwards).
inline ::testing::AssertionResult LabelsSegment(const LabelHost::TextSeen& t, double ax, double ay,
                                                double bx, double by) {
  const double mx = (ax + bx) / 2, my = (ay + by) / 2;
  if (std::abs(t.x - mx) > 1e-6 || std::abs(t.y - my) > 1e-6)
    return ::testing::AssertionFailure()
           << t.value << " stands at " << t.x << "," << t.y << ", not at " << mx << "," << my;
  double along = std::atan2(by - ay, bx - ax) * 180 / std::numbers::pi;
  along = Degrees360(along);
  if (along > 90 + 1e-9 && along <= 270 + 1e-9) along -= 180;  // read from left to right
  const double diff = std::remainder(t.degrees - along, 360.0);
  if (std::abs(diff) > 1e-6)
    return ::testing::AssertionFailure()
           << t.value << " turned " << t.degrees << " degrees, the side reads at " << along;
  return ::testing::AssertionSuccess();
}
