// bzSetSvcControl: the Users entry, the waiting for the service, and the
// trace texts of each failing step.
#include "setup/service_access.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/fake/fake_service_security.h"

namespace {

using sys::FakeServiceSecurity;
using Step = FakeServiceSecurity::Step;
using Traces = std::vector<std::string>;

const std::vector<FakeServiceSecurity::Entry> kServiceDacl = {
    {"SYSTEM", 0xF01FF},
    {"Administrators", 0xF01FF},
    {"Users", 0x2008D},
};

struct Outcome {
  int result;
  Traces traces;
};

Outcome Call(FakeServiceSecurity& system, const std::string& service = "RelayFaxSpool") {
  Outcome run{0, {}};
  run.result = setup::SetServiceControl(system, service,
                                        [&](const char* text) { run.traces.push_back(text); });
  return run;
}

Traces Started(std::initializer_list<std::string> more) {
  Traces t = {"", "", "Start : bzSetSvcControl()"};
  t.insert(t.end(), more);
  return t;
}

TEST(SetServiceControl, SetsTheUsersEntryToStartStopDeleteAndReadControl) {
  FakeServiceSecurity system;
  system.AddService("RelayFaxSpool", kServiceDacl);
  const Outcome run = Call(system);
  EXPECT_EQ(run.result, 1);
  EXPECT_EQ(run.traces, Started({" OpenService() OK !!!, 0"}));
  // The group's earlier rights give way to exactly these.
  const std::vector<FakeServiceSecurity::Entry> expected = {
      {"SYSTEM", 0xF01FF}, {"Administrators", 0xF01FF}, {"Users", 0x30030}};
  EXPECT_EQ(*system.Dacl("RelayFaxSpool"), expected);
  ASSERT_EQ(system.Merges().size(), 1u);
  EXPECT_EQ(system.Merges()[0].permissions, 0x30030u);
  EXPECT_EQ(system.Merges()[0].inheritance, 0u);
  EXPECT_EQ(system.Leaks(), 0u);
}

TEST(SetServiceControl, UsesTheLocalNameOfTheUsersGroup) {
  FakeServiceSecurity system;
  system.AddService("RelayFaxSpool", {{"SYSTEM", 0xF01FF}});
  system.SetUsersName("Benutzer");
  EXPECT_EQ(Call(system).result, 1);
  ASSERT_EQ(system.Merges().size(), 1u);
  EXPECT_EQ(system.Merges()[0].trustee, "Benutzer");
  EXPECT_EQ(system.Dacl("RelayFaxSpool")->back(),
            (FakeServiceSecurity::Entry{"Benutzer", 0x30030}));
}

TEST(SetServiceControl, WaitsOneHundredRetriesForTheService) {
  struct Case {
    int unavailableOpens;  // -1: the service never exists
    int result;
    Traces traces;
    int attempts;
    unsigned waitedMs;
  };
  const Case cases[] = {
      {0, 1, Started({" OpenService() OK !!!, 0"}), 1, 500},
      {1, 1, Started({"--- !! Can not OpenService() !!--", " OpenService() OK !!!, 1"}), 2, 600},
      {37, 1, Started({"--- !! Can not OpenService() !!--", " OpenService() OK !!!, 37"}), 38,
       4200},
      {100, 1, Started({"--- !! Can not OpenService() !!--", " OpenService() OK !!!, 100"}),
       101, 10500},
      {101, 0, Started({"--- !! Can not OpenService() !!--", " OpenService() NG !!!"}), 101,
       10500},
      {-1, 0, Started({"--- !! Can not OpenService() !!--", " OpenService() NG !!!"}), 101,
       10500},
  };
  for (const Case& c : cases) {
    FakeServiceSecurity system;
    if (c.unavailableOpens >= 0) system.AddService("RelayFaxSpool", kServiceDacl, c.unavailableOpens);
    const Outcome run = Call(system);
    EXPECT_EQ(run.result, c.result) << c.unavailableOpens;
    EXPECT_EQ(run.traces, c.traces) << c.unavailableOpens;
    EXPECT_EQ(system.OpenAttempts(), c.attempts) << c.unavailableOpens;
    EXPECT_EQ(system.WaitedMs(), c.waitedMs) << c.unavailableOpens;
    EXPECT_EQ(system.Leaks(), 0u) << c.unavailableOpens;
  }
}

TEST(SetServiceControl, TracesTheFailingStepAndSkipsWhatDependsOnIt) {
  const std::string ok = " OpenService() OK !!!, 0";
  struct Case {
    Step step;
    int result;
    Traces traces;
    bool merged;  // whether a new list was asked for
    bool stored;  // whether the service's list changed
  };
  const Case cases[] = {
      {Step::kOpenManager, 0, Started({"--- !! Can not OPEN SCM !!--"}), false, false},
      {Step::kReadNoBuffer, 0, Started({ok, "--- !! Error : HeapAlloc!!--"}), false, false},
      {Step::kRead, 0, Started({ok, "--- !! Error : QueryServiceObjectSecurity!!--"}), false,
       false},
      {Step::kNoDacl, 0, Started({ok, "--- !! Error : GetSecurityDescriptorDacl!!--"}), false,
       false},
      // Without the group's name nothing changes, and nothing is traced.
      {Step::kAccountName, 0, Started({ok}), false, false},
      {Step::kMerge, 0, Started({ok, "--- !! Error : SetEntriesInAcl!!--"}), true, false},
      {Step::kInitDescriptor, 0, Started({ok, "--- !! Error : InitializeSecurityDescriptor!!--"}),
       true, false},
      {Step::kSetDescriptorDacl, 0,
       Started({ok, "--- !! Error : SetSecurityDescriptorDacl!!--"}), true, false},
      {Step::kStore, 0, Started({ok, "--- !! Error : SetServiceObjectSecurity!!--"}), true,
       false},
      // Closing comes after storing: the stored list stays, the result is 1.
      {Step::kCloseService, 1, Started({ok, "--- !! Error : CloseServiceHandle!!--"}), true,
       true},
      {Step::kCloseManager, 1, Started({ok, "--- !! Error : CloseServiceHandle!!--"}), true,
       true},
  };
  for (const Case& c : cases) {
    const int id = static_cast<int>(c.step);
    FakeServiceSecurity system;
    system.AddService("RelayFaxSpool", kServiceDacl);
    system.Fail(c.step);
    const Outcome run = Call(system);
    EXPECT_EQ(run.result, c.result) << id;
    EXPECT_EQ(run.traces, c.traces) << id;
    EXPECT_EQ(system.Merges().size(), c.merged ? 1u : 0u) << id;
    EXPECT_EQ(*system.Dacl("RelayFaxSpool") != kServiceDacl, c.stored) << id;
    EXPECT_EQ(system.Leaks(), 0u) << id;
  }
}

}  // namespace
