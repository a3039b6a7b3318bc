// A second start never runs beside the first and never hangs on it: an
// answer, or no answer in time, ends it; only a copy that is not there yet
// or is ending is waited for, for a bounded time.
#include "app/single_instance.h"

namespace app {

StartDecision DecideStart(platform::SessionCopies& copies) {
  for (int attempt = 0; attempt < kLockTries; ++attempt) {
    if (copies.TakeLock(attempt == 0 ? 0 : kLockWaitMs)) return StartDecision::Run;
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
