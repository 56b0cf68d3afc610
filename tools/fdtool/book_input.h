// Reading the book a command works on, with the reason on failure.
#pragma once

#include <cstdio>
#include <string>

#include "platform/sys/file_system.h"
#include "store/book_file.h"

namespace fdtool {

// Puts back a book that an interrupted save of the editor lost (missing,
// empty or cut short beside a whole leftover: store::RescueBook), saying so
// on `errors`. False, after "fdtool: cannot read PATH: REASON", when such a
// book could not be put back.
bool RescueBookInput(sys::FileSystem& files, const std::string& path, std::FILE* errors);

// Reads the whole file at path into *bytes (memory of the file's size,
// filled once), after RescueBookInput. On failure prints "fdtool: cannot
// read PATH: REASON" to `errors` and returns false.
bool ReadBookInput(sys::FileSystem& files, const std::string& path, sys::FileBytes* bytes,
                   std::FILE* errors);

// "fdtool: cannot write PATH: REASON" for a failed replacement.
void ReportWriteFailure(const std::string& path, sys::FileError error, std::FILE* errors);

}  // namespace fdtool
