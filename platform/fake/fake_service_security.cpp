#include "platform/fake/fake_service_security.h"

#include <algorithm>

namespace sys {

void FakeServiceSecurity::AddService(const std::string& name, std::vector<Entry> dacl,
                                     int unavailableOpens) {
  services_[name] = Service{std::move(dacl), unavailableOpens};
}

const std::vector<FakeServiceSecurity::Entry>* FakeServiceSecurity::Dacl(
    const std::string& name) const {
  auto it = services_.find(name);
  return it == services_.end() ? nullptr : &it->second.dacl;
}

ServiceSecurity::Handle FakeServiceSecurity::OpenManager() {
  if (Failing(Step::kOpenManager)) return 0;
  const Handle h = NextHandle();
  handles_[h] = std::string();
  return h;
}

ServiceSecurity::Handle FakeServiceSecurity::OpenServiceByName(Handle manager,
                                                         const std::string& name) {
  ++openAttempts_;
  auto m = handles_.find(manager);
  if (m == handles_.end() || !m->second.empty()) return 0;
  auto it = services_.find(name);
  if (it == services_.end() || name.empty()) return 0;
  if (it->second.unavailableOpens > 0) {
    --it->second.unavailableOpens;
    return 0;
  }
  const Handle h = NextHandle();
  handles_[h] = name;
  return h;
}

bool FakeServiceSecurity::Close(Handle handle) {
  auto it = handles_.find(handle);
  if (it == handles_.end()) return false;
  const bool isManager = it->second.empty();
  handles_.erase(it);
  return !Failing(isManager ? Step::kCloseManager : Step::kCloseService);
}

ServiceSecurity::ReadResult FakeServiceSecurity::ReadDacl(Handle service, Handle* descriptor) {
  auto it = handles_.find(service);
  if (it == handles_.end() || it->second.empty() || Failing(Step::kRead)) {
    return ReadResult::kFailed;
  }
  if (Failing(Step::kReadNoBuffer)) return ReadResult::kNoBuffer;
  const Handle h = NextHandle();
  descriptors_[h] = services_[it->second].dacl;
  *descriptor = h;
  return ReadResult::kOk;
}

bool FakeServiceSecurity::DaclOf(Handle descriptor, Handle* dacl) {
  if (Failing(Step::kNoDacl) || !descriptors_.count(descriptor)) return false;
  *dacl = descriptor;  // the list lives inside the descriptor
  return true;
}

bool FakeServiceSecurity::AccountName(Account account, std::string* name) {
  if (Failing(Step::kAccountName)) return false;
  switch (account) {
    case Account::kUsers: *name = usersName_; break;
    case Account::kAdministrators: *name = "Administrators"; break;
    case Account::kEveryone: *name = "Everyone"; break;
  }
  return true;
}

bool FakeServiceSecurity::MergeEntry(Handle dacl, const ExplicitAccess& entry, Handle* merged) {
  merges_.push_back(entry);
  auto it = descriptors_.find(dacl);
  if (Failing(Step::kMerge) || it == descriptors_.end()) return false;
  // Set access: the trustee's previous entries give way to the new one.
  std::vector<Entry> list = it->second;
  list.erase(std::remove_if(list.begin(), list.end(),
                            [&](const Entry& e) { return e.trustee == entry.trustee; }),
             list.end());
  list.push_back(Entry{entry.trustee, entry.permissions});
  const Handle h = NextHandle();
  acls_[h] = std::move(list);
  *merged = h;
  return true;
}

ServiceSecurity::StoreResult FakeServiceSecurity::StoreDacl(Handle service, Handle dacl) {
  if (Failing(Step::kInitDescriptor)) return StoreResult::kDescriptorNotInitialised;
  if (Failing(Step::kSetDescriptorDacl)) return StoreResult::kDaclNotSet;
  auto h = handles_.find(service);
  auto list = acls_.find(dacl);
  if (Failing(Step::kStore) || h == handles_.end() || h->second.empty() || list == acls_.end()) {
    return StoreResult::kFailed;
  }
  services_[h->second].dacl = list->second;
  return StoreResult::kOk;
}

}  // namespace sys
