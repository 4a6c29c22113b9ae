#include "tools/MoveNumberMark.h"

#include <optional>
#include <string>

#include "geometry/PlaneGeometry.h"
#include "hostlink/HostChannel.h"
#include "hostlink/HostSelection.h"
#include "hostlink/HostSettings.h"
#include "hostlink/HostVocabulary.h"
#include "hostlink/TemporaryHostSetting.h"
#include "hostlink/UserCoordinates.h"
#include "hostlink/UserMessages.h"
#include "numbers/NumberFormat.h"

namespace {

constexpr int kMovePollMs = 100;
constexpr int kMoveWaitSeconds = 6000;

std::string CancelledOsmodeRestore(std::string_view saved) {
  return vocab::kCancel + vocab::EnglishOsmodeRestore(saved);
}

// The leader's arrow size and block, read before the mark moves: a value the host does not show
// could not be given back once changed, and a mark moved without its leader would be half-done,
// so the run stops there while the drawing is untouched.
class LeaderArrow {
 public:
  explicit LeaderArrow(const HostLink& link)
      : size_(link, vocab::kDimAsz, vocab::DimAsz),
        block_(link, vocab::kDimLdrBlk, vocab::DimLdrBlkRestore, vocab::DimLdrBlkRestorable) {
    RequireReadable(size_, vocab::kDimAsz);
    RequireReadable(block_, vocab::kDimLdrBlk);
  }

  void Draw(const HostLink& link, const TAcadPoint& from, const TAcadPoint& to, double dimasz) {
    size_.Change(vocab::DimAsz(FormatReal(dimasz)));
    block_.Change(vocab::kDimLdrBlkDefault);
    SendCommand(link, vocab::Leader(from, to));
    size_.Restore();
    block_.Restore();
  }

 private:
  TemporaryHostSetting size_;
  TemporaryHostSetting block_;
};

void DrawPlainLine(const HostLink& link, const TAcadPoint& from, const TAcadPoint& to) {
  TemporaryHostSetting osmode(link, vocab::kOsmode, CancelledOsmodeRestore,
                              TemporaryHostSetting::Integer);
  osmode.Change(std::string(vocab::kCancel) + vocab::kEnglishOsmodeOff);
  SendCommand(link, vocab::Line(from, to, 4));
  osmode.Restore();
}

}  // namespace

HostResult MovePrevious(const HostLink& link, const TAcadPoint& base, TAcadPoint& destination) {
  if (!ActivateHost(link)) return HostResult::Failed;
  SendCommand(link, vocab::MoveFrom(base));
  const HostResult r = WaitForPrompt(link, vocab::kMoveMarker, kMovePollMs, kMoveWaitSeconds);
  if (r != HostResult::Done) return r;
  TAcadPoint picked = destination;
  if (!ReadWorldLastPoint(link, picked)) return HostResult::Failed;
  destination = picked;
  return r;
}

TAcadPoint FacingPoint(const TAcadPoint& oldCentre, const TAcadPoint& newCentre, double radius) {
  return PolarPoint(newCentre, static_cast<double>(Angle2D(newCentre, oldCentre)), radius);
}

void MoveNumberMark(const HostLink& link, const TEntityTables& entities,
                    const MoveMarkSettings& settings) {
  if (entities.circles.empty() || entities.texts.empty()) return;
  double dimscale = ReadHostNumber(link, vocab::kDimScale);
  if (dimscale == 0) dimscale = 1;
  // Worked out before the mark moves, so that nothing can fail between the move and its
  // connection.
  const double dimasz = settings.arrowSize / dimscale;
  std::optional<LeaderArrow> arrow;
  if (settings.arrow) arrow.emplace(link);

  const TAcadPoint centre = entities.circles.front().center;
  const double radius = entities.circles.front().hankei;
  TAcadPoint moved;
  if (MovePrevious(link, centre, moved) != HostResult::Done) return;
  const TAcadPoint facing = FacingPoint(centre, moved, radius);
  if (arrow) {
    arrow->Draw(link, centre, facing, dimasz);
  } else {
    DrawPlainLine(link, centre, facing);
  }
}

void SelectAndMoveNumberMark(const HostLink& link, const MoveMarkSettings& settings) {
  if (!ActivateHost(link)) return;
  const Selection selected = SelectObjects(link);
  if (selected.count <= 0) return;
  const TEntityTables& entities = selected.tables.entities;
  if (entities.circles.size() != 1 || entities.texts.size() != 1) {
    TellUser(link, kNotCircleAndText);
    return;
  }
  MoveNumberMark(link, entities, settings);
}
