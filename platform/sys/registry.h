// Reading configuration from the registry, HKEY_LOCAL_MACHINE only.
#pragma once

#include <cstddef>
#include <string>

namespace sys {

class Registry {
 public:
  virtual ~Registry() = default;

  // Opens key under HKEY_LOCAL_MACHINE with read access, reads the string
  // value `name` into a buffer of bufferBytes bytes (terminating zero
  // included) and closes the key again. Returns false when the key cannot
  // be opened, the value is missing, or the value does not fit the buffer:
  // a value too long for its buffer reads as missing. *out is empty then.
  virtual bool ReadMachineString(const std::string& key, const std::string& name,
                                 std::size_t bufferBytes, std::string* out) = 0;
};

}  // namespace sys
