#include "platform/fake/fake_ini_files.h"

#include <cstdint>

#include "platform/text/codepage.h"

namespace sys {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f' || c == 0x1A;
}

std::string_view TrimStart(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  return s;
}

std::string_view TrimEnd(std::string_view s) {
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

std::string_view Trim(std::string_view s) { return TrimEnd(TrimStart(s)); }

// Names compare as the system compares them: without case, full-width
// letters included.
bool SameName(std::string_view a, std::string_view b) {
  return text::CompareNoCase(text::kCpJapanese, a, b) == 0;
}

// The value as the system hands it out: one pair of enclosing quotes (of
// either kind) taken off.
std::string_view Unquoted(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

// The system's integer reading: blanks, a sign, a base prefix (0x, 0o,
// 0b), digits up to the first other character, 32 bits wrapping.
int ParseInteger(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && static_cast<unsigned char>(s[i]) <= ' ') ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  unsigned base = 10;
  if (i + 1 < s.size() && s[i] == '0') {
    const char p = s[i + 1];
    if (p == 'x' || p == 'X') base = 16;
    if (p == 'o' || p == 'O') base = 8;
    if (p == 'b' || p == 'B') base = 2;
    if (base != 10) i += 2;
  }
  std::uint32_t value = 0;
  for (; i < s.size(); ++i) {
    const char c = s[i];
    unsigned digit = 99;
    if (c >= '0' && c <= '9') digit = static_cast<unsigned>(c - '0');
    if (c >= 'a' && c <= 'f') digit = static_cast<unsigned>(c - 'a' + 10);
    if (c >= 'A' && c <= 'F') digit = static_cast<unsigned>(c - 'A' + 10);
    if (digit >= base) break;
    value = value * base + digit;
  }
  if (negative) value = 0u - value;
  return static_cast<int>(static_cast<std::int32_t>(value));
}

FakeIniFiles::Section* FindSection(std::vector<FakeIniFiles::Section>& sections,
                                   std::string_view name) {
  for (FakeIniFiles::Section& s : sections) {
    if (SameName(s.name, name)) return &s;
  }
  return nullptr;
}

const FakeIniFiles::Key* FindKey(const std::vector<FakeIniFiles::Section>& sections,
                                 std::string_view section, std::string_view key) {
  section = Trim(section);
  key = Trim(key);
  for (const FakeIniFiles::Section& s : sections) {
    if (!SameName(s.name, section)) continue;
    for (const FakeIniFiles::Key& k : s.keys) {
      if (SameName(k.name, key)) return &k;
    }
  }
  return nullptr;
}

}  // namespace

std::vector<FakeIniFiles::Section> FakeIniFiles::Parse(std::string_view bytes) {
  std::vector<Section> sections(1);  // the nameless one
  while (!bytes.empty()) {
    const std::size_t lf = bytes.find('\n');
    std::string_view line = bytes.substr(0, lf);
    bytes = lf == std::string_view::npos ? std::string_view() : bytes.substr(lf + 1);
    line = Trim(line);
    if (line.empty()) continue;
    if (line.front() == '[') {
      const std::size_t close = line.rfind(']');
      if (close != std::string_view::npos && close > 0) {
        sections.push_back({std::string(Trim(line.substr(1, close - 1))), {}});
        continue;
      }
    }
    Key key;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
      key.name = std::string(line);
      key.hasValue = false;
    } else {
      key.name = std::string(TrimEnd(line.substr(0, equals)));
      key.value = std::string(TrimStart(line.substr(equals + 1)));
    }
    std::vector<Key>& keys = sections.back().keys;
    if (!key.name.empty() || keys.empty() || !keys.back().name.empty()) keys.push_back(key);
  }
  return sections;
}

std::string FakeIniFiles::Render(const std::vector<Section>& sections) {
  std::size_t size = 0;
  for (const Section& s : sections) {
    size += s.name.size() + 4;
    for (const Key& k : s.keys) size += k.name.size() + k.value.size() + 3;
  }
  std::string out;
  out.reserve(size);
  for (const Section& s : sections) {
    if (!s.name.empty()) out.append("[").append(s.name).append("]\r\n");
    for (const Key& k : s.keys) {
      out.append(k.name);
      if (k.hasValue) out.append("=").append(k.value);
      out.append("\r\n");
    }
  }
  return out;
}

std::vector<FakeIniFiles::Section>* FakeIniFiles::Load(const std::string& file) {
  const std::string* bytes = files_->File(file);
  if (!bytes || files_->ReadError(file) != FileError::kNone) return nullptr;
  if (file != cachedPath_ || *bytes != cachedBytes_) {
    cachedPath_ = file;
    cachedBytes_ = *bytes;
    cachedSections_ = Parse(*bytes);
    written_ = nullptr;
    writtenSection_ = nullptr;
  }
  // Read afresh, what was written last loses the blanks at its end.
  if (writtenSection_) writtenSection_->name = std::string(Trim(writtenSection_->name));
  if (written_) {
    written_->name = std::string(Trim(written_->name));
    written_->value = std::string(Trim(written_->value));
  }
  written_ = nullptr;
  writtenSection_ = nullptr;
  return &cachedSections_;
}

bool FakeIniFiles::Store(const std::string& file) {
  if (writesLeft_ == 0 || files_->WriteError(file) != FileError::kNone) {
    cachedPath_.clear();  // the change never reached the file
    written_ = nullptr;
    writtenSection_ = nullptr;
    return false;
  }
  if (writesLeft_ > 0) --writesLeft_;
  cachedBytes_ = Render(cachedSections_);
  files_->SetFile(file, cachedBytes_);
  return true;
}

std::string FakeIniFiles::ReadString(const std::string& file, const std::string& section,
                                     const std::string& key, const std::string& fallback,
                                     std::size_t bufferBytes) {
  log_.push_back("read " + file + " [" + section + "] " + key);
  const std::vector<Section>* sections = Load(file);
  const Key* found = sections ? FindKey(*sections, section, key) : nullptr;
  std::string value = found ? std::string(Unquoted(found->value)) : std::string(TrimEnd(fallback));
  if (bufferBytes == 0) return std::string();
  if (value.size() > bufferBytes - 1) value.resize(bufferBytes - 1);
  return value;
}

int FakeIniFiles::ReadInt(const std::string& file, const std::string& section,
                          const std::string& key, int fallback) {
  const std::string text = ReadString(file, section, key, std::string(), 1024);
  if (text.empty()) return fallback;
  return ParseInteger(text);
}

std::vector<std::string> FakeIniFiles::SectionNames(const std::string& file) {
  log_.push_back("sections " + file);
  std::vector<std::string> names;
  const std::vector<Section>* sections = Load(file);
  if (!sections) return names;
  for (const Section& s : *sections) {
    if (!s.name.empty()) names.push_back(s.name);
  }
  return names;
}

bool FakeIniFiles::WriteString(const std::string& file, const std::string& section,
                               const std::string& key, const std::string& value) {
  log_.push_back("write " + file + " [" + section + "] " + key + "=" + value);
  std::vector<Section>* sections = Load(file);
  if (!sections) {
    cachedPath_ = file;
    cachedBytes_.clear();
    cachedSections_.assign(1, Section{});
    sections = &cachedSections_;
  }
  const std::string_view keyName = Trim(key);
  const std::string stored(TrimStart(value));
  Section* s = FindSection(*sections, Trim(section));
  if (!s) {
    sections->push_back({std::string(TrimStart(section)), {}});
    s = &sections->back();
    writtenSection_ = s;
  }
  for (Key& k : s->keys) {
    if (!SameName(k.name, keyName)) continue;
    if (k.hasValue && k.value == stored) {
      writtenSection_ = nullptr;
      return true;
    }
    k.value = stored;
    k.hasValue = true;
    written_ = &k;
    return Store(file);
  }
  s->keys.push_back({std::string(TrimStart(key)), stored, true});
  written_ = &s->keys.back();
  return Store(file);
}

bool FakeIniFiles::DeleteSection(const std::string& file, const std::string& section) {
  log_.push_back("delete " + file + " [" + section + "]");
  std::vector<Section>* sections = Load(file);
  if (!sections) return true;
  // The first section of the name goes; any later one of it stays.
  for (auto it = sections->begin(); it != sections->end(); ++it) {
    if (!it->name.empty() && SameName(it->name, section)) {
      sections->erase(it);
      return Store(file);
    }
  }
  return true;
}

bool FakeIniFiles::Flush(const std::string& file) {
  log_.push_back("flush " + file);
  return false;
}

std::vector<std::string> FakeIniFiles::Changes() const {
  std::vector<std::string> changes;
  for (const std::string& entry : log_) {
    if (entry.rfind("read ", 0) == 0 || entry.rfind("sections ", 0) == 0) continue;
    changes.push_back(entry);
  }
  return changes;
}

}  // namespace sys
