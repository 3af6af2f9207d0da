#include "sim/studio/run_studio.h"

#include <csignal>
#include <pthread.h>

#include <cstdlib>
#include <thread>

#include "platform/foundation/plist_file.h"
#include "sim/phone/phone_options.h"
#include "sim/studio/event_hub.h"
#include "sim/studio/phone_session.h"
#include "sim/studio/request_guard.h"
#include "sim/studio/studio_server.h"

namespace sim {

namespace {

// Ctrl-C and SIGTERM are taken by one thread that waits for them, so the server ends from ordinary code.
sigset_t blockEndSignals() {
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);
  return signals;
}

std::string urlFor(const std::string& listen, int port) {
  std::string host = listen == "0.0.0.0" || listen == "::" ? "127.0.0.1" : listen;
  if (host.find(':') != std::string::npos) host = "[" + host + "]";
  return "http://" + host + ":" + std::to_string(port) + "/";
}

}  // namespace

int runStudio(const StudioOptions& options, std::ostream& out, std::ostream& err) {
  studio::SessionOptions session;
  if (!readDeviceOption(options.device, session.model, err) || !checkSettingsOption(options.settings, err)) return 2;
  if (options.settings) {
    session.settings = platform::readPlistDictionary(*options.settings);
    if (!session.settings) {
      err << "tarvo12-sim: " << options.settings->string()
          << " is not a property list with a dictionary at the top\n";
      return 2;
    }
  }
  if (options.port < 0 || options.port > 65535) {
    err << "tarvo12-sim: --port is a number from 0 to 65535\n";
    return 2;
  }
  if (!studio::isLoopbackAddress(options.listen))
    err << "tarvo12-sim: warning: listening on " << options.listen
        << ": anyone who can reach this address can drive the studio\n";

  sigset_t signals = blockEndSignals();
  studio::EventHub hub;
  studio::PhoneSession phone(std::move(session), hub);
  studio::StudioServer server(phone, hub);
  int port = server.bind(options.listen, options.port);
  if (port < 0) {
    err << "tarvo12-sim: cannot listen on " << options.listen << " port " << options.port << "\n";
    phone.stop();
    return 2;
  }
  std::string url = urlFor(options.listen, port);
  out << "studio       " << url << "  (Ctrl-C ends it)\n" << std::flush;
  if (options.open) {
    std::string command = "xdg-open '" + url + "' >/dev/null 2>&1 &";
    if (std::system(command.c_str()) != 0) err << "tarvo12-sim: could not open a browser; open " << url << "\n";
  }

  std::thread waiter([&] {
    int received = 0;
    sigwait(&signals, &received);
    server.stop();
  });
  server.serve();
  // serve() also returns when the server fails; make sure the waiter ends either way.
  pthread_kill(waiter.native_handle(), SIGTERM);
  waiter.join();
  phone.stop();
  out << "studio       stopped\n";
  return 0;
}

}  // namespace sim
