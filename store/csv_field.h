// The comma-and-double-quote fields of book lines and CSV files.
//
// No legal double-byte character of the supported code pages contains a
// comma or a double quote byte, so fields are found byte by byte; a lead byte
// without its trail (a cut text) never hides the comma after it.
#pragma once

#include <string>
#include <string_view>

namespace store {

// Takes the next field off the front of *rest and returns it:
// - a field that starts with a double quote runs to the quote that a comma
//   follows; two quotes in a row give one, any other quote is dropped, and an
//   unclosed field runs to the end;
// - a field that holds a quote before its comma is the bytes before the
//   comma with every quote removed;
// - otherwise the field is the bytes before the first comma.
// *rest becomes what follows the field's comma (empty when there was none).
// No trimming or conversion happens here.
std::string NextCsvField(std::string_view* rest);

// The same, without copying when the field needs no unquoting: the result
// views *rest's bytes or, for a quoted field, *scratch (valid until the next
// call with the same scratch).
std::string_view NextCsvFieldView(std::string_view* rest, std::string* scratch);
// The same answers, byte by byte: what the fast reader is compared with.
std::string_view NextCsvFieldViewPlain(std::string_view* rest, std::string* scratch);

// The same fields, unquoted where they stand: the field's bytes in the
// caller's buffer [*at, end) are rewritten from the field's start (never
// past its end), and the result views them there. *at moves past the
// field's comma, to end when there was none.
std::string_view NextCsvFieldInPlace(char** at, char* end);

// Passes over the next field as NextCsvFieldView does, without making it.
void SkipCsvField(std::string_view* rest);

// NextCsvFieldView with tabs in the place of commas: the fields of
// tab-separated text (a tab is no byte of a UTF-8 sequence either).
std::string_view NextTabFieldView(std::string_view* rest, std::string* scratch);

// Quotes a text for a book line: a text holding a double quote is written in
// quotes with its quotes doubled; else a text holding a comma is written in
// quotes; else the text is written unchanged.
std::string QuoteField(std::string_view text);

// Appends QuoteField(text) to *out.
void AppendQuotedField(std::string_view text, std::string* out);

}  // namespace store
