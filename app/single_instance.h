// One running copy per user session: what a start does when another copy
// holds the session's lock. It asks that copy to come forward and ends, or,
// when that copy is still starting (no window yet) or already ending, waits
// for it, and runs once the lock is its own. A lock it may not open (the
// copy runs elevated) ends it after the ask, whatever the answer.
#pragma once
#include "platform/session_copies.h"

namespace app {

enum class StartDecision { Run, End };

// The lock, polled in steps of kLockWaitMs for at most kLockTries steps.
inline constexpr unsigned kLockWaitMs = 100;
inline constexpr int kLockTries = 100;

StartDecision DecideStart(platform::SessionCopies& copies);

}  // namespace app
