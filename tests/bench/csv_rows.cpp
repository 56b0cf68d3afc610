#include "tests/bench/csv_rows.h"

#include <cstdio>
#include <random>

namespace bench {

std::string AddressListCsv(int rows, bool refused) {
  std::mt19937 rng(20240611);
  std::string csv = "Name,Reading,Fax,Sub,Password,Company,Department,Recipient\r\n";
  for (int i = 0; i < rows; ++i) {
    std::string name, reading, company;
    for (int k = 0, n = 2 + static_cast<int>(rng() % 3); k < n; ++k) {
      name.push_back(static_cast<char>(0x88 + rng() % 16));
      name.push_back(static_cast<char>(0x9F + rng() % 90));
    }
    for (int k = 0, n = 4 + static_cast<int>(rng() % 9); k < n; ++k) {
      reading.push_back(static_cast<char>(0xB1 + rng() % 45));
    }
    if (refused && i % 50 == 7) reading = name;
    company = i % 20 == 3 ? std::string(70, 'C') : "Company " + std::to_string(i % 977);
    char fax[32];
    std::snprintf(fax, sizeof fax, "0%d-%04d-%04d", 3 + i % 6, i % 10000, (i * 7) % 10000);
    csv += name + "," + reading + "," + fax + ",,," + company + ",Sales,Desk\r\n";
  }
  return csv;
}

}  // namespace bench
