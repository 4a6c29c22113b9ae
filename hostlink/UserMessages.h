// What the triangle workflows tell the user, in a message box owned by the main window, after
// which the host comes to the front again.
#pragma once

#include <string>

#include "hostlink/HostLink.h"
#include "hostlink/TemporaryHostSetting.h"

inline constexpr const char* kNoBoundary = "境界が作成できない";
inline constexpr const char* kSeveralBoundaries = "境界の数が１より多い";
// The host made a region, not a polyline, of the boundary (its HPBOUND held at 0, or not
// readable): a region has no corners to read.
inline constexpr const char* kBoundaryIsRegion =
    "境界がポリラインでなくリージョンで作成された (HPBOUND)";
inline constexpr const char* kDivisionFailed = "分割に失敗した";
inline constexpr const char* kNoSegments = "線分またはポリラインではない.";
inline constexpr const char* kNoTriangle = "三角が作成できない";

// Settings fields that go to the host as they stand, refused before the host is asked: a layer
// field (named by its label) holding a character that no layer name may hold, and an angle the
// host would not read. Each shows the field's text.
std::string LayerFieldMessage(const std::string& label, char character, const std::string& text);
std::string AngleFieldMessage(const std::string& text);

// A host variable that a run must change and give back, but whose value the host did not show:
// changed, it could not be given back, so the run stops before it changes anything, with a
// message naming the variable (EConvertError, told once by the click dispatcher).
std::string UnreadableHostValueMessage(const std::string& name);
void RequireReadable(const TemporaryHostSetting& setting, const std::string& name);

void TellUser(const HostLink& link, const std::string& message);

// A click that works with the host stops before anything is typed when no window can take the
// commands: none of the host's (the message names the titles and the class looked for), or only
// a DWG TrueView, which cannot draw or insert (EConvertError, told once by the click dispatcher).
std::string NoHostMessage();
std::string TrueViewMessage();
void RequireDrawingHost(const HostLink& link);

// The same as a question with Yes and No: true for Yes.
bool AskUser(const HostLink& link, const std::string& question);
