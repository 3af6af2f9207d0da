#pragma once
// A request as the studio's API sees it and the answer it gives, apart from how they travel: the server
// reads them off a socket, the fuzz target and the tests build them by hand.
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sim::studio {

struct StudioRequest {
  std::string method;  // "GET", "PUT", ...
  std::string path;    // percent-decoded, without the query
  std::map<std::string, std::string, std::less<>> query;  // percent-decoded; a name given twice keeps its first
  std::vector<std::pair<std::string, std::string>> headers;
  std::string body;

  // The first header of that name (any case).
  std::optional<std::string_view> header(std::string_view name) const;
};

struct StudioResponse {
  int status = 200;
  std::string type = "application/json";
  std::vector<std::pair<std::string, std::string>> headers;
  std::string body;
};

// {"error": message} with that status.
StudioResponse errorResponse(int status, std::string_view message);

// Sets path and query from a request target ("/api/x?seconds=5"); false when it is not one (a malformed
// percent escape, no leading slash).
bool splitTarget(std::string_view target, StudioRequest& request);

// How the API hands back its answer; it may be called from any thread, exactly once.
using Reply = std::function<void(StudioResponse)>;

}  // namespace sim::studio
