// Requests to the studio: whatever bytes arrive as a request (method, target, headers, body), or as an
// imported settings file, get an answer, in defined behaviour, with a status the API gives on purpose and,
// when it is not a 200, a JSON message saying why. A 500 (a failure nobody meant) is a finding, and so is
// a request that is never answered.
#include <cstddef>
#include <cstdint>
#include <condition_variable>
#include <cstdlib>
#include <future>
#include <mutex>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>

#include "sim/studio/event_hub.h"
#include "sim/studio/phone_session.h"
#include "sim/studio/request_guard.h"
#include "sim/studio/request_reader.h"
#include "sim/studio/studio_api.h"

namespace {

using namespace sim::studio;

constexpr int kPort = 8412;
// A phone remembers what it was asked; a fresh one now and then keeps the run's memory flat.
constexpr int kInputsPerSession = 400;

// Between inputs the phone's thread waits here, inside a task, touching nothing: the fuzzer may exit at any
// moment, destroying the statics (caches, pools) that thread would otherwise be using.
class Gate {
 public:
  void park(PhoneSession& session) {
    std::uint64_t ticket = 0;
    {
      std::lock_guard lock(mutex_);
      ticket = ++parks_;
    }
    session.post([this, ticket](StudioPhone*) {
      std::unique_lock lock(mutex_);
      parked_ = ticket;
      changed_.notify_all();
      changed_.wait(lock, [&] { return opened_ >= ticket; });
    });
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return parked_ == ticket; });
  }
  // Lets the thread go on from every park so far.
  void open() {
    std::lock_guard lock(mutex_);
    opened_ = parks_;
    changed_.notify_all();
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::uint64_t parks_ = 0;   // tickets handed out
  std::uint64_t opened_ = 0;  // the thread may leave any park up to this ticket
  std::uint64_t parked_ = 0;  // the ticket of the park the thread is in
};

struct Studio {
  EventHub hub;
  PhoneSession session{SessionOptions{}, hub};
  // Recordings wait for the wall clock: short ones keep every input quick.
  StudioApi api{session, RequestGuard("127.0.0.1", kPort), ApiOptions{.longestRecording = 0.3}};
  Gate gate;
  ~Studio() {
    gate.open();
    session.stop();
  }
};

// Never destroyed at exit (its thread is parked in the gate); replaced now and then.
Studio& studio() {
  static Studio* current = nullptr;
  static int inputs = 0;
  if (!current || ++inputs % kInputsPerSession == 0) {
    delete current;
    current = new Studio;
  } else {
    current->gate.open();
  }
  return *current;
}

void check(const StudioResponse& response) {
  switch (response.status) {
    case 200: return;
    case 400: case 403: case 404: case 405: case 408: case 413: case 431: case 503: break;
    default: __builtin_trap();
  }
  auto body = nlohmann::json::parse(response.body, nullptr, false);
  if (!body.is_object() || !body.contains("error") || !body["error"].is_string()) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  StudioRequest request;
  if (data[0] % 4 == 0) {
    // Import bytes, as the page sends a chosen file.
    request.method = "PUT";
    request.path = "/api/settings.plist";
    request.headers = {{"Host", "127.0.0.1:8412"}, {"Content-Type", "application/x-plist"}};
    request.body = std::string(bytes);
  } else {
    auto read = readRequest(bytes);
    if (auto* refusal = std::get_if<StudioResponse>(&read)) {
      check(*refusal);
      return 0;
    }
    request = std::move(std::get<StudioRequest>(read));
    // Without the right Host everything is refused at the door; most inputs should get past it.
    if (!request.header("Host")) request.headers.emplace_back("Host", "127.0.0.1:8412");
  }
  Studio& s = studio();
  if (s.api.opensEventStream(request)) {  // the server's, not the API's: nothing to answer
    s.gate.park(s.session);
    return 0;
  }
  std::promise<StudioResponse> answered;
  auto future = answered.get_future();
  s.api.handle(request, [&answered](StudioResponse r) { answered.set_value(std::move(r)); });
  if (future.wait_for(std::chrono::seconds(8)) != std::future_status::ready) __builtin_trap();
  check(future.get());
  s.gate.park(s.session);
  return 0;
}
