#include "booklib/csv/csv_records.h"

#include "booklib/csv/record_text.h"

namespace csv {

void Scan(std::string_view text, QuoteState* state, char separator) {
  std::size_t i = 0;
  const std::size_t n = text.size();
  while (i < n) {
    if (!state->quoted) {
      // At the start of a field.
      if (text[i] != '"') {
        const std::size_t comma = text.find(separator, i);
        if (comma == std::string_view::npos) return;
        i = comma + 1;
        continue;
      }
      state->quoted = true;
      state->odd = true;
      ++i;
      continue;
    }
    const std::size_t quote = text.find('"', i);
    if (quote == std::string_view::npos) return;
    if (quote + 1 < n && text[quote + 1] == '"') {
      i = quote + 2;
    } else if (quote + 1 < n && text[quote + 1] == separator) {
      state->quoted = false;
      state->odd = false;
      i = quote + 2;
    } else {
      state->odd = !state->odd;
      i = quote + 1;
    }
  }
}

bool EndsInOpenQuote(std::string_view line, char separator) {
  QuoteState state;
  Scan(line, &state, separator);
  return state.quoted && state.odd;
}

bool RecordJoiner::Emit() {
  record_.clear();
  bool cut = false;
  for (std::size_t i = 0; i < held_.size(); ++i) {
    if (i) record_.push_back('\n');
    record_.append(held_[i].text);
    cut = cut || held_[i].cutAtNul;
  }
  const int lines = static_cast<int>(held_.size());
  held_.clear();
  heldBytes_ = 0;
  return sink_(record_, heldFirst_, lines, cut);
}

// The open record's first line on its own; the lines after it read again.
bool RecordJoiner::GiveUpFirst() {
  Held first = std::move(held_.front());
  held_.pop_front();
  std::deque<Held> rest;
  rest.swap(held_);
  heldBytes_ = 0;
  const int restFirst = heldFirst_ + 1;
  if (!sink_(first.text, heldFirst_, 1, first.cutAtNul)) return false;
  for (std::size_t i = 0; i < rest.size(); ++i) {
    if (!Take(rest[i].text, rest[i].cutAtNul, restFirst + static_cast<int>(i))) return false;
  }
  return true;
}

bool RecordJoiner::Take(std::string_view line, bool cutAtNul, int number) {
  if (held_.empty()) {
    state_ = QuoteState();
    Scan(line, &state_, separator_);
    if (!(state_.quoted && state_.odd)) return sink_(line, number, 1, cutAtNul);
    heldFirst_ = number;
    held_.push_back({std::string(line), cutAtNul});
    heldBytes_ = line.size();
    return true;
  }
  held_.push_back({std::string(line), cutAtNul});
  heldBytes_ += line.size() + 1;
  // The scan goes on from where the record's last line left it.
  Scan(line, &state_, separator_);
  if (!(state_.quoted && state_.odd)) return Emit();
  if (held_.size() >= kMaxRecordLines || heldBytes_ >= kMaxRecordBytes) return GiveUpFirst();
  return true;
}

bool RecordJoiner::Line(std::string_view line, bool cutAtNul) {
  return Take(line, cutAtNul, ++lineNumber_);
}

bool RecordJoiner::Finish() {
  while (!held_.empty()) {
    if (!GiveUpFirst()) return false;
  }
  return true;
}

bool ReadRecords(sys::FileSystem& files, const std::string& path, const RecordSink& sink,
                 Charset charset) {
  // A tab-separated file's records are handed on with commas.
  std::string withCommas;
  const RecordSink fromTabs = [&](std::string_view record, int first, int lines, bool cut) {
    TabRecordToCommaRecord(record, &withCommas);
    return sink(withCommas, first, lines, cut);
  };
  bool tabs = false;
  RecordJoiner joiner(sink);
  RecordJoiner tabJoiner(fromTabs);
  tabJoiner.SetSeparator('\t');
  bool firstLine = true;
  bool stopped = false;
  const bool read = ReadLines(files, path, [&](std::string_view line, bool cutAtNul) {
    if (firstLine) {
      firstLine = false;
      tabs = charset == Charset::kUtf16 && line.find('\t') != std::string_view::npos;
    }
    stopped = !(tabs ? tabJoiner : joiner).Line(line, cutAtNul);
    return !stopped;
  }, charset);
  if (!read) return false;
  if (!stopped) (tabs ? tabJoiner : joiner).Finish();
  return true;
}

bool ReadFirstRecord(sys::FileSystem& files, const std::string& path, std::string* record,
                     Charset charset) {
  bool found = false;
  const bool read = ReadRecords(files, path, [&](std::string_view first, int, int, bool) {
    record->assign(first);
    found = true;
    return false;
  }, charset);
  return read && found;
}

}  // namespace csv
