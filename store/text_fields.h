// The text fields of book lines: the eight texts and the honorific after an
// entry's or a member's kind and number.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "store/address_record.h"
#include "store/packed_texts.h"

namespace store {

// Scratch buffers for quoted fields and changed texts.
struct FieldScratch {
  std::array<std::string, kTextFieldCount> texts;
  std::string number;
};

// Reads the eight texts from the front of *rest, normalised as the reader
// normalises them (ideographic spaces, trimmed blanks), and the honorific.
// The views point into the value or into *scratch.
void ReadTextFields(std::string_view* rest, int codePage, FieldScratch* scratch, TextsView* out);

// The reading alone (the second text), normalised, from a line's fields
// after its kind and number: the same text ReadTextFields gives.
std::string_view ReadReading(std::string_view fields, int codePage, FieldScratch* scratch);

// What a line of fields as the writer writes them holds.
struct CanonicalFields {
  std::string_view reading;  // in the value or in the scratch buffer
  bool nameEmpty = true;
  int respect = kRespectNone;
};

// True when `value` (the fields after the kind and the number, to the end
// of the line) is exactly what the writer writes for the texts the reader
// reads from it: each text quoted only when it holds a comma or a quote,
// its quotes doubled, no blank at either end, no ideographic space, and the
// honorific in plain decimal with nothing after it. Such a value can be
// copied instead of formatted again. Without a scratch buffer, a quoted
// reading is left undecoded (out->reading then views its raw bytes).
bool ScanCanonicalFields(std::string_view value, std::string* scratch, CanonicalFields* out);
// The two ways it is found, which give the same answers: on bit masks of
// 64 bytes (where sixteen bytes are compared at once) and text by text.
bool ScanCanonicalFieldsByMasks(std::string_view value, std::string* scratch,
                                CanonicalFields* out);
bool ScanCanonicalFieldsByField(std::string_view value, std::string* scratch,
                                CanonicalFields* out);

}  // namespace store
