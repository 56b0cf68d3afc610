// The network in memory: paths that can be reached, and the answers of the
// connection attempts a test queues.
#pragma once

#include <cstdint>
#include <deque>
#include <set>
#include <string>
#include <vector>

#include "platform/sys/network.h"

namespace sys {

class FakeNetwork : public Network {
 public:
  // Paths whose attributes can be read now.
  std::set<std::string> reachable;
  // A successful connection makes its remote name reachable.
  struct Attempt {
    std::intptr_t owner;
    std::string remoteName;
    bool askForCredentials;
  };
  std::vector<Attempt> attempts;

  // Answers the next connection attempt with this code; attempts with no
  // answer queued get kErrorNoNetwork.
  void AnswerNext(unsigned long code) { answers_.push_back(code); }

  bool AttributesReadable(const std::string& path) override { return reachable.count(path) != 0; }
  unsigned long Connect(std::intptr_t ownerWindow, const std::string& remoteName,
                        bool askForCredentials) override {
    attempts.push_back({ownerWindow, remoteName, askForCredentials});
    unsigned long code = kErrorNoNetwork;
    if (!answers_.empty()) {
      code = answers_.front();
      answers_.pop_front();
    }
    if (code == 0) reachable.insert(remoteName);
    return code;
  }

 private:
  std::deque<unsigned long> answers_;
};

}  // namespace sys
