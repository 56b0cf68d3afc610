#include "store/csv_field.h"

namespace store {

std::string NextCsvField(std::string_view* rest) {
  const std::string_view line = *rest;
  if (line.empty()) return std::string();
  const std::size_t comma = line.find(',');
  const std::size_t c = comma == std::string_view::npos ? line.size() : comma;
  const std::size_t q = line.find('"');
  const std::string_view after =
      comma == std::string_view::npos ? std::string_view() : line.substr(comma + 1);

  if (q == std::string_view::npos || q >= c) {
    *rest = after;
    return std::string(line.substr(0, c));
  }
  if (q > 0) {
    std::string field;
    field.reserve(c);
    for (std::size_t i = 0; i < c; ++i) {
      if (line[i] != '"') field.push_back(line[i]);
    }
    *rest = after;
    return field;
  }
  // A quoted field: scan from the byte after the opening quote.
  std::string field;
  field.reserve(line.size());
  for (std::size_t i = 1; i < line.size(); ++i) {
    const char ch = line[i];
    if (ch != '"') {
      field.push_back(ch);
      continue;
    }
    if (i + 1 < line.size() && line[i + 1] == '"') {
      field.push_back('"');
      ++i;
    } else if (i + 1 < line.size() && line[i + 1] == ',') {
      *rest = line.substr(i + 2);
      return field;
    }
    // Any other quote, or one standing last, is dropped.
  }
  *rest = std::string_view();
  return field;
}

std::string QuoteField(std::string_view text) {
  const bool hasQuote = text.find('"') != std::string_view::npos;
  if (!hasQuote && text.find(',') == std::string_view::npos) return std::string(text);
  std::string out;
  out.reserve(text.size() + 2 + (hasQuote ? 8 : 0));
  out.push_back('"');
  for (char ch : text) {
    out.push_back(ch);
    if (ch == '"') out.push_back('"');
  }
  out.push_back('"');
  return out;
}

}  // namespace store
