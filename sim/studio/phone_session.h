#pragma once
// The studio's phone on a thread of its own. Its clock follows the wall clock, so animations play at their
// real speed; requests from the server are queued to that thread and run there, one at a time, so the
// phone is only ever touched from one thread. What the phone does goes out through the event hub: frames
// while the screen changes, trace events, the HUD's fields and the phone's state.
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <thread>
#include <type_traits>

#include "platform/foundation/plist_value.h"
#include "sim/scenario/device_models.h"
#include "sim/studio/event_hub.h"
#include "sim/studio/screen_recording.h"
#include "sim/studio/screen_watcher.h"
#include "sim/studio/studio_phone.h"

namespace sim::studio {

struct SessionOptions {
  const DeviceModel* model = nullptr;            // nullptr: the default model
  std::optional<platform::PlistDict> settings;   // the settings file to boot with
  double frameScale = 1;                         // pixels per point of the frames sent to pages
};

class PhoneSession {
 public:
  PhoneSession(SessionOptions options, EventHub& hub);
  ~PhoneSession();
  PhoneSession(const PhoneSession&) = delete;
  PhoneSession& operator=(const PhoneSession&) = delete;

  // The phone, or nullptr when the session stopped before the work could run (it then runs on the thread
  // that posted it or the one that stopped the session).
  using Task = std::function<void(StudioPhone*)>;

  // Queues `task` to the phone's thread, where it runs with the phone's clock at the wall clock's moment,
  // and answers the request's number: frames carry the number of the last request they show. Never waits.
  std::uint64_t post(Task task);

  // Runs `work` on the phone's thread and waits for its result (or rethrows what it threw). Throws
  // std::runtime_error once the session has stopped.
  template <class F>
  auto call(F work, std::uint64_t* id = nullptr) -> std::invoke_result_t<F, StudioPhone&> {
    using R = std::invoke_result_t<F, StudioPhone&>;
    auto promise = std::make_shared<std::promise<R>>();
    auto future = promise->get_future();
    std::uint64_t number = post([promise, work = std::move(work)](StudioPhone* phone) mutable {
      try {
        if (!phone) throw std::runtime_error("the phone has stopped");
        if constexpr (std::is_void_v<R>) {
          work(*phone);
          promise->set_value();
        } else {
          promise->set_value(work(*phone));
        }
      } catch (...) {
        promise->set_exception(std::current_exception());
      }
    });
    if (id) *id = number;
    return future.get();
  }

  // Boots a new phone of `model` with the settings file the current one holds; `done` learns whether it did.
  void reboot(const DeviceModel& model, std::function<void(bool)> done);
  // Frames of the next `seconds` as an animated WebP, handed to `done` (empty when it cannot be made or the
  // session stopped). A reboot ends the recording early: the new phone's screen may have another size.
  void record(double seconds, ScreenRecording::Done done);
  // The number of the request running now (phone's thread only).
  std::uint64_t runningRequest() const { return running_; }
  // Publishes everything a newly opened page needs: state, fields and the current frame.
  void greet();
  void stop();

 private:
  void loop();
  void boot(const DeviceModel& model, const std::optional<platform::PlistDict>& settings);
  void followWallClock();
  void publishTrace();
  void publishState();
  void publishFields();
  void publishFrame(const ScreenFrame& frame);

  SessionOptions options_;
  EventHub& hub_;

  std::mutex stopMutex_;
  // Shared with the server's threads.
  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<std::pair<std::uint64_t, Task>> queue_;
  std::uint64_t nextId_ = 1;
  bool stopping_ = false;

  // The phone's thread only.
  std::unique_ptr<StudioPhone> phone_;
  std::chrono::steady_clock::time_point bootedAt_;
  ScreenWatcher watcher_;
  std::uint64_t applied_ = 0;
  std::uint64_t running_ = 0;
  std::uint64_t frameNumber_ = 0;
  // A large import frees most of what it allocated, but the allocator keeps it; given back a moment later.
  bool trimmed_ = true;
  std::chrono::steady_clock::time_point lastTrim_;
  std::size_t residentAfterTrim_ = 0;  // bytes
  std::size_t traceSeen_ = 0;
  std::string lastFields_;
  bool fieldsDue_ = false;  // trace events came since the fields last went out
  std::chrono::steady_clock::time_point fieldsSent_;
  std::vector<std::shared_ptr<ScreenRecording>> recordings_;

  std::thread thread_;
};

}  // namespace sim::studio
