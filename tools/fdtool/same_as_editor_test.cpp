// fdtool normalize writes what the editor writes when it loads a book and
// applies it at once: generated books with groups, repeated readings, odd
// kinds and hand-made lines, in Japanese and in English.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "platform/text/portable_collation.h"
#include "store/test_support.h"
#include "tests/support/editor_harness.h"
#include "tools/fdtool/normalize.h"

namespace fdtool {
namespace {

class BookMaker {
 public:
  explicit BookMaker(unsigned seed) : random_(seed) {}

  std::string Make() {
    std::string book = BookHeader();
    const int lines = Pick(40) + 1;
    for (int i = 0; i < lines; ++i) {
      last_ = Line();
      book += last_ + "\r\n";
    }
    return book;
  }

 private:
  int Pick(int n) { return static_cast<int>(random_() % static_cast<unsigned>(n)); }
  template <size_t N>
  const char* OneOf(const char* const (&pool)[N]) {
    return pool[Pick(static_cast<int>(N))];
  }

  // Readings that repeat, differ in case only, or hold kana and
  // double-byte characters, so that loads drop and sorts interleave.
  std::string Reading() {
    static const char* const pool[] = {"abc", "ABC", "Abc", "b-c", "bc", "\xB1\xB2",
                                       "\xB6\xB7", "\x82\xA0", "z", "", " abc ", "a'b"};
    return OneOf(pool);
  }

  std::string Fields() {
    static const char* const names[] = {"Kita", "\"Minami, Shop\"", "\x95\x5C", "",
                                        "\"The \"\"Sun\"\"\"", "Nishi"};
    static const char* const faxes[] = {"03-111", "", "06-333-444", "12345678901234567890"};
    static const char* const respects[] = {"0", "1", "3", "", "7", "-1"};
    std::string line = std::string(OneOf(names)) + "," + Reading() + "," + OneOf(faxes);
    const int extra = Pick(8);
    for (int i = 0; i < extra; ++i) line += i == 6 ? std::string(",") + OneOf(respects) : ",x";
    return line;
  }

  std::string RegNo() {
    static const char* const pool[] = {"1", "2", "3", "4", "5", "007", "40", "x", "", "2999"};
    return OneOf(pool);
  }

  std::string Line() {
    switch (Pick(10)) {
      case 0:
      case 1:
      case 2:
        return "[FAX_ADDR]=1," + RegNo() + "," + Fields();
      case 3:
      case 4:
        return "[FAX_ADDR]=3," + RegNo() + "," + Fields();
      case 5:
      case 6:
        return "[FAX_ADDR_GM]=4," + RegNo() + "," + Fields();
      case 7: {
        static const char* const kinds[] = {"0", "2", "9", "-1", "x", ""};
        return std::string("[FAX_ADDR]=") + OneOf(kinds) + "," + RegNo() + "," + Fields();
      }
      case 8: {
        static const char* const odd[] = {"", "garbage", "[FAX_ADDR]", "[OTHER]=1,2,a,b",
                                          "[FAX_ADDR]=1", "[FAX_ADDR]=1,5,a\rb,c",
                                          "  [FAX_ADDR]=1,6,lead,LEAD"};
        return OneOf(odd);
      }
      default:  // the line before again, as a copy the load takes as one entry
        return last_.empty() ? "[FAX_ADDR]=1,9,Same,SAME" : last_;
    }
  }

  std::mt19937 random_;
  std::string last_;
};

std::string EditorWrites(const std::string& book, const char* language, int codePage) {
  EditorHarness editor;
  editor.SetLanguage(language);
  editor.system.codePage = codePage;
  editor.files.SetFile(editor.DataFile(), book);
  if (!editor.Start() || !editor.Document().Apply()) return "(not written)";
  const std::string* written = editor.files.File(editor.DataFile());
  return written ? *written : "(no file)";
}

TEST(SameAsEditor, NormalizeWritesWhatTheEditorsLoadAndApplyWrite) {
  const struct {
    const char* language;
    int langId;
    int codePage;
  } languages[] = {{"Japanese", 1041, 932}, {"English", 1033, 1252}};
  for (unsigned seed = 1; seed <= 60; ++seed) {
    const std::string book = BookMaker(seed).Make();
    for (const auto& l : languages) {
      text::PortableCollation collation(l.codePage);
      store::RecordingAlerts alerts;
      EXPECT_EQ(NormalizeBook(book, l.langId, collation, &alerts),
                EditorWrites(book, l.language, l.codePage))
          << l.language << ", seed " << seed << ", book:\n"
          << book;
    }
  }
}

}  // namespace
}  // namespace fdtool
