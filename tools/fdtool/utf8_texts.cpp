#include "tools/fdtool/utf8_texts.h"

#include "platform/sys/text_convert.h"

namespace fdtool {

bool Utf8Texts::Available() const {
  std::string probe;
  return sys::CodePageToUtf8(codePage_, "", &probe);
}

bool Utf8Texts::Append(std::string_view text, const std::string& place, const char* field,
                       std::string* out, std::FILE* errors) {
  offsets_.clear();
  sys::CodePageToUtf8(codePage_, text, &converted_, &offsets_);
  out->append(converted_);
  for (std::size_t at : offsets_) {
    std::fprintf(errors,
                 "fdtool: %s, %s, byte %zu: 0x%02X is no character of code page %d; %s\n",
                 place.c_str(), field, at + 1,
                 static_cast<unsigned>(static_cast<unsigned char>(text[at])), codePage_,
                 consequence_);
  }
  undefined_ += static_cast<int>(offsets_.size());
  return offsets_.empty();
}

}  // namespace fdtool
