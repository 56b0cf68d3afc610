#include "booklib/rules/bulk_edit.h"

#include "booklib/rules/text_replace.h"
#include "booklib/rules/unique_name.h"
#include "platform/text/blanks.h"
#include "platform/text/codepage.h"

namespace rules {

using rules::FieldAt;
using rules::kFieldCount;
using rules::TextOf;

namespace {

constexpr int kNameFields = 2;

const std::string& TextIn(const store::EntryTexts& texts, int index) {
  return texts.*store::kTextFields[static_cast<std::size_t>(index)].member;
}

// A name field (0 DispName, 1 DispNameJP) given a new value that is made
// unique; the index follows.
void Rename(int index, const std::string& value, const rules::TextRules& rules, NameIndex* names,
            store::AddressRecord* record) {
  std::string& name = TextOf(*record, index);
  const std::string unique = MakeUniqueName(value, index, rules, *names);
  names->Rename(index, name, unique);
  name = unique;
}

}  // namespace

store::EntryTexts MultiEditProposals(const std::vector<BulkEntry>& entries, int codePage) {
  store::EntryTexts proposals;
  if (entries.empty()) return proposals;
  static_cast<store::EntryTexts&>(proposals) = *entries.front().record;
  proposals.respect = store::kRespectNone;
  bool firstAddress = true;
  bool sameRespect = true;
  for (std::size_t e = 0; e < entries.size(); ++e) {
    const store::AddressRecord& record = *entries[e].record;
    if (e > 0) {
      for (int i = 0; i < kFieldCount; ++i) {
        if (i >= kNameFields && entries[e].group) continue;
        std::string& proposal = TextOf(proposals, i);
        const std::string& value = TextIn(record, i);
        if (!text::EqualNoCase(codePage, proposal, value)) proposal.clear();
      }
    }
    if (entries[e].group) continue;
    if (firstAddress) {
      proposals.respect = record.respect;
      firstAddress = false;
    } else if (record.respect != proposals.respect) {
      sameRespect = false;
    }
  }
  if (!sameRespect) proposals.respect = store::kRespectNone;
  return proposals;
}

void ApplyMultiEdit(const MultiEdit& edit, bool group, const rules::TextRules& rules,
                    NameIndex* names, store::AddressRecord* record) {
  for (int i = 0; i < kNameFields; ++i) {
    if (edit.ticked[static_cast<std::size_t>(i)]) {
      Rename(i, TextIn(edit.values, i), rules, names, record);
    }
  }
  if (group) return;
  for (int i = kNameFields; i < kFieldCount; ++i) {
    if (edit.ticked[static_cast<std::size_t>(i)]) {
      TextOf(*record, i) = TextIn(edit.values, i);
    }
  }
  const std::size_t recipient = static_cast<std::size_t>(rules::Field::kClientName);
  if (edit.ticked[recipient] && record->clientName.empty()) record->respect = store::kRespectNone;
  if (edit.respectTicked) {
    record->respect = record->clientName.empty() ? store::kRespectNone : edit.values.respect;
  }
}

void ApplyReplacement(const Replacement& replace, bool group, const rules::TextRules& rules,
                      NameIndex* names, store::AddressRecord* record) {
  const int codePage = rules.codePage;
  for (int i = 0; i < kFieldCount; ++i) {
    const std::size_t f = static_cast<std::size_t>(i);
    if (!replace.ticked[f] || (group && i >= kNameFields)) continue;
    const std::size_t limit = rules::RuleOf(FieldAt(i)).maxBytes;
    std::string& value = TextOf(*record, i);
    if (FieldAt(i) == rules::Field::kFaxNumber) {
      std::string replaced;
      if (!ReplacePrefix(value, replace.search[f], replace.replacement[f], &replaced)) continue;
      replaced = CutReplaced(codePage, replaced, limit);
      if (!replaced.empty()) value = replaced;
      continue;
    }
    int count = 0;
    std::string replaced = ReplaceAll(codePage, value, replace.search[f], replace.replacement[f], &count);
    if (i < kNameFields && count == 0) continue;
    replaced = CutReplaced(codePage, replaced, limit);
    // A normalised field is kept as the next load will read it, so that a
    // name cannot come back equal to another entry's.
    if (rules::RuleOf(FieldAt(i)).normalised) replaced = text::NormaliseSpaces(codePage, replaced);
    if (i < kNameFields) {
      if (!replaced.empty()) Rename(i, replaced, rules, names, record);
      continue;
    }
    value = replaced;
    if (FieldAt(i) == rules::Field::kClientName && value.empty()) {
      record->respect = store::kRespectNone;
    }
  }
}

}  // namespace rules
