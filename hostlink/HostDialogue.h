// Two dialogues with the host built on the command channel: asking for a system variable and
// waiting until a command the user carries out in the host has ended.
#pragma once

#include <string>

#include "hostlink/HostLink.h"

// The variable's value as the host shows it (string values keep their quotes, points come as
// comma-separated coordinates); empty when the host is missing or shows no value.
std::string GetSysVar(const HostLink& link, const std::string& name);

// Results of WaitForPrompt and PickPoint (and of the waits built on them).
enum class HostResult : int {
  Failed = -1,    // no host, host not ready, time-out, or nothing readable
  Cancelled = 0,  // the user cancelled, or gave no point
  Done = 1,
};

// Polls every intervalMs for about `seconds` until the host is idle at its command prompt.
// marker is the started command as the history spells it; a "キャンセル" after its last
// occurrence means the user cancelled. Failed on time-out, host gone, disabled or
// unreadable. The user-interface messages are handled during the wait; a cancel requested
// meanwhile (platform::EventLoop::RequestCancel, the window closing) ends it with Cancelled
// after ETX has ended the host's command. An interval of 0 or less polls without sleeping,
// counted as 1 ms.
HostResult WaitForPrompt(const HostLink& link, const std::string& marker, int intervalMs,
                         int seconds);
