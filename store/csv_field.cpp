#include "store/csv_field.h"

namespace store {

std::string NextCsvField(std::string_view* rest) {
  std::string scratch;
  return std::string(NextCsvFieldView(rest, &scratch));
}

std::string_view NextCsvFieldView(std::string_view* rest, std::string* scratch) {
  const std::string_view line = *rest;
  if (line.empty()) return std::string_view();
  const std::size_t comma = line.find(',');
  const std::size_t c = comma == std::string_view::npos ? line.size() : comma;
  const std::size_t q = line.substr(0, c).find('"');
  const std::string_view after =
      comma == std::string_view::npos ? std::string_view() : line.substr(comma + 1);

  if (q == std::string_view::npos) {
    *rest = after;
    return line.substr(0, c);
  }
  std::string& field = *scratch;
  field.clear();
  if (q > 0) {
    for (std::size_t i = 0; i < c;) {
      std::size_t quote = line.substr(0, c).find('"', i);
      if (quote == std::string_view::npos) quote = c;
      field.append(line.substr(i, quote - i));
      i = quote + 1;
    }
    *rest = after;
    return field;
  }
  // A quoted field: scan from the byte after the opening quote.
  for (std::size_t i = 1; i < line.size(); ++i) {
    std::size_t quote = line.find('"', i);
    if (quote == std::string_view::npos) quote = line.size();
    field.append(line.substr(i, quote - i));
    i = quote;
    if (i >= line.size()) break;
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
  std::string out;
  AppendQuotedField(text, &out);
  return out;
}

void AppendQuotedField(std::string_view text, std::string* out) {
  std::size_t quote = text.find('"');
  if (quote == std::string_view::npos && text.find(',') == std::string_view::npos) {
    out->append(text);
    return;
  }
  out->push_back('"');
  std::size_t from = 0;
  while (quote != std::string_view::npos) {
    out->append(text.substr(from, quote + 1 - from));
    out->push_back('"');
    from = quote + 1;
    quote = text.find('"', from);
  }
  out->append(text.substr(from));
  out->push_back('"');
}

}  // namespace store
