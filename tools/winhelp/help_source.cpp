#include "tools/winhelp/help_source.h"

#include <cstdlib>
#include <set>
#include <sstream>

namespace winhelp {
namespace {

std::string Trim(const std::string& s) {
  const std::size_t first = s.find_first_not_of(" \t\r");
  if (first == std::string::npos) return std::string();
  const std::size_t last = s.find_last_not_of(" \t\r");
  return s.substr(first, last - first + 1);
}

std::vector<std::string> Split(const std::string& s, char by) {
  std::vector<std::string> parts;
  std::string part;
  std::istringstream in(s);
  while (std::getline(in, part, by)) parts.push_back(Trim(part));
  if (!s.empty() && s.back() == by) parts.push_back(std::string());
  return parts;
}

std::vector<std::string> Words(const std::string& s) {
  std::vector<std::string> words;
  std::istringstream in(s);
  std::string w;
  while (in >> w) words.push_back(w);
  return words;
}

bool IsContextName(const std::string& s) {
  if (s.empty()) return false;
  for (char c : s) {
    const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                    c == '_' || c == '.';
    if (!ok) return false;
  }
  return true;
}

bool ParseNumber(const std::string& s, long* value) {
  if (s.empty()) return false;
  char* end = nullptr;
  *value = std::strtol(s.c_str(), &end, 0);
  return end && *end == '\0';
}

// Splits a paragraph's text into runs: plain, **bold** and [[jumps]].
bool ParseRuns(const std::string& text, std::vector<Run>* runs, std::string* error) {
  Run current;
  bool bold = false;
  const auto flush = [&]() {
    if (!current.text.empty()) runs->push_back(current);
    current = Run();
    current.kind = bold ? Run::kBold : Run::kText;
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\\' && i + 1 < text.size()) {
      current.text.push_back(text[++i]);
    } else if (c == '*' && i + 1 < text.size() && text[i + 1] == '*') {
      flush();
      bold = !bold;
      current.kind = bold ? Run::kBold : Run::kText;
      ++i;
    } else if (c == '[' && i + 1 < text.size() && text[i + 1] == '[') {
      const std::size_t close = text.find("]]", i + 2);
      if (close == std::string::npos) {
        *error = "a jump [[ without ]]";
        return false;
      }
      flush();
      const std::string inside = text.substr(i + 2, close - i - 2);
      const std::size_t bar = inside.find('|');
      Run link;
      link.kind = Run::kLink;
      link.target = Trim(inside.substr(0, bar));
      if (bar != std::string::npos) link.text = Trim(inside.substr(bar + 1));
      if (!IsContextName(link.target)) {
        *error = "a jump to \"" + link.target + "\", which is no context name";
        return false;
      }
      runs->push_back(link);
      i = close + 1;
    } else {
      current.text.push_back(c);
    }
  }
  if (bold) {
    *error = "** left open";
    return false;
  }
  flush();
  return true;
}

class Parser {
 public:
  explicit Parser(HelpDocument* doc) : doc_(doc) {}

  bool Line(const std::string& raw, int number) {
    line_ = number;
    const std::string line = Trim(raw);
    if (raw.rfind("#", 0) == 0 && raw.rfind("##", 0) != 0) return true;
    if (line.empty()) return EndParagraph();
    if (line[0] == '@') return EndParagraph() && Directive(line);
    if (line.rfind("+ ", 0) == 0) {
      if (!EndParagraph()) return false;
      book_ = Trim(line.substr(2));
      return true;
    }
    if (line.rfind("* ", 0) == 0) {
      if (!EndParagraph()) return false;
      Topic topic;
      topic.title = Trim(line.substr(2));
      topic.book = book_;
      topic.line = number;
      doc_->topics.push_back(topic);
      return true;
    }
    if (doc_->topics.empty()) return Fail("text before the first topic");
    if (line.rfind("## ", 0) == 0) {
      if (!EndParagraph()) return false;
      kind_ = Paragraph::kHeading;
      text_ = Trim(line.substr(3));
      return EndParagraph();
    }
    if (line.rfind("- ", 0) == 0) {
      if (!EndParagraph()) return false;
      kind_ = Paragraph::kBullet;
      text_ = Trim(line.substr(2));
      return true;
    }
    Append(line);
    return true;
  }

  bool Finish() { return EndParagraph(); }
  const std::string& Error() const { return error_; }

 private:
  bool Fail(const std::string& what) {
    error_ = "line " + std::to_string(line_) + ": " + what;
    return false;
  }

  // Joins a continued line: a space only between two ASCII characters.
  void Append(const std::string& line) {
    if (!text_.empty()) {
      const auto last = static_cast<unsigned char>(text_.back());
      const auto first = static_cast<unsigned char>(line.front());
      if (last < 0x80 && first < 0x80) text_.push_back(' ');
    }
    text_ += line;
  }

  bool EndParagraph() {
    if (text_.empty()) {
      kind_ = Paragraph::kBody;
      return true;
    }
    Paragraph p;
    p.kind = kind_;
    std::string error;
    if (!ParseRuns(text_, &p.runs, &error)) return Fail(error);
    doc_->topics.back().paragraphs.push_back(p);
    text_.clear();
    kind_ = Paragraph::kBody;
    return true;
  }

  bool Directive(const std::string& line) {
    const std::size_t space = line.find(' ');
    const std::string name = line.substr(1, space == std::string::npos ? std::string::npos : space - 1);
    const std::string value = space == std::string::npos ? std::string() : Trim(line.substr(space + 1));
    Topic* topic = doc_->topics.empty() ? nullptr : &doc_->topics.back();
    if (name == "context" || name == "map" || name == "keywords") {
      if (!topic) return Fail("@" + name + " before the first topic");
      if (name == "context") {
        for (const std::string& w : Words(value)) {
          if (!IsContextName(w)) return Fail("\"" + w + "\" is no context name");
          topic->contexts.push_back(w);
        }
      } else if (name == "map") {
        for (const std::string& w : Words(value)) {
          long n = 0;
          if (!ParseNumber(w, &n) || n < 0) return Fail("\"" + w + "\" is no map number");
          topic->maps.push_back(static_cast<std::uint32_t>(n));
        }
      } else {
        for (const std::string& k : Split(value, ';')) {
          if (!k.empty()) topic->keywords.push_back(k);
        }
      }
      return true;
    }
    if (topic) return Fail("@" + name + " belongs before the first topic");
    if (name == "title") {
      doc_->title = value;
    } else if (name == "copyright") {
      doc_->copyright = value;
    } else if (name == "codepage") {
      long n = 0;
      if (!ParseNumber(value, &n)) return Fail("\"" + value + "\" is no code page");
      doc_->codePage = static_cast<int>(n);
    } else if (name == "font") {
      const std::vector<std::string> parts = Split(value, '|');
      long points = 0;
      if (parts.size() != 2 || parts[0].empty() || !ParseNumber(parts[1], &points) || points < 4 ||
          points > 72) {
        return Fail("@font wants FACE|POINTS");
      }
      doc_->fontFace = parts[0];
      doc_->fontPoints = static_cast<int>(points);
    } else if (name == "contents") {
      doc_->contents = value;
    } else if (name == "base") {
      doc_->base = value;
    } else if (name == "window") {
      const std::vector<std::string> parts = Split(value, '|');
      if (parts.size() < 2 || parts.size() > 3 || parts[0].empty() || parts[0].size() > 8) {
        return Fail("@window wants NAME|CAPTION[|x y w h] with a name of at most 8 letters");
      }
      WindowDef w;
      w.name = parts[0];
      w.caption = parts[1];
      if (parts.size() == 3) {
        const std::vector<std::string> n = Words(parts[2]);
        long v[4] = {};
        for (std::size_t i = 0; i < 4; ++i) {
          if (n.size() != 4 || !ParseNumber(n[i], &v[i]) || v[i] < 0 || v[i] > 1023) {
            return Fail("@window: x y w h are four numbers from 0 to 1023");
          }
        }
        w.placed = true;
        w.x = static_cast<int>(v[0]);
        w.y = static_cast<int>(v[1]);
        w.width = static_cast<int>(v[2]);
        w.height = static_cast<int>(v[3]);
      }
      doc_->windows.push_back(w);
    } else {
      return Fail("unknown directive @" + name);
    }
    return true;
  }

  HelpDocument* doc_;
  int line_ = 0;
  std::string book_;
  std::string text_;
  Paragraph::Kind kind_ = Paragraph::kBody;
  std::string error_;
};

}  // namespace

bool ParseHelpSource(const std::string& source, HelpDocument* doc, std::string* error) {
  Parser parser(doc);
  std::istringstream in(source);
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    if (!parser.Line(line, ++number)) {
      *error = parser.Error();
      return false;
    }
  }
  if (!parser.Finish()) {
    *error = parser.Error();
    return false;
  }
  return true;
}

bool CheckHelpDocument(const HelpDocument& doc, std::string* error) {
  if (doc.topics.empty()) {
    *error = "no topics";
    return false;
  }
  std::set<std::string> contexts;
  std::set<std::uint32_t> maps;
  for (const Topic& t : doc.topics) {
    const std::string where = "topic \"" + t.title + "\" (line " + std::to_string(t.line) + ")";
    if (t.contexts.empty()) {
      *error = where + " has no @context";
      return false;
    }
    for (const std::string& c : t.contexts) {
      if (!contexts.insert(c).second) {
        *error = where + ": context " + c + " is used twice";
        return false;
      }
    }
    for (std::uint32_t m : t.maps) {
      if (!maps.insert(m).second) {
        *error = where + ": map number " + std::to_string(m) + " is used twice";
        return false;
      }
    }
  }
  for (const Topic& t : doc.topics) {
    for (const Paragraph& p : t.paragraphs) {
      for (const Run& r : p.runs) {
        if (r.kind == Run::kLink && contexts.count(r.target) == 0) {
          *error = "topic \"" + t.title + "\" jumps to " + r.target + ", which no topic has";
          return false;
        }
      }
    }
  }
  if (!doc.contents.empty() && contexts.count(doc.contents) == 0) {
    *error = "@contents names " + doc.contents + ", which no topic has";
    return false;
  }
  std::set<std::string> windows;
  for (const WindowDef& w : doc.windows) {
    if (!windows.insert(w.name).second) {
      *error = "window " + w.name + " is defined twice";
      return false;
    }
  }
  return true;
}

}  // namespace winhelp
