// Writes the small device file of the Wine tests: four destinations of both
// record kinds (one without a name, two with the same name, one with a
// sub-address and password) and two records that are not taken.
//
//   make_fed_file OUT
#include <cstdio>

#include "tests/support/fed_file.h"

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  using fedfile::Encode;
  using fedfile::Record;
  Record kita1{1, 1, "Kita", "03-1111", 0, "", ""};
  Record kita2{1, 2, "Kita", "03-2222", 2, "12", "34"};
  Record nameless{1, 3, "", "06-3333", 0, "", ""};
  Record minami{1, 5, "Minami", "0312340301", 0, "", ""};
  Record off{0, 6, "Off", "1", 0, "", ""};
  Record beyond{1, 1000, "Beyond", "2", 0, "", ""};
  const std::string bytes = fedfile::File(
      {fedfile::Block(7, "abc"),
       fedfile::DestinationList(
           {fedfile::Item(0x41, Encode(kita1) + Encode(kita2) + Encode(nameless)),
            fedfile::Item(0x42, Encode(minami) + Encode(off) + Encode(beyond))})});
  std::FILE* out = std::fopen(argv[1], "wb");
  if (!out) return 1;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
  return std::fclose(out) == 0 && written ? 0 : 1;
}
