#include "platform/ui/resources.h"

#include <cctype>
#include <cstring>

namespace ui {

std::string FormatText(const std::string& format, const std::string& value) {
  return FormatText(format, std::vector<std::string>{value});
}

std::string FormatText(const std::string& format, const std::vector<std::string>& values) {
  std::string out;
  std::size_t next = 0;
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%') {
      out += format[i];
      continue;
    }
    if (i + 1 < format.size() && format[i + 1] == '%') {
      out += '%';
      ++i;
      continue;
    }
    // %[flags][width][l]d|s
    std::size_t j = i + 1;
    while (j < format.size() && std::strchr("-+ #0", format[j]) != nullptr) ++j;
    while (j < format.size() && std::isdigit(static_cast<unsigned char>(format[j]))) ++j;
    if (j < format.size() && format[j] == 'l') ++j;
    if (next < values.size() && j < format.size() && (format[j] == 'd' || format[j] == 's')) {
      out += values[next++];
      i = j;
      continue;
    }
    out += '%';
  }
  return out;
}

}  // namespace ui
