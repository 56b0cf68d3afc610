// hlpmake: builds a Windows Help file (and its contents file) from a help
// source, or shows what a help file holds.
//
//   hlpmake SOURCE OUT.hlp [OUT.cnt]
//   hlpmake --dump FILE.hlp
//
// Exit status 0 on success, 1 when the source or the file is wrong, 64 on
// bad arguments. Output files are written whole or not at all.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "tools/winhelp/help_source.h"
#include "tools/winhelp/hlp_reader.h"
#include "tools/winhelp/hlp_writer.h"

namespace {

bool ReadAll(const std::string& path, std::string* out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  out->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

// Writes beside the target and renames over it, so that a failed write
// leaves no half file under the target's name.
bool WriteWhole(const std::string& path, const std::string& bytes) {
  const std::string temporary = path + ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
      std::remove(temporary.c_str());
      return false;
    }
  }
  if (std::rename(temporary.c_str(), path.c_str()) != 0) {
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}

int Fail(const std::string& message, int code = 1) {
  std::fprintf(stderr, "hlpmake: %s\n", message.c_str());
  return code;
}

std::string Hex(std::uint32_t v) {
  char buffer[16];
  std::snprintf(buffer, sizeof(buffer), "0x%05X", static_cast<unsigned>(v));
  return buffer;
}

int Dump(const std::string& path) {
  std::string bytes, error;
  if (!ReadAll(path, &bytes)) return Fail("cannot read " + path);
  winhelp::ReadHelp help;
  if (!winhelp::ReadHelpFile(bytes, &help, &error)) return Fail(path + ": " + error);
  std::ostringstream out;
  out << "title\t" << help.title << "\ncharset\t" << help.charset << "\n";
  for (const auto& w : help.windows) out << "window\t" << w.name << "\t" << w.caption << "\n";
  for (const auto& [number, offset] : help.maps) {
    const winhelp::ReadTopic* t = help.TopicAt(offset);
    out << "map\t" << Hex(number) << "\t" << (t ? t->title : "?") << "\n";
  }
  for (const auto& t : help.topics) out << "topic\t" << Hex(t.offset) << "\t" << t.title << "\n";
  std::fputs(out.str().c_str(), stdout);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string usage = "usage: hlpmake SOURCE OUT.hlp [OUT.cnt] | hlpmake --dump FILE.hlp";
  if (argc == 3 && std::string(argv[1]) == "--dump") return Dump(argv[2]);
  if (argc != 3 && argc != 4) return Fail(usage, 64);
  std::string source, error;
  if (!ReadAll(argv[1], &source)) return Fail(std::string("cannot read ") + argv[1]);
  winhelp::HelpDocument doc;
  if (!winhelp::ParseHelpSource(source, &doc, &error) || !winhelp::CheckHelpDocument(doc, &error)) {
    return Fail(std::string(argv[1]) + ": " + error);
  }
  winhelp::WrittenHelp written;
  if (!winhelp::WriteHelp(doc, &written, &error)) return Fail(std::string(argv[1]) + ": " + error);
  if (!WriteWhole(argv[2], written.hlp)) return Fail(std::string("cannot write ") + argv[2]);
  if (argc == 4) {
    if (written.cnt.empty()) return Fail("the source has no @base for a contents file");
    if (!WriteWhole(argv[3], written.cnt)) return Fail(std::string("cannot write ") + argv[3]);
  }
  return 0;
}
