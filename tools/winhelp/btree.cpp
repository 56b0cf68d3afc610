#include "tools/winhelp/btree.h"

#include <cstdint>

namespace winhelp {
namespace {

constexpr unsigned kTreeMagic = 0x293B;
constexpr std::size_t kLeafHeader = 8;   // free bytes, entries, previous, next
constexpr std::size_t kIndexHeader = 6;  // free bytes, entries, previous (first child)
constexpr std::size_t kTreeHeader = 38;

struct Page {
  Bytes body;
  int entries = 0;
  int previous = -1;
  int next = -1;
  bool leaf = true;
};

// A page of the level being built and the first key below it.
struct Child {
  int page;
  Bytes firstKey;
};

Bytes PageBytes(const Page& page, unsigned pageSize) {
  const std::size_t header = page.leaf ? kLeafHeader : kIndexHeader;
  ByteWriter w;
  w.U16(static_cast<unsigned>(pageSize - header - page.body.size()));
  w.S16(page.entries);
  w.S16(page.previous);
  if (page.leaf) w.S16(page.next);
  w.Raw(page.body);
  w.Fixed("", pageSize - w.Size());
  return w.Take();
}

}  // namespace

bool BuildTree(const TreeShape& shape, const std::vector<TreeEntry>& entries, Bytes* out,
               std::vector<LeafStart>* leafStarts) {
  std::vector<Page> pages;
  if (leafStarts) leafStarts->clear();
  std::vector<Child> level;
  const std::size_t leafRoom = shape.pageSize - kLeafHeader;
  for (const TreeEntry& e : entries) {
    if (e.leaf.size() > leafRoom || e.indexKey.size() + 2 > shape.pageSize - kIndexHeader) {
      return false;
    }
    if (pages.empty() || pages.back().body.size() + e.leaf.size() > leafRoom) {
      if (!pages.empty()) pages.back().next = static_cast<int>(pages.size());
      Page page;
      page.previous = pages.empty() ? -1 : static_cast<int>(pages.size()) - 1;
      pages.push_back(page);
      level.push_back({static_cast<int>(pages.size()) - 1, e.indexKey});
      if (leafStarts) {
        leafStarts->push_back({static_cast<int>(pages.size()) - 1,
                               static_cast<long>(&e - entries.data())});
      }
    }
    pages.back().body += e.leaf;
    ++pages.back().entries;
  }
  if (pages.empty()) {
    pages.push_back(Page());
    level.push_back({0, Bytes()});
  }

  int levels = 1;
  while (level.size() > 1) {
    std::vector<Child> above;
    const std::size_t room = shape.pageSize - kIndexHeader;
    for (std::size_t i = 0; i < level.size(); ++i) {
      const Child& child = level[i];
      const std::size_t cost = child.firstKey.size() + 2;
      if (above.empty() || pages.back().body.size() + cost > room) {
        Page page;
        page.leaf = false;
        page.previous = child.page;
        pages.push_back(page);
        above.push_back({static_cast<int>(pages.size()) - 1, child.firstKey});
        continue;
      }
      ByteWriter w;
      w.Raw(child.firstKey);
      w.S16(child.page);
      pages.back().body += w.Data();
      ++pages.back().entries;
    }
    level = std::move(above);
    ++levels;
  }

  ByteWriter w;
  w.U16(kTreeMagic);
  w.U16(shape.flags);
  w.U16(shape.pageSize);
  w.Fixed(shape.structure, 16);
  w.S16(0);  // must be zero
  w.S16(0);  // page splits
  w.S16(level.front().page);
  w.S16(-1);
  w.S16(static_cast<int>(pages.size()));
  w.S16(levels);
  w.S32(static_cast<std::int32_t>(entries.size()));
  for (const Page& page : pages) w.Raw(PageBytes(page, shape.pageSize));
  *out = w.Take();
  return true;
}

bool ReadTree(const Bytes& tree, std::size_t (*leafLength)(const Bytes& page, std::size_t at),
              TreeHeader* header, std::vector<Bytes>* leaves) {
  ByteReader r(tree);
  header->magic = r.U16();
  header->flags = r.U16();
  header->pageSize = r.U16();
  header->structure.clear();
  for (int i = 0; i < 16; ++i) {
    const unsigned c = r.U8();
    if (c != 0 && header->structure.size() == static_cast<std::size_t>(i)) {
      header->structure.push_back(static_cast<char>(c));
    }
  }
  r.S16();
  r.S16();
  header->rootPage = r.S16();
  r.S16();
  header->totalPages = r.S16();
  header->levels = r.S16();
  header->entries = r.S32();
  if (r.Overrun() || header->magic != kTreeMagic || header->pageSize < kLeafHeader ||
      header->levels < 1 || header->totalPages < 1 ||
      tree.size() < kTreeHeader + header->pageSize * static_cast<std::size_t>(header->totalPages)) {
    return false;
  }
  const auto pageAt = [&](int n) {
    return tree.substr(kTreeHeader + header->pageSize * static_cast<std::size_t>(n), header->pageSize);
  };
  int page = header->rootPage;
  for (int l = 1; l < header->levels; ++l) {
    if (page < 0 || page >= header->totalPages) return false;
    const Bytes index = pageAt(page);
    ByteReader p(index, 4);
    page = p.S16();
  }
  leaves->clear();
  for (int guard = 0; page != -1; ++guard) {
    if (page < 0 || page >= header->totalPages || guard > header->totalPages) return false;
    const Bytes bytes = pageAt(page);
    ByteReader p(bytes);
    p.U16();
    const int n = p.S16();
    p.S16();
    const int next = p.S16();
    std::size_t at = kLeafHeader;
    for (int i = 0; i < n; ++i) {
      const std::size_t length = leafLength(bytes, at);
      if (length == 0 || at + length > bytes.size()) return false;
      leaves->push_back(bytes.substr(at, length));
      at += length;
    }
    page = next;
  }
  return static_cast<long>(leaves->size()) == header->entries;
}

}  // namespace winhelp
