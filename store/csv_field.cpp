#include "store/csv_field.h"

#include <cstdint>
#include <cstring>

#include "store/byte_scan.h"

namespace store {
using scan::HasByte;
using scan::Load8;

std::string NextCsvField(std::string_view* rest) {
  std::string scratch;
  return std::string(NextCsvFieldView(rest, &scratch));
}

std::string_view NextCsvFieldView(std::string_view* rest, std::string* scratch) {
  const std::string_view line = *rest;
  if (line.empty()) return std::string_view();
  // One pass to the first comma or quote.
  const std::size_t i = scan::FindAny(line, 0, ',', '"', ',');
  if (i == line.size() || line[i] == ',') {
    *rest = i == line.size() ? std::string_view() : line.substr(i + 1);
    return line.substr(0, i);
  }
  std::string& field = *scratch;
  if (i > 0) {
    // A quote inside the field: the bytes before the first comma, every
    // quote removed.
    const std::size_t comma = line.find(',', i);
    const std::size_t c = comma == std::string_view::npos ? line.size() : comma;
    field.assign(line.data(), i);
    for (std::size_t at = i + 1; at < c; ++at) {
      if (line[at] != '"') field.push_back(line[at]);
    }
    *rest = comma == std::string_view::npos ? std::string_view() : line.substr(comma + 1);
    return field;
  }
  // A quoted field: from the byte after the opening quote, two quotes give
  // one, a quote and a comma end the field, any other quote (or one standing
  // last) is dropped; without a closing quote the field runs to the end.
  // The buffer only grows, so that it is not cleared for every field.
  if (field.size() < line.size()) field.resize(line.size());
  char* const begin = &field[0];
  char* out = begin;
  const char* p = line.data() + 1;
  const char* const end = line.data() + line.size();
  while (p < end) {
    // Runs without a quote go eight bytes at a time: out never passes p.
    if (end - p >= 8) {
      const std::uint64_t w = Load8(p);
      if (!HasByte(w, '"')) {
        std::memcpy(out, p, 8);
        out += 8;
        p += 8;
        continue;
      }
    }
    const char ch = *p++;
    if (ch != '"') {
      *out++ = ch;
      continue;
    }
    if (p < end && *p == '"') {
      *out++ = '"';
      ++p;
    } else if (p < end && *p == ',') {
      *rest = std::string_view(p + 1, static_cast<std::size_t>(end - p - 1));
      return std::string_view(begin, static_cast<std::size_t>(out - begin));
    }
  }
  *rest = std::string_view();
  return std::string_view(begin, static_cast<std::size_t>(out - begin));
}

std::string QuoteField(std::string_view text) {
  std::string out;
  AppendQuotedField(text, &out);
  return out;
}

void AppendQuotedField(std::string_view text, std::string* out) {
  const bool quote = scan::Contains(text, '"', '"');
  if (!quote && !scan::Contains(text, ',', ',')) {
    out->append(text.data(), text.size());
    return;
  }
  const std::size_t start = out->size();
  out->resize(start + 2 * text.size() + 2);
  char* o = &(*out)[start];
  *o++ = '"';
  if (!quote) {
    std::memcpy(o, text.data(), text.size());
    o += text.size();
  } else {
    const char* p = text.data();
    const char* const end = p + text.size();
    while (p < end) {
      if (end - p >= 8 && !HasByte(Load8(p), '"')) {
        std::memcpy(o, p, 8);
        o += 8;
        p += 8;
        continue;
      }
      const char c = *p++;
      *o++ = c;
      if (c == '"') *o++ = '"';
    }
  }
  *o++ = '"';
  out->resize(static_cast<std::size_t>(o - out->data()));
}

}  // namespace store
