#include "platform/sys/whole_file_replace.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace sys {
namespace {

constexpr char kBook[] = "C:\\data\\address.fdt";

// What the swap does when it fails, as the system's replace call documents
// its failures.
enum class SwapFailure {
  kNone,
  kNothingMoved,       // the old file could not be removed: nothing changed
  kBothKeptNames,      // the new file could not be moved; with a backup name both keep theirs
  kOldGone,            // the new file could not be moved and the old one is gone
  kOldUnderBackup,     // the old file is under the backup name, the new one under its own
};

// An in-memory folder with the replace steps of the system, failing at the
// step a test chooses.
class FakeSteps : public ReplaceSteps {
 public:
  std::map<std::string, std::string> files;
  std::set<std::string> inUse;  // cannot be deleted
  bool failCreate = false;
  std::size_t failWriteAfter = std::string::npos;
  bool failFlush = false;
  SwapFailure failSwap = SwapFailure::kNone;
  bool failRenameOfTemp = false;
  bool failRenameOfBackup = false;

  FileError CreateExclusive(const std::string& path) override {
    if (failCreate) return FileError::kAccessDenied;
    if (files.count(path)) return FileError::kAccessDenied;
    open_ = path;
    files[path];
    return FileError::kNone;
  }
  FileError Write(std::string_view bytes) override {
    std::string& f = files[open_];
    if (f.size() + bytes.size() > failWriteAfter) {
      f.append(bytes.substr(0, failWriteAfter - f.size()));
      return FileError::kDiskFull;
    }
    f.append(bytes);
    return FileError::kNone;
  }
  FileError FlushAndClose() override {
    open_.clear();
    return failFlush ? FileError::kIoError : FileError::kNone;
  }
  void Abandon() override { open_.clear(); }
  bool Exists(const std::string& path) override { return files.count(path) != 0; }
  FileError Swap(const std::string& replaced, const std::string& replacement,
                 const std::string& backup) override {
    switch (failSwap) {
      case SwapFailure::kNone:
        files[backup] = files[replaced];
        files[replaced] = files[replacement];
        files.erase(replacement);
        return FileError::kNone;
      case SwapFailure::kNothingMoved:
      case SwapFailure::kBothKeptNames:
        return FileError::kAccessDenied;
      case SwapFailure::kOldGone:
        files.erase(replaced);
        return FileError::kIoError;
      case SwapFailure::kOldUnderBackup:
        files[backup] = files[replaced];
        files.erase(replaced);
        return FileError::kIoError;
    }
    return FileError::kIoError;
  }
  FileError Rename(const std::string& from, const std::string& to) override {
    const bool temp = from.size() > 4 && from.compare(from.size() - 4, 4, ".tmp") == 0;
    if ((temp && failRenameOfTemp) || (!temp && failRenameOfBackup)) return FileError::kIoError;
    if (!files.count(from) || files.count(to)) return FileError::kIoError;
    files[to] = files[from];
    files.erase(from);
    return FileError::kNone;
  }
  FileError Delete(const std::string& path) override {
    if (inUse.count(path)) return FileError::kSharingViolation;
    return files.erase(path) ? FileError::kNone : FileError::kNotFound;
  }
  std::vector<std::string> Matching(const std::string& folder, const std::string& prefix) override {
    std::vector<std::string> names;
    for (const auto& f : files) {
      if (FolderOf(f.first) != folder) continue;
      const std::string name = NameOf(f.first);
      if (name.compare(0, prefix.size(), prefix) == 0) names.push_back(name);
    }
    return names;
  }
  unsigned Unique() override { return ++unique_; }

 private:
  std::string open_;
  unsigned unique_ = 0x1000;
};

FileError Replace(FakeSteps& steps, const std::string& contents) {
  return ReplaceWholeFile(steps, kBook, [&](ByteSink& sink) {
    // In two pieces, as a streaming writer hands them on.
    return sink.Write(contents.substr(0, contents.size() / 2)) &&
           sink.Write(contents.substr(contents.size() / 2));
  });
}

TEST(WholeFileReplace, EveryFailureLeavesTheOldOrTheNewBookUnderItsName) {
  struct Case {
    const char* what;
    void (*arrange)(FakeSteps&);
    bool succeeds;  // the new book ends up in place
  } cases[] = {
      {"no failure", [](FakeSteps&) {}, true},
      {"temporary file cannot be created", [](FakeSteps& s) { s.failCreate = true; }, false},
      {"disk full part way", [](FakeSteps& s) { s.failWriteAfter = 5; }, false},
      {"flush fails", [](FakeSteps& s) { s.failFlush = true; }, false},
      {"old file cannot be removed", [](FakeSteps& s) { s.failSwap = SwapFailure::kNothingMoved; }, false},
      {"new file cannot be moved, names kept",
       [](FakeSteps& s) { s.failSwap = SwapFailure::kBothKeptNames; }, false},
      {"new file cannot be moved, old one gone",
       [](FakeSteps& s) { s.failSwap = SwapFailure::kOldGone; }, true},
      {"old file left under the backup name",
       [](FakeSteps& s) { s.failSwap = SwapFailure::kOldUnderBackup; }, true},
      {"old file under the backup name and the new one stuck",
       [](FakeSteps& s) {
         s.failSwap = SwapFailure::kOldUnderBackup;
         s.failRenameOfTemp = true;
       },
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FakeSteps steps;
    steps.files[kBook] = "old book";
    steps.files["C:\\data\\other.fdt"] = "another book";
    c.arrange(steps);
    const FileError error = Replace(steps, "the new book");
    EXPECT_EQ(error == FileError::kNone, c.succeeds);
    ASSERT_TRUE(steps.Exists(kBook));
    EXPECT_EQ(steps.files[kBook], c.succeeds ? "the new book" : "old book");
    EXPECT_EQ(steps.files.size(), 2u) << "a temporary or backup file was left";
  }
}

TEST(WholeFileReplace, ANewFileIsMovedIntoPlaceOrNotCreatedAtAll) {
  for (bool failRename : {false, true}) {
    FakeSteps steps;
    steps.failRenameOfTemp = failRename;
    EXPECT_EQ(Replace(steps, "first") == FileError::kNone, !failRename);
    EXPECT_EQ(steps.Exists(kBook), !failRename);
    EXPECT_EQ(steps.files.size(), failRename ? 0u : 1u);
  }
}

TEST(WholeFileReplace, LeftoversOfInterruptedSavesGoOnTheNextSave) {
  FakeSteps steps;
  steps.files[kBook] = "old book";
  steps.files["C:\\data\\address.fdt.~fbk00000001.tmp"] = "half a book";
  steps.files["C:\\data\\address.fdt.~fbk00000002.bak"] = "an older book";
  steps.files["C:\\data\\address.fdt.~fbk00000003.tmp"] = "being written by another program";
  steps.inUse.insert("C:\\data\\address.fdt.~fbk00000003.tmp");
  steps.files["C:\\data\\address.fdt.bak"] = "the user's own copy";
  steps.files["C:\\data\\other.fdt.~fbk00000004.tmp"] = "another book's save";
  ASSERT_EQ(Replace(steps, "new book"), FileError::kNone);
  std::set<std::string> left;
  for (const auto& f : steps.files) left.insert(f.first);
  EXPECT_EQ(left, (std::set<std::string>{kBook, "C:\\data\\address.fdt.~fbk00000003.tmp",
                                         "C:\\data\\address.fdt.bak",
                                         "C:\\data\\other.fdt.~fbk00000004.tmp"}));
}

TEST(WholeFileReplace, AWriterThatGivesUpLeavesTheOldBook) {
  FakeSteps steps;
  steps.files[kBook] = "old book";
  EXPECT_NE(ReplaceWholeFile(steps, kBook, [](ByteSink& sink) { return sink.Write("par") && false; }),
            FileError::kNone);
  EXPECT_EQ(steps.files[kBook], "old book");
  EXPECT_EQ(steps.files.size(), 1u);
}

}  // namespace
}  // namespace sys
