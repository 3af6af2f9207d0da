#pragma once
// The studio's JSON API: the pane's table, settings writes, downloads and imports, what a person does on
// the phone, the device picker, "Copy as scenario" and "Record".
namespace httplib {
class Server;
}

namespace sim::studio {

class PhoneSession;

void addApiRoutes(httplib::Server& server, PhoneSession& session);

}  // namespace sim::studio
