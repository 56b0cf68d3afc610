#include "booklib/vcard/vcard_reader.h"

#include <cctype>
#include <vector>

namespace vcard {
namespace {

char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

std::string Uppercase(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = Upper(c);
  return out;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Upper(a[i]) != Upper(b[i])) return false;
  }
  return true;
}

// The physical lines of the file, each without its line end.
class Lines {
 public:
  explicit Lines(std::string_view bytes) : bytes_(bytes) {}
  bool AtEnd() const { return pos_ >= bytes_.size(); }
  std::string_view Peek() const {
    std::size_t end = bytes_.find('\n', pos_);
    if (end == std::string_view::npos) end = bytes_.size();
    std::size_t stop = end;
    if (stop > pos_ && bytes_[stop - 1] == '\r') --stop;
    return bytes_.substr(pos_, stop - pos_);
  }
  std::string_view Next() {
    const std::string_view line = Peek();
    const std::size_t end = bytes_.find('\n', pos_);
    pos_ = end == std::string_view::npos ? bytes_.size() : end + 1;
    ++number_;
    return line;
  }
  int Number() const { return number_; }

 private:
  std::string_view bytes_;
  std::size_t pos_ = 0;
  int number_ = 0;
};

// The place of the ":" that ends a property's name and parameters: the
// first one outside double quotes; npos for none.
std::size_t ValueColon(std::string_view line) {
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '"') quoted = !quoted;
    if (line[i] == ':' && !quoted) return i;
  }
  return std::string_view::npos;
}

struct Property {
  std::string name;                 // upper case, without a group
  std::vector<std::string> params;  // as written: "TYPE=WORK,FAX", "QUOTED-PRINTABLE"
  std::string value;                // as written, folds joined
  // A parameter's value by its key ("CHARSET"); empty when it is not given.
  std::string Param(std::string_view key) const {
    for (const std::string& p : params) {
      const std::size_t eq = p.find('=');
      if (eq != std::string::npos && EqualNoCase(std::string_view(p).substr(0, eq), key)) {
        std::string v = p.substr(eq + 1);
        if (v.size() >= 2 && v.front() == '"' && v.back() == '"') v = v.substr(1, v.size() - 2);
        return v;
      }
    }
    return std::string();
  }
  // Whether a bare parameter or a TYPE value is `type` (any case).
  bool HasType(std::string_view type) const {
    for (const std::string& p : params) {
      const std::size_t eq = p.find('=');
      std::string_view values = p;
      if (eq != std::string::npos) {
        if (!EqualNoCase(std::string_view(p).substr(0, eq), "TYPE")) continue;
        values = std::string_view(p).substr(eq + 1);
      }
      std::size_t start = 0;
      while (start <= values.size()) {
        std::size_t comma = values.find(',', start);
        if (comma == std::string_view::npos) comma = values.size();
        std::string_view one = values.substr(start, comma - start);
        if (!one.empty() && one.front() == '"') one.remove_prefix(1);
        if (!one.empty() && one.back() == '"') one.remove_suffix(1);
        if (EqualNoCase(one, type)) return true;
        start = comma + 1;
      }
    }
    return false;
  }
  bool Encoded(std::string_view encoding) const {
    return EqualNoCase(Param("ENCODING"), encoding) || HasType(encoding);
  }
};

Property Parse(std::string_view line) {
  Property p;
  const std::size_t colon = ValueColon(line);
  const std::string_view head = line.substr(0, colon);
  p.value = colon == std::string_view::npos ? std::string() : std::string(line.substr(colon + 1));
  std::size_t start = 0;
  bool first = true;
  bool quoted = false;
  for (std::size_t i = 0; i <= head.size(); ++i) {
    if (i < head.size() && head[i] == '"') quoted = !quoted;
    if (i < head.size() && (head[i] != ';' || quoted)) continue;
    const std::string_view part = head.substr(start, i - start);
    if (first) {
      const std::size_t dot = part.rfind('.');
      p.name = Uppercase(dot == std::string_view::npos ? part : part.substr(dot + 1));
      first = false;
    } else if (!part.empty()) {
      p.params.emplace_back(part);
    }
    start = i + 1;
  }
  return p;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = Upper(c);
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string DecodeQuotedPrintable(std::string_view value) {
  std::string out;
  out.reserve(value.size());
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '=' && i + 2 < value.size()) {
      const int hi = HexValue(value[i + 1]);
      const int lo = HexValue(value[i + 2]);
      if (hi >= 0 && lo >= 0) {
        out.push_back(static_cast<char>(hi * 16 + lo));
        i += 2;
        continue;
      }
    }
    out.push_back(value[i]);
  }
  return out;
}

// A value's components, split at each ";" that no backslash escapes, each
// unescaped when `escaped` (3.0 and later).
std::vector<std::string> Components(std::string_view value, bool escaped) {
  std::vector<std::string> out(1);
  for (std::size_t i = 0; i < value.size(); ++i) {
    const char c = value[i];
    if (c == '\\' && i + 1 < value.size() && (escaped || value[i + 1] == ';')) {
      const char n = value[++i];
      out.back().push_back(n == 'n' || n == 'N' ? '\n' : n);
      continue;
    }
    if (c == ';') {
      out.emplace_back();
      continue;
    }
    out.back().push_back(c);
  }
  return out;
}

Charset CharsetOf(const Property& p, const std::string& version) {
  const std::string charset = Uppercase(p.Param("CHARSET"));
  if (charset == "UTF-8" || charset == "UTF8") return Charset::kUtf8;
  if (charset == "SHIFT_JIS" || charset == "SHIFT-JIS" || charset == "SJIS" ||
      charset == "CP932" || charset == "WINDOWS-31J" || charset == "MS_KANJI") {
    return Charset::kShiftJis;
  }
  return version == "2.1" || version.empty() ? Charset::kUnknown : Charset::kUtf8;
}

// A fax TEL's rank: 0 work, 1 neither home nor another kind, 2 any other.
int FaxRank(const Property& p) {
  if (p.HasType("WORK")) return 0;
  for (const char* other : {"HOME", "CELL", "PAGER", "CAR", "OTHER"}) {
    if (p.HasType(other)) return 2;
  }
  return 1;
}

// A TEL value as a number: a "tel:" URI's number, its extension written
// as an extension.
std::string TelNumber(std::string_view value) {
  if (value.size() >= 4 && EqualNoCase(value.substr(0, 4), "tel:")) {
    value.remove_prefix(4);
    std::string number(value.substr(0, value.find(';')));
    const std::size_t ext = Uppercase(value).find(";EXT=");
    if (ext != std::string::npos) {
      std::string_view e = value.substr(ext + 5);
      number += " ext " + std::string(e.substr(0, e.find(';')));
    }
    return number;
  }
  return std::string(value);
}

class CardReader {
 public:
  Card card;

  void Take(const Property& p) {
    if (p.name == "VERSION") {
      card.version = p.value;
      return;
    }
    std::string value = p.value;
    if (p.Encoded("QUOTED-PRINTABLE") || p.Encoded("QP")) value = DecodeQuotedPrintable(value);
    const bool escaped = card.version != "2.1" && !card.version.empty();
    const Charset charset = CharsetOf(p, card.version);
    std::vector<std::string> parts = Components(value, escaped);
    auto set = [&](Text* text, std::string bytes) {
      if (bytes.size() > kMaxValueBytes) {
        bytes.resize(kMaxValueBytes);
        card.cut = true;
      }
      text->bytes = std::move(bytes);
      text->charset = charset;
    };
    auto joined = [&]() {
      std::string all = parts[0];
      for (std::size_t i = 1; i < parts.size(); ++i) all += ";" + parts[i];
      return all;
    };
    if (p.name == "FN") {
      set(&card.formattedName, joined());
    } else if (p.name == "N") {
      set(&card.familyName, parts[0]);
      set(&card.givenName, parts.size() > 1 ? parts[1] : std::string());
      const std::string sortAs = p.Param("SORT-AS");
      if (!sortAs.empty()) {
        std::string reading = sortAs;
        for (char& c : reading) {
          if (c == ',') c = ' ';
        }
        set(&card.sortAs, reading);
      }
    } else if (p.name == "X-PHONETIC-LAST-NAME") {
      set(&card.familyReading, joined());
    } else if (p.name == "X-PHONETIC-FIRST-NAME") {
      set(&card.givenReading, joined());
    } else if (p.name == "SOUND" && p.HasType("X-IRMC-N")) {
      std::string reading = parts[0];
      if (parts.size() > 1 && !parts[1].empty()) {
        reading += (reading.empty() ? "" : " ") + parts[1];
      }
      set(&card.soundReading, reading);
    } else if (p.name == "TEL" && p.HasType("FAX")) {
      const int rank = FaxRank(p);
      if (rank < faxRank_) {
        faxRank_ = rank;
        set(&card.fax, TelNumber(joined()));
      }
    } else if (p.name == "ORG") {
      set(&card.organisation, parts[0]);
      set(&card.unit, parts.size() > 1 ? parts[1] : std::string());
    }
  }

 private:
  int faxRank_ = 3;
};

// The next logical line: folds and soft line breaks joined. A BASE64
// value's lines are passed over and give an empty line.
std::string NextLogicalLine(Lines* lines) {
  std::string line(lines->Next());
  const std::size_t colon = ValueColon(line);
  const std::string head = Uppercase(std::string_view(line).substr(0, colon));
  const bool qp = head.find("QUOTED-PRINTABLE") != std::string::npos ||
                  head.find("ENCODING=QP") != std::string::npos;
  const bool base64 = head.find("BASE64") != std::string::npos ||
                      head.find("ENCODING=B") != std::string::npos;
  if (qp) {
    while (!line.empty() && line.back() == '=' && !lines->AtEnd()) {
      line.pop_back();
      line.append(lines->Next());
    }
  }
  while (!lines->AtEnd()) {
    const std::string_view next = lines->Peek();
    const bool folded = !next.empty() && (next[0] == ' ' || next[0] == '\t');
    // A 2.1 BASE64 value runs on lines of its own to an empty line.
    const bool data = base64 && !next.empty() && ValueColon(next) == std::string_view::npos;
    if (!folded && !data) break;
    lines->Next();
    if (base64) continue;
    line.append(next.substr(1));
  }
  if (base64) {
    if (!lines->AtEnd() && lines->Peek().empty()) lines->Next();
    return std::string();
  }
  return line;
}

}  // namespace

int ReadCards(std::string_view file, const std::function<bool(const Card&)>& each) {
  // A byte-order mark of UTF-8 before the first card.
  if (file.substr(0, 3) == "\xEF\xBB\xBF") file.remove_prefix(3);
  Lines lines(file);
  int cards = 0;
  bool inCard = false;
  CardReader reader;
  auto finish = [&](bool unended) {
    reader.card.unended = unended;
    ++cards;
    return each(reader.card);
  };
  while (!lines.AtEnd()) {
    const int number = lines.Number() + 1;
    const std::string line = NextLogicalLine(&lines);
    if (line.empty()) continue;
    const Property p = Parse(line);
    const bool begin = p.name == "BEGIN" && EqualNoCase(p.value, "VCARD");
    const bool end = p.name == "END" && EqualNoCase(p.value, "VCARD");
    if (begin) {
      if (inCard && !finish(true)) return cards;
      reader = CardReader();
      reader.card.line = number;
      inCard = true;
      continue;
    }
    if (!inCard) continue;
    if (end) {
      inCard = false;
      if (!finish(false)) return cards;
      continue;
    }
    reader.Take(p);
  }
  if (inCard) finish(true);
  return cards;
}

}  // namespace vcard
