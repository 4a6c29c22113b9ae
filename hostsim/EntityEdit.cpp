#include "hostsim/EntityEdit.h"

#include <cmath>

namespace hostsim {

namespace {

// An angle (degrees) turned by more degrees, kept in [0, 360); untouched when nothing turns, so
// that moving an object leaves its angles exactly as they were.
double Turn(double angle, double degrees) {
  if (degrees == 0) return angle;
  double a = std::fmod(angle + degrees, 360.0);
  if (a < 0) a += 360;
  return a >= 360 ? 0 : a;
}

// Application data that travels with its object: 1011 is a position, 1012 a displacement,
// 1013 a direction, 1041 a distance and 1042 a scale factor. Plain points (1010) and other
// values stay as written.
template <typename F>
void ForXData(Entity& e, F f) {
  for (XData& x : e.xdata) {
    for (XDataItem& it : x.items) f(it);
  }
}

// Applies a point mapping and an added rotation (degrees) to every placed part.
template <typename F>
void Apply(Entity& e, F map, double degrees) {
  auto pt = [&](Point& p) {
    Vec v = map(Vec{p.x, p.y});
    p.x = v.x;
    p.y = v.y;
  };
  auto text = [&](Text& t) {
    pt(t.insert);
    pt(t.align);
    t.rotation = Turn(t.rotation, degrees);
  };
  Shape& s = e.shape;
  if (auto* l = std::get_if<Line>(&s)) {
    pt(l->start);
    pt(l->end);
  } else if (auto* pl = std::get_if<LwPolyline>(&s)) {
    for (PolyVertex& v : pl->vertices) {
      Vec m = map(Vec{v.x, v.y});
      v.x = m.x;
      v.y = m.y;
    }
  } else if (auto* r = std::get_if<Region>(&s)) {
    for (PolyVertex& v : r->loop) {
      Vec m = map(Vec{v.x, v.y});
      v.x = m.x;
      v.y = m.y;
    }
  } else if (auto* a = std::get_if<Arc>(&s)) {
    pt(a->center);
    a->startAngle = Turn(a->startAngle, degrees);
    a->endAngle = Turn(a->endAngle, degrees);
  } else if (auto* c = std::get_if<Circle>(&s)) {
    pt(c->center);
  } else if (auto* t = std::get_if<Text>(&s)) {
    text(*t);
  } else if (auto* m = std::get_if<MText>(&s)) {
    pt(m->insert);
    m->rotation = Turn(m->rotation, degrees);
  } else if (auto* ins = std::get_if<Insert>(&s)) {
    pt(ins->insert);
    ins->rotation = Turn(ins->rotation, degrees);
    for (Attrib& at : ins->attribs) text(at);
  } else if (auto* ld = std::get_if<Leader>(&s)) {
    for (Point& p : ld->vertices) pt(p);
  } else if (auto* p = std::get_if<PointEntity>(&s)) {
    pt(p->location);
  } else if (auto* el = std::get_if<Ellipse>(&s)) {
    Vec c0 = map(Vec{0, 0});
    Vec a = map(Vec{el->majorAxis.x, el->majorAxis.y});
    pt(el->center);
    el->majorAxis.x = a.x - c0.x;
    el->majorAxis.y = a.y - c0.y;
  }
}

}  // namespace

void MoveEntity(Entity& e, const Point& d) {
  Apply(
      e,
      [&](Vec v) {
        return Vec{v.x + d.x, v.y + d.y};
      },
      0);
  if (auto* l = std::get_if<Line>(&e.shape)) {
    l->start.z += d.z;
    l->end.z += d.z;
  }
  ForXData(e, [&](XDataItem& it) {
    if (it.code == 1011) it.point = {it.point.x + d.x, it.point.y + d.y, it.point.z + d.z};
  });
}

void RotateEntity(Entity& e, Vec base, double radians) {
  if (radians == 0) return;
  double c = std::cos(radians), s = std::sin(radians);
  ForXData(e, [&](XDataItem& it) {
    if (it.code < 1011 || it.code > 1013) return;
    Vec o = it.code == 1011 ? base : Vec{0, 0};  // displacements and directions only turn
    double x = it.point.x - o.x, y = it.point.y - o.y;
    it.point.x = o.x + x * c - y * s;
    it.point.y = o.y + x * s + y * c;
  });
  Apply(
      e,
      [&](Vec v) {
        double x = v.x - base.x, y = v.y - base.y;
        return Vec{base.x + x * c - y * s, base.y + x * s + y * c};
      },
      radians * 180 / kPi);
}

void ScaleEntity(Entity& e, Vec base, double f) {
  if (f == 1) return;
  ForXData(e, [&](XDataItem& it) {
    if (it.code == 1011) {
      it.point = {base.x + (it.point.x - base.x) * f, base.y + (it.point.y - base.y) * f,
                  it.point.z * f};
    }
    if (it.code == 1012) it.point = {it.point.x * f, it.point.y * f, it.point.z * f};
    if (it.code == 1041 || it.code == 1042) it.real *= f;
  });
  Apply(
      e,
      [&](Vec v) {
        return Vec{base.x + (v.x - base.x) * f, base.y + (v.y - base.y) * f};
      },
      0);
  Shape& s = e.shape;
  if (auto* a = std::get_if<Arc>(&s)) a->radius *= f;
  if (auto* c = std::get_if<Circle>(&s)) c->radius *= f;
  if (auto* pl = std::get_if<LwPolyline>(&s)) {
    pl->constantWidth *= f;
    for (PolyVertex& v : pl->vertices) {
      v.startWidth *= f;
      v.endWidth *= f;
    }
  }
  if (auto* t = std::get_if<Text>(&s)) t->height *= f;
  if (auto* m = std::get_if<MText>(&s)) {
    m->height *= f;
    m->width *= f;
  }
  if (auto* ins = std::get_if<Insert>(&s)) {
    ins->scale = {ins->scale.x * f, ins->scale.y * f, ins->scale.z * f};
    for (Attrib& at : ins->attribs) at.height *= f;
  }
  if (auto* ld = std::get_if<Leader>(&s)) ld->arrowSize *= f;
}

}  // namespace hostsim
