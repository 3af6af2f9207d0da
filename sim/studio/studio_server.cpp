#include "sim/studio/studio_server.h"

#include <utility>  // before Asio, whose awaitable.hpp uses std::exchange without it

#include <boost/asio.hpp>
#include <list>
#include <map>

#include "sim/studio/http_connection.h"
#include "sim/studio/request_guard.h"

namespace sim::studio {

namespace asio = boost::asio;
using asio::ip::tcp;

class StudioServer::Core {
 public:
  Core(PhoneSession& session, EventHub& hub, ServerLimits limits, ApiOptions api)
      : session_(session), hub_(hub), limits_(limits), apiOptions_(api), acceptor_(io_), retry_(io_) {}

  int bind(const std::string& address, int port) {
    boost::system::error_code error;
    auto ip = asio::ip::make_address(address == "localhost" ? "127.0.0.1" : address, error);
    if (error) return -1;
    tcp::endpoint endpoint(ip, static_cast<unsigned short>(port));
    acceptor_.open(endpoint.protocol(), error);
    if (!error) acceptor_.set_option(tcp::acceptor::reuse_address(true), error);
    if (!error) acceptor_.bind(endpoint, error);
    if (!error) acceptor_.listen(asio::socket_base::max_listen_connections, error);
    if (error) return -1;
    int bound = acceptor_.local_endpoint().port();
    api_.emplace(session_, RequestGuard(address, bound), apiOptions_);
    host_.emplace(ConnectionHost{*api_, hub_, session_, limits_, [this](HttpConnection* c) { forget(c); }});
    accept();
    return bound;
  }

  void serve() {
    if (api_) io_.run();
  }

  void stop() {
    // Streams end and whoever waits for the phone (a recording) is answered at once; then every
    // connection is closed and the thread that serves returns.
    hub_.close();
    session_.stop();
    asio::post(io_, [this] {
      boost::system::error_code ignored;
      acceptor_.close(ignored);
      std::vector<std::shared_ptr<HttpConnection>> open;
      for (auto& [peer, list] : peers_)
        for (auto& weak : list)
          if (auto c = weak.lock()) open.push_back(std::move(c));
      for (auto& c : open) c->close();
      io_.stop();
    });
  }

  // Connections still open go with the context's pending work, touching nothing but the hub.
  ~Core() { stop(); }

 private:
  void accept() {
    acceptor_.async_accept([this](boost::system::error_code error, tcp::socket socket) {
      if (error == asio::error::operation_aborted || !acceptor_.is_open()) return;
      if (error) {
        // Out of file descriptors, most likely: try again in a moment rather than spin.
        retry_.expires_after(std::chrono::milliseconds(100));
        retry_.async_wait([this](boost::system::error_code e) {
          if (!e) accept();
        });
        return;
      }
      admit(std::move(socket));
      accept();
    });
  }

  void admit(tcp::socket socket) {
    boost::system::error_code error;
    auto remote = socket.remote_endpoint(error);
    if (error) return;
    std::string peer = remote.address().to_string();
    auto connection = std::make_shared<HttpConnection>(std::move(socket), *host_, peer);
    auto& mine = peers_[peer];
    bool full = mine.size() >= limits_.connectionsPerPeer || count_ >= limits_.connections;
    if (full && !evictIdle(mine.size() >= limits_.connectionsPerPeer ? &mine : nullptr)) {
      mine.push_back(connection);
      ++count_;
      return connection->refuse("too many connections from " + peer);
    }
    mine.push_back(connection);
    ++count_;
    connection->start();
  }

  // Closes the longest idle connection of `list`, or of anyone when null; false when none is idle.
  bool evictIdle(std::list<std::weak_ptr<HttpConnection>>* list) {
    auto tryList = [](std::list<std::weak_ptr<HttpConnection>>& l) {
      for (auto& weak : l)
        if (auto c = weak.lock(); c && c->idle()) {
          c->close();
          return true;
        }
      return false;
    };
    if (list) return tryList(*list);
    for (auto& [peer, l] : peers_)
      if (tryList(l)) return true;
    return false;
  }

  void forget(HttpConnection* connection) {
    auto it = peers_.find(connection->peer());
    if (it == peers_.end()) return;
    auto& list = it->second;
    std::erase_if(list, [&](const std::weak_ptr<HttpConnection>& weak) {
      auto c = weak.lock();
      bool gone = !c || c.get() == connection;
      if (gone) --count_;
      return gone;
    });
    if (list.empty()) peers_.erase(it);
  }

  PhoneSession& session_;
  EventHub& hub_;
  ServerLimits limits_;
  ApiOptions apiOptions_;
  asio::io_context io_{1};
  tcp::acceptor acceptor_;
  asio::steady_timer retry_;
  std::optional<StudioApi> api_;
  std::optional<ConnectionHost> host_;
  std::map<std::string, std::list<std::weak_ptr<HttpConnection>>> peers_;
  std::size_t count_ = 0;
};

StudioServer::StudioServer(PhoneSession& session, EventHub& hub, ServerLimits limits, ApiOptions api)
    : core_(std::make_unique<Core>(session, hub, limits, api)) {}

StudioServer::~StudioServer() = default;

int StudioServer::bind(const std::string& address, int port) { return core_->bind(address, port); }

void StudioServer::serve() { core_->serve(); }

void StudioServer::stop() { core_->stop(); }

}  // namespace sim::studio
