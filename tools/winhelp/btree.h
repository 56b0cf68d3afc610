// The B+ trees of a help file: the internal directory and the files that
// map keys to topics (|CONTEXT, |TTLBTREE, |KWBTREE).
//
// A tree is a header and fixed-size pages. Leaf pages hold the entries in
// key order and are chained both ways; index pages above them hold the
// first key of each child page but the first, whose number is the page's
// "previous page". The caller hands in the entries already sorted in the
// order the reader searches them, each as its leaf bytes (key and value)
// and its index key bytes.
#pragma once

#include <string>
#include <vector>

#include "tools/winhelp/byte_writer.h"

namespace winhelp {

struct TreeEntry {
  Bytes leaf;      // key and value as a leaf page stores them
  Bytes indexKey;  // the key as an index page stores it (before the page number)
};

struct TreeShape {
  unsigned flags = 0x0002;     // 0x0400 marks the internal directory
  unsigned pageSize = 0x0800;  // 1 KiB for the directory, 2 KiB otherwise
  std::string structure;       // what the entries hold ("z4", "L4", ...)
};

// Where each leaf page starts: its page number and the index of its first
// entry (the keyword map of |KWMAP lists them).
struct LeafStart {
  int page;
  long firstEntry;
};

// The whole tree (header and pages). Returns false when an entry does not
// fit into one page.
bool BuildTree(const TreeShape& shape, const std::vector<TreeEntry>& entries, Bytes* out,
               std::vector<LeafStart>* leafStarts = nullptr);

// Sizes of the tree's parts, for tests and the dump.
struct TreeHeader {
  unsigned magic = 0, flags = 0, pageSize = 0;
  std::string structure;
  int rootPage = 0, totalPages = 0, levels = 0;
  long entries = 0;
};

// Reads a tree back: the header and every leaf entry's bytes in chain
// order, as parsed by `leafLength` (the length of the entry starting at the
// given position of a page). False on a malformed tree.
bool ReadTree(const Bytes& tree, std::size_t (*leafLength)(const Bytes& page, std::size_t at),
              TreeHeader* header, std::vector<Bytes>* leaves);

}  // namespace winhelp
