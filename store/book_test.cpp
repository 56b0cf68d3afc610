#include "store/book.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <sstream>

#include "store/test_support.h"

namespace store {
namespace {

AddressRecord Address(int regNo, const std::string& reading, const std::string& fax = "03-1") {
  AddressRecord r;
  r.kind = kKindAddress;
  r.regNo = regNo;
  r.dispName = "N" + reading;
  r.dispNameJP = reading;
  r.faxNumber = fax;
  r.companyName = "Co " + reading;
  r.respect = regNo % 4;
  return r;
}

AddressRecord Group(int regNo, const std::string& reading) {
  AddressRecord r;
  r.kind = kKindGroup;
  r.regNo = regNo;
  r.dispName = "G" + reading;
  r.dispNameJP = reading;
  return r;
}

std::string Describe(const EntryTexts& t) {
  std::ostringstream out;
  for (const TextField& f : kTextFields) out << t.*f.member << '|';
  out << t.respect;
  return out.str();
}

// Everything a book holds, the list order and the slots of the group table
// with every position included, as text: two books are the same book when
// their pictures are equal.
std::string Picture(const Book& book) {
  std::ostringstream out;
  for (int i = 0; i < book.Size(); ++i) {
    const AddressRecord& r = book.RecordAt(i);
    out << book.IdAt(i) << ':' << r.kind << ',' << r.regNo << ',' << Describe(r) << '\n';
  }
  for (int slot = 0; slot < kGroupSlots; ++slot) {
    const GroupRecord& info = book.Groups().Slot(slot);
    if (info.key == 0) continue;
    out << "slot " << slot << ' ' << info.key << ' ' << info.count << ' ' << info.originKind;
    const SlotImage image = book.Groups().ImageOf(slot);
    for (const MemberEntry& m : image.positions) out << " [" << Describe(m) << ']';
    out << '\n';
  }
  return out.str();
}

// A book of addresses and groups whose members are copies of the addresses,
// with some hand-made lines: members that are not quite their address,
// members of no address, readings that differ only in case.
void Fill(Book* book, std::mt19937* random, int addresses, int groups) {
  std::vector<AddressRecord> records;
  GroupTable table(932, book->Alerts());
  for (int i = 0; i < addresses; ++i) {
    records.push_back(Address(i + 1, "R" + std::to_string(i)));
  }
  for (int g = 0; g < groups; ++g) {
    const int regNo = addresses + g + 1;
    records.push_back(Group(regNo, "GR" + std::to_string(g)));
    table.AddMember(regNo, kKindGroup, MemberEntry());
    const int members = static_cast<int>((*random)() % 6);
    for (int m = 0; m < members; ++m) {
      MemberEntry member = MemberFrom(records[(*random)() % addresses]);
      switch ((*random)() % 8) {
        case 0: member.faxNumber += "9"; break;  // not quite the address
        case 1: member.dispNameJP = "r" + member.dispNameJP.substr(1); break;  // case only
        case 2: member.dispNameJP = "X" + std::to_string(m); break;            // no address
        default: break;
      }
      table.AddMember(regNo, kKindMember, member);
    }
  }
  book->Load(std::move(records), std::move(table));
}

// One random command, as the editor's commands use the verbs.
void RandomStep(Book* book, std::mt19937* random, int* nextRegNo) {
  const auto pick = [&]() { return book->IdAt(static_cast<int>((*random)() % book->Size())); };
  BookStep step(*book);
  switch ((*random)() % 7) {
    case 0:
      book->Add(Address((*nextRegNo)++, "NEW" + std::to_string(*nextRegNo)));
      break;
    case 1: {
      std::vector<MemberEntry> members;
      for (int i = 0; i < 3 && book->Size() > 0; ++i) {
        const EntryId id = pick();
        if (!book->IsGroup(id)) members.push_back(MemberFrom(*book->Find(id)));
      }
      book->AddGroup(Group((*nextRegNo)++, "NG" + std::to_string(*nextRegNo)), members);
      break;
    }
    case 2:
    case 3: {
      if (book->Size() == 0) break;
      const EntryId id = pick();
      EntryTexts texts = *book->Find(id);
      if ((*random)() % 2) texts.dispNameJP += "+";
      texts.faxNumber += "7";
      texts.respect = static_cast<int>((*random)() % 4);
      book->Change(id, texts);
      break;
    }
    case 4: {
      if (book->Size() == 0) break;
      const EntryId id = pick();
      if (!book->IsGroup(id)) break;
      std::vector<MemberEntry> members;
      for (int i = 0; i < 4; ++i) {
        const EntryId other = pick();
        if (!book->IsGroup(other)) members.push_back(MemberFrom(*book->Find(other)));
      }
      book->SetMembers(id, members);
      break;
    }
    case 5:
      if (book->Size() > 0) book->Remove(pick());
      break;
    case 6: {
      // A replace over several entries: one step of many changes.
      for (int i = 0; i < 5 && book->Size() > 0; ++i) {
        const EntryId id = pick();
        EntryTexts texts = *book->Find(id);
        texts.companyName = "Replaced " + std::to_string(i);
        book->Change(id, texts);
      }
      break;
    }
  }
}

TEST(BookTest, UndoGivesBackEveryStateAndRedoDoesEachStepAgain) {
  for (unsigned seed = 1; seed <= 40; ++seed) {
    std::mt19937 random(seed);
    RecordingAlerts alerts;
    Book book(932, &alerts);
    book.EnableHistory(1000);
    Fill(&book, &random, 12, 5);
    int nextRegNo = 100;
    std::vector<std::string> pictures{Picture(book)};
    std::vector<std::uint64_t> hashes{book.ContentHash()};
    for (int s = 0; s < 30; ++s) {
      const std::uint64_t revision = book.Revision();
      RandomStep(&book, &random, &nextRegNo);
      if (book.Revision() == revision) continue;  // nothing changed: no step
      pictures.push_back(Picture(book));
      hashes.push_back(book.ContentHash());
    }
    const std::size_t steps = pictures.size() - 1;
    for (std::size_t s = steps; s > 0; --s) {
      ASSERT_TRUE(book.Undo()) << "seed " << seed << " step " << s;
      ASSERT_EQ(Picture(book), pictures[s - 1]) << "seed " << seed << " undo to " << s - 1;
      ASSERT_EQ(book.ContentHash(), hashes[s - 1]) << "seed " << seed;
    }
    EXPECT_FALSE(book.CanUndo());
    EXPECT_FALSE(book.Modified()) << "seed " << seed;
    for (std::size_t s = 1; s <= steps; ++s) {
      ASSERT_TRUE(book.Redo()) << "seed " << seed;
      ASSERT_EQ(Picture(book), pictures[s]) << "seed " << seed << " redo to " << s;
      ASSERT_EQ(book.ContentHash(), hashes[s]) << "seed " << seed;
    }
    EXPECT_FALSE(book.CanRedo());
    EXPECT_TRUE(alerts.shown.empty());
  }
}

// Many entries' texts changed in one step, their readings kept: the step
// notes the texts alone and finds the groups' copies again when it is
// taken back. Readings equal but for case, a reading changed in between,
// one entry changed twice, long texts and honorifics must all come back.
TEST(BookTest, AStepOfManyTextChangesComesBackWholeWithTheGroupsCopies) {
  using Edit = std::function<void(Book&, const std::vector<EntryId>&)>;
  const auto rename = [](Book& book, EntryId id, const std::string& name) {
    EntryTexts texts = *book.Find(id);
    texts.dispName = name;
    texts.respect = (texts.respect + 1) % 4;
    book.Change(id, texts);
  };
  const struct {
    const char* what;
    Edit edit;
  } cases[] = {
      {"every entry renamed",
       [&](Book& book, const std::vector<EntryId>& ids) {
         for (EntryId id : ids) rename(book, id, "Renamed " + book.Find(id)->dispName);
       }},
      {"readings equal but for case",
       [&](Book& book, const std::vector<EntryId>& ids) {
         rename(book, ids[0], "one");
         rename(book, ids[1], "two");  // "ab" after "AB"
         rename(book, ids[2], "three");
       }},
      {"a reading changed between renames",
       [&](Book& book, const std::vector<EntryId>& ids) {
         rename(book, ids[2], "first");
         EntryTexts texts = *book.Find(ids[3]);
         texts.dispNameJP = "CD2";
         book.Change(ids[3], texts);
         rename(book, ids[3], "after its reading");
         rename(book, ids[0], "last");
       }},
      {"one entry twice, texts longer than a byte counts",
       [&](Book& book, const std::vector<EntryId>& ids) {
         rename(book, ids[0], std::string(300, 'x'));
         rename(book, ids[1], "between");
         rename(book, ids[0], std::string(70000, 'y'));
         rename(book, ids[0], "");
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    RecordingAlerts alerts;
    Book book(932, &alerts);
    book.EnableHistory(100);
    std::vector<AddressRecord> records = {Address(1, "AB"), Address(2, "ab"), Address(3, "EF"),
                                          Address(4, "CD"), Group(5, "G1"), Group(6, "G2")};
    GroupTable table(932, &alerts);
    for (int key : {5, 6}) {
      table.AddMember(key, kKindGroup, MemberEntry());
      for (int a : {3, 0, 1, 2}) {
        table.AddMember(key, kKindMember, MemberFrom(records[static_cast<std::size_t>(a)]));
      }
    }
    book.Load(std::move(records), std::move(table));
    std::vector<EntryId> ids;
    for (int i = 0; i < book.Size(); ++i) ids.push_back(book.IdAt(i));
    const std::string before = Picture(book);
    const std::uint64_t hashBefore = book.ContentHash();
    {
      BookStep step(book);
      c.edit(book, ids);
    }
    const std::string after = Picture(book);
    const std::uint64_t hashAfter = book.ContentHash();
    ASSERT_NE(after, before);
    for (int round = 0; round < 2; ++round) {
      ASSERT_TRUE(book.Undo());
      EXPECT_EQ(Picture(book), before);
      EXPECT_EQ(book.ContentHash(), hashBefore);
      EXPECT_FALSE(book.Modified());
      ASSERT_TRUE(book.Redo());
      EXPECT_EQ(Picture(book), after);
      EXPECT_EQ(book.ContentHash(), hashAfter);
    }
  }
}

TEST(BookTest, ModifiedExactlyWhileTheBookDiffersFromWhatWasSaved) {
  RecordingAlerts alerts;
  Book book(932, &alerts);
  book.EnableHistory(100);
  book.Load({Address(1, "A"), Address(2, "B")}, GroupTable(932, &alerts));
  EXPECT_FALSE(book.Modified());
  const EntryId a = book.IdAt(0);
  EntryTexts texts = *book.Find(a);
  texts.faxNumber = "06-2";
  {
    BookStep step(book);
    book.Change(a, texts);
  }
  EXPECT_TRUE(book.Modified());
  texts.faxNumber = "03-1";  // changed back by hand: the same book again
  {
    BookStep step(book);
    book.Change(a, texts);
  }
  EXPECT_FALSE(book.Modified());
  book.Undo();
  EXPECT_TRUE(book.Modified());
  book.MarkSaved();  // applied here
  EXPECT_FALSE(book.Modified());
  book.Undo();
  EXPECT_TRUE(book.Modified());
  book.Redo();
  EXPECT_FALSE(book.Modified());
}

TEST(BookTest, ChangesThatChangeNothingMakeNoStep) {
  RecordingAlerts alerts;
  Book book(932, &alerts);
  book.EnableHistory(100);
  book.Load({Address(1, "A")}, GroupTable(932, &alerts));
  {
    BookStep step(book);
    book.Change(book.IdAt(0), *book.Find(book.IdAt(0)));
  }
  EXPECT_FALSE(book.CanUndo());
  EXPECT_FALSE(book.Modified());
}

TEST(BookTest, RemovingAnAddressTakesGroupsLeftEmptyAndUndoBringsThemBack) {
  RecordingAlerts alerts;
  Book book(932, &alerts);
  book.EnableHistory(100);
  GroupTable table(932, &alerts);
  const AddressRecord a = Address(1, "A");
  table.AddMember(5, kKindGroup, MemberEntry());
  table.AddMember(5, kKindMember, MemberFrom(a));
  table.AddMember(6, kKindGroup, MemberEntry());
  table.AddMember(6, kKindMember, MemberFrom(a));
  table.AddMember(6, kKindMember, MemberFrom(Address(2, "B")));
  book.Load({a, Address(2, "B"), Group(5, "G5"), Group(6, "G6")}, std::move(table));
  const std::string before = Picture(book);
  std::vector<EntryId> also;
  {
    BookStep step(book);
    book.Remove(book.IdAt(0), &also);
  }
  EXPECT_EQ(book.Size(), 2);  // B and G6; G5 lost its only member
  EXPECT_EQ(also.size(), 1u);
  EXPECT_EQ(book.Groups().MemberCount(6), 1);
  std::vector<EntryId> touched;
  book.Undo(&touched);
  EXPECT_EQ(Picture(book), before);
  EXPECT_EQ(touched.size(), 2u);  // the address and the group it took with it
}

TEST(BookTest, HistoryKeepsItsStepsAndForgetsWhatWasUndoneOnANewStep) {
  RecordingAlerts alerts;
  Book book(932, &alerts);
  book.EnableHistory(100);
  book.Load({}, GroupTable(932, &alerts));
  for (int i = 0; i < 150; ++i) {
    BookStep step(book);
    book.Add(Address(i + 1, "R" + std::to_string(i)));
  }
  int undone = 0;
  while (book.Undo()) ++undone;
  EXPECT_EQ(undone, 150);  // small steps: more than the hundred kept in any case
  EXPECT_EQ(book.Size(), 0);
  book.Redo();
  {
    BookStep step(book);
    book.Add(Address(500, "Z"));
  }
  EXPECT_FALSE(book.CanRedo());
  EXPECT_EQ(book.Size(), 2);
}

}  // namespace
}  // namespace store
