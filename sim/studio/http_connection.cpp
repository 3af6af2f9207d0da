#include "sim/studio/http_connection.h"

#include "sim/studio/http_reading.h"
#include "sim/studio/phone_session.h"
#include "sim/studio/studio_api.h"
#include "sim/studio/studio_server.h"

namespace sim::studio {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;

namespace {

std::string statusLine(int status) {
  auto reason = http::obsolete_reason(static_cast<http::status>(status));
  return std::to_string(status) + " " + std::string(reason);
}

}  // namespace

HttpConnection::HttpConnection(asio::ip::tcp::socket socket, ConnectionHost& host, std::string peer)
    : socket_(std::move(socket)), host_(host), hub_(host.hub), peer_(std::move(peer)), timer_(socket_.get_executor()) {}

HttpConnection::~HttpConnection() {
  if (subscription_) hub_.unsubscribe(subscription_);
}

void HttpConnection::start() {
  beast::error_code ignored;
  socket_.set_option(asio::ip::tcp::no_delay(true), ignored);
  waitForRequest();
}

void HttpConnection::close() {
  if (state_ == State::Closed) return;
  state_ = State::Closed;
  disarm();
  beast::error_code ignored;
  socket_.shutdown(asio::ip::tcp::socket::shutdown_both, ignored);
  socket_.close(ignored);
  if (subscription_) {
    host_.hub.unsubscribe(subscription_);
    subscription_.reset();
  }
  host_.closed(this);
}

void HttpConnection::arm(std::chrono::milliseconds after, void (HttpConnection::*onExpiry)()) {
  std::uint64_t generation = ++timerGeneration_;
  timer_.expires_after(after);
  timer_.async_wait([self = shared_from_this(), generation, onExpiry](beast::error_code error) {
    if (error || generation != self->timerGeneration_ || self->state_ == State::Closed) return;
    (self.get()->*onExpiry)();
  });
}

void HttpConnection::disarm() {
  ++timerGeneration_;
  timer_.cancel();
}

// Waiting costs nothing but the socket; the deadline for the request starts with its first byte.
void HttpConnection::waitForRequest() {
  state_ = State::Idle;
  if (buffer_.size() > 0) return readRequest();
  arm(host_.limits.idleTimeout, &HttpConnection::close);
  socket_.async_wait(asio::ip::tcp::socket::wait_read, [self = shared_from_this()](beast::error_code error) {
    if (self->state_ != State::Idle) return;
    if (error) return self->close();
    self->readRequest();
  });
}

void HttpConnection::readRequest() {
  state_ = State::Reading;
  timedOut_ = false;
  parser_.emplace();
  parser_->header_limit(static_cast<std::uint32_t>(host_.limits.headerBytes));
  parser_->body_limit(kMaxSettingsUpload);
  arm(host_.limits.requestDeadline, &HttpConnection::requestTookTooLong);
  http::async_read(socket_, buffer_, *parser_, [self = shared_from_this()](beast::error_code error, std::size_t) {
    self->onRead(error);
  });
}

void HttpConnection::requestTookTooLong() {
  // The read ends with an error and answers for itself.
  timedOut_ = true;
  beast::error_code ignored;
  socket_.cancel(ignored);
}

void HttpConnection::onRead(beast::error_code error) {
  if (state_ != State::Reading) return;
  disarm();
  if (timedOut_) {
    auto seconds = std::chrono::duration<double>(host_.limits.requestDeadline).count();
    char text[96];
    std::snprintf(text, sizeof text, "the request's headers and body took longer than %g s", seconds);
    return answer(errorResponse(408, text), false);
  }
  if (error == http::error::end_of_stream || error == asio::error::eof || error == asio::error::connection_reset ||
      error == asio::error::operation_aborted)
    return close();
  if (error) return answer(refusalFor(error), false);

  bool keepAlive = false;
  auto read = fromParser(*parser_, keepAlive);
  parser_.reset();
  if (auto* refusal = std::get_if<StudioResponse>(&read)) return answer(std::move(*refusal), false);
  StudioRequest& request = std::get<StudioRequest>(read);

  if (host_.api.opensEventStream(request)) return startStream();
  state_ = State::Answering;
  // The answer holds the connection open until it comes; it may come from the phone's thread, and the
  // connection is touched only on the server's.
  auto executor = socket_.get_executor();
  host_.api.handle(request, [self = shared_from_this(), executor, keepAlive](StudioResponse response) {
    asio::post(executor, [self, keepAlive, response = std::move(response)]() mutable {
      if (self->state_ == State::Answering) self->answer(std::move(response), keepAlive);
    });
  });
}

void HttpConnection::answer(StudioResponse response, bool keepAlive) {
  state_ = State::Writing;
  auto res = std::make_shared<http::response<http::string_body>>(static_cast<http::status>(response.status), 11);
  res->set(http::field::content_type, response.type);
  for (const auto& [name, value] : response.headers) res->set(name, value);
  res->body() = std::move(response.body);
  res->keep_alive(keepAlive);
  res->prepare_payload();
  response_ = res;
  arm(host_.limits.writeDeadline, &HttpConnection::close);
  http::async_write(socket_, *res, [self = shared_from_this(), keepAlive](beast::error_code error, std::size_t) {
    if (self->state_ != State::Writing) return;
    self->response_.reset();
    if (error) return self->close();
    self->finishAnswer(keepAlive);
  });
}

void HttpConnection::finishAnswer(bool keepAlive) {
  if (keepAlive) return waitForRequest();
  drainAndClose();
}

// After an answer that ends the connection, what the client still sends is read and dropped for a moment:
// closing with unread bytes would reset the connection and lose the answer on the way.
void HttpConnection::drainAndClose() {
  beast::error_code ignored;
  socket_.shutdown(asio::ip::tcp::socket::shutdown_send, ignored);
  state_ = State::Writing;
  arm(std::chrono::milliseconds(1000), &HttpConnection::close);
  struct Drain {
    std::shared_ptr<HttpConnection> self;
    std::size_t left = 2 * kMaxSettingsUpload;
    void operator()(beast::error_code error, std::size_t n) {
      if (self->state_ == State::Closed) return;
      if (error || n >= left) return self->close();
      left -= n;
      self->socket_.async_read_some(asio::buffer(self->discard_), std::move(*this));
    }
  };
  socket_.async_read_some(asio::buffer(discard_), Drain{shared_from_this()});
}

void HttpConnection::refuse(std::string_view why) { answer(errorResponse(503, why), false); }

void HttpConnection::startStream() {
  state_ = State::Streaming;
  std::weak_ptr<HttpConnection> weak = shared_from_this();
  auto executor = socket_.get_executor();
  subscription_ = host_.hub.subscribe([weak, executor] {
    asio::post(executor, [weak] {
      if (auto self = weak.lock()) self->writeStream();
    });
  });
  // The answer's head, then the stream: no length, it ends when one side closes.
  auto head = std::make_shared<const std::string>("HTTP/1.1 " + statusLine(200) +
                                                  "\r\nContent-Type: text/event-stream\r\nCache-Control: no-store\r\n"
                                                  "Connection: close\r\n\r\n: hello\n\n");
  writing_.push_back(head);
  streamWriting_ = true;
  arm(host_.limits.writeDeadline, &HttpConnection::close);
  asio::async_write(socket_, asio::buffer(*head), [self = shared_from_this()](beast::error_code error, std::size_t) {
    if (self->state_ != State::Streaming) return;
    self->streamWriting_ = false;
    self->writing_.clear();
    if (error) return self->close();
    self->host_.session.greet();
    self->watchForHangUp();
    self->writeStream();
  });
}

// Messages go out in batches, as many as have come while the last batch was written.
void HttpConnection::writeStream() {
  if (state_ != State::Streaming || streamWriting_) return;
  writing_ = subscription_->take();
  if (writing_.empty()) {
    if (subscription_->closed()) return close();
    // Quiet: a comment after a while finds out whether the page is still there.
    arm(host_.limits.heartbeat, &HttpConnection::endStreamOrAnswer);
    return;
  }
  std::vector<asio::const_buffer> buffers;
  buffers.reserve(writing_.size());
  for (const auto& m : writing_) buffers.push_back(asio::buffer(*m));
  streamWriting_ = true;
  arm(host_.limits.writeDeadline, &HttpConnection::close);
  asio::async_write(socket_, buffers, [self = shared_from_this()](beast::error_code error, std::size_t) {
    if (self->state_ != State::Streaming) return;
    self->streamWriting_ = false;
    self->writing_.clear();
    if (error) return self->close();
    self->writeStream();
  });
}

void HttpConnection::endStreamOrAnswer() {
  if (state_ != State::Streaming || streamWriting_) return;
  static const auto comment = std::make_shared<const std::string>(": still here\n\n");
  writing_.push_back(comment);
  streamWriting_ = true;
  arm(host_.limits.writeDeadline, &HttpConnection::close);
  asio::async_write(socket_, asio::buffer(*comment), [self = shared_from_this()](beast::error_code error, std::size_t) {
    if (self->state_ != State::Streaming) return;
    self->streamWriting_ = false;
    self->writing_.clear();
    if (error) return self->close();
    self->writeStream();
  });
}

// A page sends nothing on its stream: a read that ends means it has gone.
void HttpConnection::watchForHangUp() {
  socket_.async_read_some(asio::buffer(discard_), [self = shared_from_this()](beast::error_code error, std::size_t) {
    if (self->state_ != State::Streaming) return;
    if (error) return self->close();
    self->watchForHangUp();
  });
}

}  // namespace sim::studio
