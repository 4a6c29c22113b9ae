#include "hostsim/EntityEdit.h"

#include <cmath>

namespace hostsim {

namespace {

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
    t.rotation = std::fmod(t.rotation + degrees + 360.0, 360.0);
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
  } else if (auto* a = std::get_if<Arc>(&s)) {
    pt(a->center);
    a->startAngle = std::fmod(a->startAngle + degrees + 360.0, 360.0);
    a->endAngle = std::fmod(a->endAngle + degrees + 360.0, 360.0);
  } else if (auto* c = std::get_if<Circle>(&s)) {
    pt(c->center);
  } else if (auto* t = std::get_if<Text>(&s)) {
    text(*t);
  } else if (auto* m = std::get_if<MText>(&s)) {
    pt(m->insert);
    m->rotation = std::fmod(m->rotation + degrees + 360.0, 360.0);
  } else if (auto* ins = std::get_if<Insert>(&s)) {
    pt(ins->insert);
    ins->rotation = std::fmod(ins->rotation + degrees + 360.0, 360.0);
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
}

void RotateEntity(Entity& e, Vec base, double radians) {
  double c = std::cos(radians), s = std::sin(radians);
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
