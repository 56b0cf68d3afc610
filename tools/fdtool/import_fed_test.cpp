// fdtool import-fed writes the book the editor's device import and apply
// write, and keeps OUT untouched when there is nothing to import.
#include <gtest/gtest.h>

#include "platform/fake/fake_file_system.h"
#include "platform/text/portable_collation.h"
#include "tests/support/bulk_harness.h"
#include "tests/support/fed_file.h"
#include "tools/fdtool/commands.h"

namespace fdtool {
namespace {

using fedfile::Record;

// Destinations whose names collide, differ only in case, are empty, long or
// outside the reading class, in both kinds of records.
std::string MixedDevice() {
  std::string first, second;
  const char* names[] = {"abc", "ABC", "abc", "", "Branch Office Number Nine", "a\x11" "b",
                         "M\xFC" "ller", "Zeta", "zeta"};
  unsigned index = 0;
  for (const char* name : names) {
    Record r;
    r.index = index++;
    r.name = name;
    r.fax = "03-" + std::to_string(index);
    r.dataKind = index % 2 ? 2 : 0;
    r.subAddress = "1" + std::to_string(index);
    first += fedfile::Encode(r);
    r.index += 500;
    second += fedfile::Encode(r);
  }
  return fedfile::File(
      {fedfile::DestinationList({fedfile::Item(0x41, first), fedfile::Item(0x42, second)})});
}

TEST(ImportFed, WritesTheBookTheEditorsImportAndApplyWrite) {
  const struct {
    const char* language;
    int langId;
    int codePage;
  } languages[] = {{"Japanese", 1041, 932}, {"English", 1033, 1252}, {"German", 1031, 1252}};
  for (const auto& l : languages) {
    BulkHarness editor;
    editor.SetLanguage(l.language);
    editor.system.codePage = l.codePage;
    editor.StartWith({"[FAX_ADDR]=1,1,Old,OLD,1,,,,,,0"});
    editor.files.SetFile("C:\\m.fed", MixedDevice());
    editor.fileDialogs.ChooseNext("C:\\m.fed");
    editor.Command(ID_IMPORT_QUORVEX);
    ASSERT_TRUE(editor.Document().Apply());

    device::CQuorvexFileReader reader;
    ASSERT_TRUE(reader.ReadBytes(MixedDevice(), l.langId));
    text::PortableCollation collation(l.codePage);
    bool full = true;
    EXPECT_EQ(DeviceImportBook(reader.Destinations(), l.langId, collation, &full),
              editor.WrittenBook())
        << l.language;
    EXPECT_FALSE(full);
  }
}

TEST(ImportFed, ExitCodesAndOutput) {
  sys::FakeFileSystem files;
  files.SetFile("C:\\good.fed", fedfile::Destinations(2));
  files.SetFile("C:\\empty.fed", fedfile::File({}));
  files.SetFile("C:\\broken.fed", fedfile::FileCounted(1, {}));
  files.SetFile("C:\\full.fed", fedfile::Destinations(3001));
  const struct {
    const char* fed;
    int exit;
    bool written;
  } cases[] = {
      {"C:\\good.fed", kExitOk, true},       {"C:\\empty.fed", kExitProblems, false},
      {"C:\\broken.fed", kExitUnreadable, false}, {"C:\\missing.fed", kExitUnreadable, false},
      {"C:\\full.fed", kExitOk, true},
  };
  for (const auto& c : cases) {
    files.SetFile("C:\\out.fdt", "previous");
    EXPECT_EQ(RunImportFed(files, Options(), c.fed, "C:\\out.fdt"), c.exit) << c.fed;
    EXPECT_EQ(*files.File("C:\\out.fdt") != "previous", c.written) << c.fed;
  }
  RunImportFed(files, Options(), "C:\\good.fed", "C:\\out.fdt");
  EXPECT_EQ(*files.File("C:\\out.fdt"),
            Book({"[FAX_ADDR]=1,1,Dest 1,#0000,03-0000-0001,,,,,,0",
                  "[FAX_ADDR]=1,2,Dest 2,#0001,03-0000-0002,,,,,,0"}));
}

}  // namespace
}  // namespace fdtool
