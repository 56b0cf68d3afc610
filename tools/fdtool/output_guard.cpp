#include "tools/fdtool/output_guard.h"

namespace fdtool {

bool OutputIsAnInput(sys::FileSystem& files, const std::string& output,
                     std::initializer_list<NamedInput> inputs, std::FILE* errors) {
  for (const NamedInput& input : inputs) {
    if (!files.SameFile(output, input.path)) continue;
    std::fprintf(errors, "fdtool: not writing %s: it is the same file as %s %s\n", output.c_str(),
                 input.what, input.path.c_str());
    return true;
  }
  return false;
}

}  // namespace fdtool
