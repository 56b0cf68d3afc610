// Collects small writes into large ones before they reach a file.
#pragma once

#include <string>
#include <string_view>

#include "platform/sys/file_system.h"

namespace sys {

class BufferedSink : public ByteSink {
 public:
  static constexpr std::size_t kBufferBytes = 256 * 1024;

  explicit BufferedSink(ByteSink& target) : target_(target) { buffer_.reserve(kBufferBytes); }

  bool Write(std::string_view bytes) override {
    if (failed_) return false;
    // Large pieces go on as they are, after what is buffered.
    if (bytes.size() >= kBufferBytes / 4) return Flush() && Forward(bytes);
    if (buffer_.size() + bytes.size() > kBufferBytes && !Flush()) return false;
    buffer_.append(bytes);
    return true;
  }

  // Hands on what is buffered; false once the target failed.
  bool Flush() {
    if (failed_) return false;
    if (buffer_.empty()) return true;
    const bool ok = Forward(buffer_);
    buffer_.clear();
    return ok;
  }

 private:
  bool Forward(std::string_view bytes) {
    failed_ = !target_.Write(bytes);
    return !failed_;
  }

  ByteSink& target_;
  std::string buffer_;
  bool failed_ = false;
};

}  // namespace sys
