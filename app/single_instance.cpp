// A second start never runs beside the first and never hangs on it: an
// answer, or no answer in time, ends it; only a copy that is not there yet
// or is ending is waited for, for a bounded time.
#include "app/single_instance.h"

namespace app {

StartDecision DecideStart(platform::SessionCopies& copies) {
  for (int attempt = 0; attempt < kLockTries; ++attempt) {
    switch (copies.TakeLock(attempt == 0 ? 0 : kLockWaitMs)) {
      case platform::LockState::Taken: return StartDecision::Run;
      case platform::LockState::Held: break;
      // A copy runs, and its lock will never be this start's: whatever it
      // answers, a second copy beside it would be one too many.
      case platform::LockState::Refused: (void)copies.AskToComeForward(); return StartDecision::End;
    }
    switch (copies.AskToComeForward()) {
      case platform::AskAnswer::Answered:
      case platform::AskAnswer::NoAnswer: return StartDecision::End;
      case platform::AskAnswer::NoWindow:
      case platform::AskAnswer::Declined: break;
    }
  }
  return StartDecision::End;
}

}  // namespace app
