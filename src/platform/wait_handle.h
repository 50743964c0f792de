// Something a front end's wait can sleep on until the awaited thing (a process) has ended. The menu only
// hands it on; a front end's event loop watches the native descriptor.
#pragma once

namespace norva::platform {

class WaitHandle {
 public:
  // None: the waiter checks between its own events and short naps.
  WaitHandle() = default;
  explicit WaitHandle(int native) : native_(native) {}

  bool valid() const { return native_ >= 0; }
  // A descriptor that becomes readable when the thing has ended; owned by whoever made the handle.
  int native() const { return native_; }

 private:
  int native_ = -1;
};

}  // namespace norva::platform
