#include "booklib/csv/charset.h"

#include <cstdio>
#include <vector>

#include "booklib/csv/utf16.h"
#include "platform/sys/text_convert.h"
#include "platform/text/codepage.h"

namespace csv {

namespace {

bool AllAscii(std::string_view text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

// What a UTF-8 lead byte b asks of the bytes after it: how many follow,
// and the range of the first of them (the others are 0x80-0xBF). False
// when b starts no sequence of two or more bytes.
bool Utf8Lead(unsigned char b, std::size_t* follow, unsigned char* low, unsigned char* high) {
  *low = 0x80;
  *high = 0xBF;
  if (b >= 0xC2 && b <= 0xDF) {
    *follow = 1;
  } else if (b >= 0xE0 && b <= 0xEF) {
    *follow = 2;
    if (b == 0xE0) *low = 0xA0;
    if (b == 0xED) *high = 0x9F;
  } else if (b >= 0xF0 && b <= 0xF4) {
    *follow = 3;
    if (b == 0xF0) *low = 0x90;
    if (b == 0xF4) *high = 0x8F;
  } else {
    return false;
  }
  return true;
}

// Bytes of the UTF-8 sequence starting at text[i] when it is a valid one,
// else 0.
std::size_t Utf8SequenceAt(std::string_view text, std::size_t i) {
  const auto b = static_cast<unsigned char>(text[i]);
  if (b < 0x80) return 1;
  std::size_t follow;
  unsigned char low, high;
  if (!Utf8Lead(b, &follow, &low, &high) || i + follow >= text.size()) return 0;
  for (std::size_t k = 1; k <= follow; ++k) {
    const auto c = static_cast<unsigned char>(text[i + k]);
    if (c < (k == 1 ? low : 0x80) || c > (k == 1 ? high : 0xBF)) return 0;
  }
  return follow + 1;
}

// The three bytes of a surrogate, as the UTF-16 decoder writes one left
// without its partner.
bool IsLoneSurrogateAt(std::string_view text, std::size_t i) {
  return i + 2 < text.size() && static_cast<unsigned char>(text[i]) == 0xED &&
         static_cast<unsigned char>(text[i + 1]) >= 0xA0 &&
         (static_cast<unsigned char>(text[i + 2]) & 0xC0) == 0x80;
}

}  // namespace

void CharsetDetector::CheckUtf8(std::string_view piece) {
  for (char ch : piece) {
    const auto b = static_cast<unsigned char>(ch);
    if (due_ > 0) {
      if (b < low_ || b > high_) {
        utf8Valid_ = false;
        return;
      }
      low_ = 0x80;
      high_ = 0xBF;
      --due_;
      continue;
    }
    if (b < 0x80) continue;
    multiByte_ = true;
    std::size_t follow;
    if (!Utf8Lead(b, &follow, &low_, &high_)) {
      utf8Valid_ = false;
      return;
    }
    due_ = static_cast<int>(follow);
  }
}

void CharsetDetector::CheckCodePage(std::string_view text) {
  if (AllAscii(text)) return;
  // The double-byte pages first by their lead and trail bytes, which needs
  // no system call; then the system's tables on what is left.
  if (text::IsDoubleBytePage(codePage_)) {
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (!text::IsLeadByte(codePage_, static_cast<unsigned char>(text[i]))) continue;
      if (!text::IsDoubleByteAt(codePage_, text, i)) {
        pageValid_ = false;
        return;
      }
      ++i;
    }
  }
  std::string utf8;
  std::vector<std::size_t> undefined;
  if (sys::CodePageToUtf8(codePage_, text, &utf8, &undefined) && !undefined.empty()) {
    pageValid_ = false;
  }
}

bool CharsetDetector::Feed(std::string_view piece) {
  if (started_) return FeedBody(piece);
  // The marks may come in pieces of one byte.
  held_.append(piece);
  for (std::string_view mark : {kUtf8Bom, kUtf16LeBom, kUtf16BeBom}) {
    if (held_.size() < mark.size() && mark.substr(0, held_.size()) == held_) return true;
  }
  started_ = true;
  for (std::string_view mark : {kUtf16LeBom, kUtf16BeBom}) {
    if (held_.compare(0, mark.size(), mark) == 0) {
      utf16_ = true;
      return false;
    }
  }
  if (held_.compare(0, kUtf8Bom.size(), kUtf8Bom) == 0) {
    bom_ = true;
    return false;
  }
  std::string first;
  first.swap(held_);
  return FeedBody(first);
}

bool CharsetDetector::FeedBody(std::string_view piece) {
  if (bom_ || utf16_ || !utf8Valid_) return false;
  CheckUtf8(piece);
  if (!utf8Valid_) return false;
  if (!pageValid_) return true;  // only the UTF-8 check still matters
  // A line feed ends any character of either: whole lines go to the system.
  const std::size_t end = piece.rfind('\n');
  if (end == std::string_view::npos) {
    held_.append(piece);
    // A file without line feeds is checked in large lumps, cut before the
    // last run of non-ASCII bytes.
    if (held_.size() >= (1u << 20)) {
      std::size_t cut = held_.size();
      while (cut > 0 && static_cast<unsigned char>(held_[cut - 1]) >= 0x80) --cut;
      CheckCodePage(std::string_view(held_).substr(0, cut));
      held_.erase(0, cut);
    }
    return true;
  }
  held_.append(piece.substr(0, end + 1));
  CheckCodePage(held_);
  held_.assign(piece.substr(end + 1));
  return true;
}

Charset CharsetDetector::Result() const {
  if (utf16_) return Charset::kUtf16;
  if (bom_) return Charset::kUtf8;
  if (!started_) {
    // A file shorter than the mark.
    return Charset::kCodePage;
  }
  bool pageValid = pageValid_;
  if (pageValid && !held_.empty()) {
    CharsetDetector copy(*this);
    copy.CheckCodePage(held_);
    pageValid = copy.pageValid_;
  }
  const bool utf8 = utf8Valid_ && due_ == 0 && multiByte_;
  return utf8 && !pageValid ? Charset::kUtf8 : Charset::kCodePage;
}

Charset DetectFileCharset(sys::FileSystem& files, const std::string& path, int codePage) {
  CharsetDetector detector(codePage);
  const bool read = files.ReadPieces(path, [&](std::string_view piece) {
    return detector.Feed(piece);
  });
  return read ? detector.Result() : Charset::kCodePage;
}

bool Utf8ValueToCodePage(int codePage, std::string_view utf8, std::string* out,
                         Unconverted* first, Charset source) {
  *first = Unconverted();
  if (AllAscii(utf8)) {
    out->assign(utf8);
    return true;
  }
  bool missing = false;
  if (!sys::Utf8ToCodePage(codePage, utf8, out, &missing)) {
    // No conversion at all: every non-ASCII character is lacking.
    missing = true;
  }
  if (!missing) return true;
  // Character by character, to name the first one the page lacks.
  out->clear();
  std::string one;
  // The bytes of the file before the character at i (UTF-16: two per code
  // unit, a character beyond U+FFFF taking two units).
  const bool utf16 = source == Charset::kUtf16;
  std::size_t fileBytes = 0;
  for (std::size_t i = 0; i < utf8.size();) {
    std::size_t n = Utf8SequenceAt(utf8, i);
    const bool bad = n == 0;
    bool lack = bad;
    if (bad) {
      // A lone surrogate of a UTF-16 file is one "?".
      n = utf16 && IsLoneSurrogateAt(utf8, i) ? 3 : 1;
    } else if (n > 1) {
      lack = false;
      if (!sys::Utf8ToCodePage(codePage, utf8.substr(i, n), &one, &lack)) lack = true;
    } else {
      one.assign(1, utf8[i]);
    }
    if (lack && first->kind == Unconverted::Kind::kNone) {
      if (bad) {
        first->kind = utf16 ? Unconverted::Kind::kNotUtf16 : Unconverted::Kind::kNotUtf8;
        first->byte = (utf16 ? fileBytes : i) + 1;
      } else {
        first->kind = Unconverted::Kind::kLacking;
        first->character.assign(utf8.substr(i, n));
      }
    }
    if (lack) {
      out->push_back('?');
    } else {
      out->append(one);
    }
    fileBytes += n == 4 ? 4 : 2;
    i += n;
  }
  return first->kind == Unconverted::Kind::kNone;
}

std::string CodePointOf(std::string_view utf8) {
  if (utf8.empty()) return std::string();
  const std::size_t n = Utf8SequenceAt(utf8, 0);
  char buffer[16];
  if (n == 0) {
    std::string hex;
    for (char c : utf8) {
      std::snprintf(buffer, sizeof buffer, "%s0x%02X", hex.empty() ? "" : " ",
                    static_cast<unsigned>(static_cast<unsigned char>(c)));
      hex += buffer;
    }
    return hex;
  }
  const auto b0 = static_cast<unsigned char>(utf8[0]);
  unsigned value = n == 1 ? b0 : n == 2 ? (b0 & 0x1Fu) : n == 3 ? (b0 & 0x0Fu) : (b0 & 0x07u);
  for (std::size_t k = 1; k < n; ++k) {
    value = (value << 6) | (static_cast<unsigned char>(utf8[k]) & 0x3Fu);
  }
  std::snprintf(buffer, sizeof buffer, "U+%04X", value);
  return buffer;
}

}  // namespace csv
