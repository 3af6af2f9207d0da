#pragma once
// One class registry per simulated process.
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/runtime/class.h"

namespace rt {

class Runtime {
 public:
  explicit Runtime(platform::Process* process = nullptr);
  ~Runtime();
  Runtime(const Runtime&) = delete;
  Runtime& operator=(const Runtime&) = delete;

  // Registers a class and its metaclass; the superclass must exist already. Registering a name twice is an error.
  Class& registerClass(std::string_view name, std::string_view superclass = {});
  Class* lookUpClass(std::string_view name) const;
  Class& requireClass(std::string_view name) const;

  platform::Process* process() const { return process_; }

  // Platform objects alive that this runtime made (classes excluded).
  long liveObjects() const { return *census_; }
  const std::shared_ptr<long>& census() const { return census_; }
  // Numbers objects in the order they are made (see Object::addressText).
  unsigned long nextSerial() { return ++serials_; }

 private:
  platform::Process* process_;
  std::shared_ptr<long> census_ = std::make_shared<long>(0);
  unsigned long serials_ = 0;
  std::map<std::string, std::shared_ptr<Class>, std::less<>> classes_;
  std::vector<std::shared_ptr<Class>> metaclasses_;
};

}  // namespace rt
