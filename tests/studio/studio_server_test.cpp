// The studio's server under the connections a careless or hostile local process opens: event streams,
// idle and trickling connections and clients that never read take nothing that other requests need;
// the whole of a request has one deadline; a peer's connections are bounded; stop() ends it all.
#include <arpa/inet.h>
#include <httplib.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

#include "sim/studio/event_hub.h"
#include "sim/studio/phone_session.h"
#include "sim/studio/studio_server.h"

namespace {

using namespace std::chrono_literals;
using sim::studio::ServerLimits;

// A raw client socket, for the clients no HTTP library would be.
class RawClient {
 public:
  explicit RawClient(int port) : fd_(socket(AF_INET, SOCK_STREAM, 0)) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    connected_ = connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    timeval wait{5, 0};
    setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
  }
  ~RawClient() { ::close(fd_); }
  RawClient(const RawClient&) = delete;
  RawClient& operator=(const RawClient&) = delete;

  bool connected() const { return connected_; }
  bool send(std::string_view text) { return ::send(fd_, text.data(), text.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(text.size()); }
  // What arrives until the server closes or `enough` bytes came (or 5 s of silence).
  std::string receive(std::size_t enough = 1 << 20) {
    std::string out;
    char buffer[4096];
    while (out.size() < enough) {
      ssize_t n = recv(fd_, buffer, sizeof buffer, 0);
      if (n <= 0) break;
      out.append(buffer, static_cast<std::size_t>(n));
    }
    return out;
  }

 private:
  int fd_;
  bool connected_ = false;
};

class StudioServerLimits : public ::testing::Test {
 protected:
  void start(ServerLimits limits) {
    session_ = std::make_unique<sim::studio::PhoneSession>(sim::studio::SessionOptions{}, hub_);
    server_ = std::make_unique<sim::studio::StudioServer>(*session_, hub_, limits);
    port_ = server_->bind("127.0.0.1", 0);
    ASSERT_GT(port_, 0);
    thread_ = std::thread([this] { server_->serve(); });
  }
  void TearDown() override {
    if (server_) server_->stop();
    if (thread_.joinable()) thread_.join();
  }
  std::string get(std::string_view path) {
    return "GET " + std::string(path) + " HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(port_) + "\r\n\r\n";
  }
  int status(const std::string& path) {
    httplib::Client client("127.0.0.1", port_);
    client.set_read_timeout(10);
    auto res = client.Get(path);
    return res ? res->status : 0;
  }

  sim::studio::EventHub hub_;
  std::unique_ptr<sim::studio::PhoneSession> session_;
  std::unique_ptr<sim::studio::StudioServer> server_;
  std::thread thread_;
  int port_ = 0;
};

TEST_F(StudioServerLimits, StreamsIdleAndStalledClientsTakeNothingFromRequests) {
  start({});
  std::vector<std::unique_ptr<RawClient>> held;
  for (int i = 0; i < 40; ++i) {  // more streams than any pool of threads the server could have had
    held.push_back(std::make_unique<RawClient>(port_));
    ASSERT_TRUE(held.back()->send(get("/api/events")));
  }
  for (int i = 0; i < 40; ++i) held.push_back(std::make_unique<RawClient>(port_));  // idle, never a byte
  for (int i = 0; i < 8; ++i) {  // asking for the page and never reading it
    held.push_back(std::make_unique<RawClient>(port_));
    ASSERT_TRUE(held.back()->send(get("/studio.js") + get("/studio.js") + get("/api/table")));
  }
  for (const char* path : {"/api/table", "/", "/api/scenario"}) EXPECT_EQ(status(path), 200) << path;
  EXPECT_EQ(hub_.subscribers(), 40u);
}

TEST_F(StudioServerLimits, OneDeadlineForAWholeRequestHoweverItTrickles) {
  ServerLimits limits;
  limits.requestDeadline = 400ms;
  start(limits);
  RawClient slow(port_);
  std::string request = get("/api/table");
  std::string answer;
  // One byte every 50 ms would take far past the deadline; each byte is news, yet the deadline holds.
  std::thread trickle([&] {
    for (char c : request) {
      if (!slow.send(std::string_view(&c, 1))) break;
      std::this_thread::sleep_for(50ms);
    }
  });
  answer = slow.receive();
  trickle.join();
  EXPECT_TRUE(answer.starts_with("HTTP/1.1 408")) << answer;
  EXPECT_NE(answer.find("took longer than 0.4 s"), std::string::npos) << answer;
  EXPECT_EQ(status("/api/table"), 200);
}

TEST_F(StudioServerLimits, APeersConnectionsAreBounded) {
  ServerLimits limits;
  limits.connectionsPerPeer = 4;
  start(limits);
  {
    // Idle ones make room: the longest idle is closed, the newcomer served.
    std::vector<std::unique_ptr<RawClient>> idle;
    for (int i = 0; i < 4; ++i) idle.push_back(std::make_unique<RawClient>(port_));
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(status("/api/table"), 200);
    EXPECT_EQ(idle.front()->receive(), "") << "closed to make room";
  }
  std::this_thread::sleep_for(100ms);
  // Streams are not idle: past the bound, the newcomer is refused with a message.
  std::vector<std::unique_ptr<RawClient>> streams;
  for (int i = 0; i < 4; ++i) {
    streams.push_back(std::make_unique<RawClient>(port_));
    ASSERT_TRUE(streams.back()->send(get("/api/events")));
    EXPECT_NE(streams.back()->receive(8), "") << "stream " << i << " open";
  }
  RawClient extra(port_);
  std::string answer = extra.receive();
  EXPECT_TRUE(answer.starts_with("HTTP/1.1 503")) << answer;
  EXPECT_NE(answer.find("too many connections from 127.0.0.1"), std::string::npos) << answer;
}

TEST_F(StudioServerLimits, StopEndsItWhateverIsConnected) {
  start({});
  std::vector<std::unique_ptr<RawClient>> held;
  for (int i = 0; i < 10; ++i) {
    held.push_back(std::make_unique<RawClient>(port_));
    held.back()->send(i % 3 == 0 ? get("/api/events") : i % 3 == 1 ? std::string("GET /api/ta") : std::string());
  }
  // A recording waits for the phone for 30 s unless the stop answers it.
  std::thread recording([&] {
    httplib::Client client("127.0.0.1", port_);
    client.set_read_timeout(60);
    (void)client.Get("/api/recording.webp?seconds=30");
  });
  std::this_thread::sleep_for(300ms);
  server_->stop();
  thread_.join();  // serve() has returned: without the stop this would hang the test
  recording.join();
  for (auto& c : held) EXPECT_EQ(c->receive().find("still here"), std::string::npos);
}

}  // namespace
