#pragma once
// One client's connection to the studio's server: it reads requests under a deadline for the whole of each,
// hands them to the API and writes the answers, or, for the event stream, writes the hub's messages as
// they come. Everything runs on the server's one thread; the phone's answers are posted back to it.
#include <utility>  // before Asio, whose awaitable.hpp uses std::exchange without it

#include <boost/asio.hpp>
#include <boost/beast/core/flat_buffer.hpp>
#include <boost/beast/http.hpp>
#include <array>
#include <functional>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>

#include "sim/studio/event_hub.h"
#include "sim/studio/http_exchange.h"

namespace sim::studio {

class PhoneSession;
class StudioApi;
struct ServerLimits;

// What a connection needs of the server it belongs to.
struct ConnectionHost {
  StudioApi& api;
  EventHub& hub;
  PhoneSession& session;
  const ServerLimits& limits;
  std::function<void(class HttpConnection*)> closed;  // called once, from the server's thread
};

class HttpConnection : public std::enable_shared_from_this<HttpConnection> {
 public:
  HttpConnection(boost::asio::ip::tcp::socket socket, ConnectionHost& host, std::string peer);
  ~HttpConnection();

  void start();
  // Refuses this connection with a 503 and `why`, reading nothing.
  void refuse(std::string_view why);
  void close();

  const std::string& peer() const { return peer_; }
  // Between requests, waiting for the next one: the first to go when a peer has too many connections.
  bool idle() const { return state_ == State::Idle; }

 private:
  enum class State { Idle, Reading, Answering, Writing, Streaming, Closed };

  void waitForRequest();
  void readRequest();
  void onRead(boost::beast::error_code error);
  void answer(StudioResponse response, bool keepAlive);
  void finishAnswer(bool keepAlive);
  void startStream();
  void writeStream();
  void watchForHangUp();
  void arm(std::chrono::milliseconds after, void (HttpConnection::*onExpiry)());
  void disarm();
  void requestTookTooLong();
  void endStreamOrAnswer();
  void drainAndClose();

  boost::asio::ip::tcp::socket socket_;
  ConnectionHost& host_;
  EventHub& hub_;  // outlives the server, unlike the host, and a connection may outlive the server's thread
  std::string peer_;
  State state_ = State::Idle;
  boost::beast::flat_buffer buffer_;
  std::optional<boost::beast::http::request_parser<boost::beast::http::string_body>> parser_;
  boost::asio::steady_timer timer_;
  std::uint64_t timerGeneration_ = 0;
  bool timedOut_ = false;
  std::shared_ptr<boost::beast::http::response<boost::beast::http::string_body>> response_;
  // The event stream.
  std::shared_ptr<EventHub::Subscription> subscription_;
  std::deque<EventHub::Message> writing_;
  bool streamWriting_ = false;
  std::array<char, 512> discard_{};
};

}  // namespace sim::studio
