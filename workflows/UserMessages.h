// What the triangle workflows tell the user, in a message box owned by the main window, after
// which the host comes to the front again.
#pragma once

#include <string>

#include "RuzuRaru2016/hostlink/HostLink.h"

inline constexpr const char* kNoBoundary = "境界が作成できない";
inline constexpr const char* kSeveralBoundaries = "境界の数が１より多い";
inline constexpr const char* kDivisionFailed = "分割に失敗した";
inline constexpr const char* kNoSegments = "線分またはポリラインではない.";
inline constexpr const char* kNoTriangle = "三角が作成できない";

void TellUser(const HostLink& link, const std::string& message);
