#include "tools/winhelp/help_container.h"

#include <vector>

#include "tools/winhelp/btree.h"

namespace winhelp {
namespace {

constexpr std::uint32_t kHelpMagic = 0x00035F3F;
constexpr std::size_t kFileHeader = 9;
constexpr unsigned kFileFlags = 4;

void AppendFile(ByteWriter* w, const winhelp::Bytes& content) {
  w->U32(static_cast<std::uint32_t>(content.size() + kFileHeader));
  w->U32(static_cast<std::uint32_t>(content.size()));
  w->U8(kFileFlags);
  w->Raw(content);
}

std::size_t DirectoryLeafLength(const winhelp::Bytes& page, std::size_t at) {
  const std::size_t nul = page.find('\0', at);
  return nul == std::string::npos ? 0 : nul - at + 1 + 4;
}

}  // namespace

winhelp::Bytes HelpContainer::Bytes() const {
  ByteWriter w;
  w.U32(kHelpMagic);
  w.U32(0);  // the directory's place, known at the end
  w.S32(-1);  // no free blocks
  w.U32(0);  // the file's size, known at the end
  std::vector<TreeEntry> entries;
  for (const auto& [name, content] : files_) {
    ByteWriter leaf, key;
    leaf.StringZ(name);
    leaf.U32(static_cast<std::uint32_t>(w.Size()));
    key.StringZ(name);
    entries.push_back({leaf.Take(), key.Take()});
    AppendFile(&w, content);
  }
  winhelp::Bytes directory;
  BuildTree({0x0402, 0x0400, "z4"}, entries, &directory);
  w.PatchU32(4, static_cast<std::uint32_t>(w.Size()));
  AppendFile(&w, directory);
  w.PatchU32(12, static_cast<std::uint32_t>(w.Size()));
  return w.Take();
}

bool ReadContainer(const winhelp::Bytes& file, std::map<std::string, winhelp::Bytes>* files) {
  files->clear();
  ByteReader r(file);
  if (r.U32() != kHelpMagic) return false;
  const std::uint32_t directoryAt = r.U32();
  r.U32();
  const std::uint32_t size = r.U32();
  if (r.Overrun() || size != file.size()) return false;
  const auto content = [&](std::uint32_t at, winhelp::Bytes* out) {
    if (at > file.size() || file.size() - at < kFileHeader) return false;
    ByteReader h(file, at);
    const std::uint32_t reserved = h.U32();
    const std::uint32_t used = h.U32();
    if (reserved < used + kFileHeader || file.size() - at - kFileHeader < used) return false;
    *out = file.substr(at + kFileHeader, used);
    return true;
  };
  winhelp::Bytes directory;
  if (!content(directoryAt, &directory)) return false;
  TreeHeader header;
  std::vector<winhelp::Bytes> leaves;
  if (!ReadTree(directory, DirectoryLeafLength, &header, &leaves)) return false;
  for (const winhelp::Bytes& leaf : leaves) {
    const std::size_t nul = leaf.find('\0');
    ByteReader e(leaf, nul + 1);
    winhelp::Bytes data;
    if (!content(e.U32(), &data)) return false;
    (*files)[leaf.substr(0, nul)] = data;
  }
  return true;
}

}  // namespace winhelp
