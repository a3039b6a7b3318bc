// The session's lock, held by the one running copy, and the question a start
// puts to that copy when it cannot take the lock.
#pragma once

namespace platform {

// The running copy's answer to "come forward".
enum class AskAnswer {
  Answered,  // it came forward (or will, once started)
  NoWindow,  // no main window to ask: starting, or gone
  Declined,  // it is ending
  NoAnswer,  // it did not answer in time: hung, or too busy to wait for
};

class SessionCopies {
 public:
  virtual ~SessionCopies() = default;
  // Waits up to ms for the lock; true once this start holds it.
  virtual bool TakeLock(unsigned ms) = 0;
  virtual AskAnswer AskToComeForward() = 0;
};

}  // namespace platform
