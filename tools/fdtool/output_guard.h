// Keeping a command from writing its output over one of its inputs.
#pragma once

#include <cstdio>
#include <initializer_list>
#include <string>

#include "platform/sys/file_system.h"

namespace fdtool {

// An input a command reads, with what it is ("the book", "the CSV file").
struct NamedInput {
  const std::string& path;
  const char* what;
};

// Whether output leads to the same file as one of the inputs, however the
// paths are spelt (links and other names of the file included). When it
// does, prints "fdtool: not writing OUT: it is the same file as WHAT IN"
// to `errors` and returns true; the command then writes nothing.
bool OutputIsAnInput(sys::FileSystem& files, const std::string& output,
                     std::initializer_list<NamedInput> inputs, std::FILE* errors);

}  // namespace fdtool
