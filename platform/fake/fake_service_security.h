// An in-memory service control manager for tests: services with access
// lists of named entries, services that appear only after some attempts to
// open them, failures on demand at each step, and a count of what was left
// open or unfreed.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/sys/service_security.h"

namespace sys {

class FakeServiceSecurity : public ServiceSecurity {
 public:
  struct Entry {
    std::string trustee;
    std::uint32_t rights;
    bool operator==(const Entry& o) const { return trustee == o.trustee && rights == o.rights; }
  };
  // Steps that can be made to fail.
  enum class Step {
    kOpenManager,
    kReadNoBuffer,
    kRead,
    kNoDacl,
    kAccountName,
    kMerge,
    kInitDescriptor,
    kSetDescriptorDacl,
    kStore,
    kCloseService,
    kCloseManager,
  };

  // Test controls.
  // A service whose first `unavailableOpens` open attempts fail.
  void AddService(const std::string& name, std::vector<Entry> dacl, int unavailableOpens = 0);
  void Fail(Step step) { failing_.insert(step); }
  void SetUsersName(std::string name) { usersName_ = std::move(name); }
  const std::vector<Entry>* Dacl(const std::string& name) const;
  int OpenAttempts() const { return openAttempts_; }
  unsigned WaitedMs() const { return waitedMs_; }
  const std::vector<ExplicitAccess>& Merges() const { return merges_; }
  // Handles not closed, and descriptors and lists not freed.
  std::size_t Leaks() const { return handles_.size() + descriptors_.size() + acls_.size(); }

  Handle OpenManager() override;
  Handle OpenServiceByName(Handle manager, const std::string& name) override;
  bool Close(Handle handle) override;
  void Wait(unsigned milliseconds) override { waitedMs_ += milliseconds; }
  ReadResult ReadDacl(Handle service, Handle* descriptor) override;
  bool DaclOf(Handle descriptor, Handle* dacl) override;
  bool AccountName(Account account, std::string* name) override;
  bool MergeEntry(Handle dacl, const ExplicitAccess& entry, Handle* merged) override;
  StoreResult StoreDacl(Handle service, Handle dacl) override;
  void FreeAcl(Handle dacl) override { acls_.erase(dacl); }
  void FreeDescriptor(Handle descriptor) override { descriptors_.erase(descriptor); }

 private:
  struct Service {
    std::vector<Entry> dacl;
    int unavailableOpens = 0;
  };
  bool Failing(Step step) const { return failing_.count(step) != 0; }
  Handle NextHandle() { return ++lastHandle_; }

  std::map<std::string, Service> services_;
  std::map<Handle, std::string> handles_;  // open handle -> service name ("" for the manager)
  std::map<Handle, std::vector<Entry>> descriptors_;
  std::map<Handle, std::vector<Entry>> acls_;
  std::vector<ExplicitAccess> merges_;
  std::string usersName_ = "Users";
  std::set<Step> failing_;
  Handle lastHandle_ = 0x100;
  int openAttempts_ = 0;
  unsigned waitedMs_ = 0;
};

}  // namespace sys
