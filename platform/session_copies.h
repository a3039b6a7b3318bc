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

// What a try for the lock found.
enum class LockState {
  Taken,     // this start holds it (or there is no lock to hold)
  Held,      // another copy holds it
  Refused,   // a copy holds it that this start may not even open it beside:
             // one started elevated, whose lock only an administrator's
             // elevated start can open
};

class SessionCopies {
 public:
  virtual ~SessionCopies() = default;
  // Waits up to ms for the lock.
  virtual LockState TakeLock(unsigned ms) = 0;
  virtual AskAnswer AskToComeForward() = 0;
};

}  // namespace platform
