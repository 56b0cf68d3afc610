#include "store/book.h"

#include <algorithm>
#include <utility>

#include "platform/text/codepage.h"
#include "store/book_change.h"
#include "store/book_history.h"
#include "store/content_hash.h"

namespace store {
namespace {

// What the history may hold beyond the steps it keeps in any case.
constexpr std::size_t kHistoryBudget = std::size_t(128) << 20;

std::size_t TextsBytes(const EntryTexts& texts) {
  std::size_t bytes = 0;
  for (const TextField& field : kTextFields) bytes += (texts.*field.member).capacity();
  return bytes;
}

std::size_t ImageBytes(const SlotImage& image) {
  std::size_t bytes = sizeof(image) + image.positions.capacity() * sizeof(MemberEntry);
  for (const MemberEntry& m : image.positions) bytes += TextsBytes(m);
  return bytes;
}

}  // namespace

// --- the changes a history keeps ---------------------------------------------

// An entry put into the list; undone, it is kept here.
class EntryAdded : public BookChange {
 public:
  explicit EntryAdded(EntryId id) : id_(id) {}
  void Undo(Book& book) override { record_ = book.TakeEntry(id_, &index_); }
  void Redo(Book& book) override {
    book.InsertEntry(index_, id_, std::move(record_));
    record_ = AddressRecord();
  }
  void Touched(std::vector<EntryId>* ids) const override { ids->push_back(id_); }
  std::size_t Bytes() const override { return sizeof(*this) + TextsBytes(record_); }

 private:
  EntryId id_;
  int index_ = 0;
  AddressRecord record_;
};

// An entry taken out of the list at `index`.
class EntryRemoved : public BookChange {
 public:
  EntryRemoved(EntryId id, int index, AddressRecord record)
      : id_(id), index_(index), record_(std::move(record)) {}
  void Undo(Book& book) override {
    book.InsertEntry(index_, id_, std::move(record_));
    record_ = AddressRecord();
  }
  void Redo(Book& book) override { record_ = book.TakeEntry(id_, &index_); }
  void Touched(std::vector<EntryId>* ids) const override { ids->push_back(id_); }
  std::size_t Bytes() const override { return sizeof(*this) + TextsBytes(record_); }

 private:
  EntryId id_;
  int index_;
  AddressRecord record_;
};

// An entry's texts changed: the fields that changed, as they are on the
// other side of the change, and for an address the copies groups hold.
class EntryChanged : public BookChange {
 public:
  EntryChanged(EntryId id, std::uint16_t fields, std::vector<std::string> values, int respect,
               MemberEdit members)
      : id_(id),
        fields_(fields),
        values_(std::move(values)),
        respect_(respect),
        members_(std::move(members)) {}

  void Undo(Book& book) override { Swap(book, /*toOld=*/true); }
  void Redo(Book& book) override { Swap(book, /*toOld=*/false); }
  void Touched(std::vector<EntryId>* ids) const override { ids->push_back(id_); }
  std::size_t Bytes() const override {
    std::size_t bytes = sizeof(*this) + values_.capacity() * sizeof(std::string) + members_.Bytes();
    for (const std::string& v : values_) bytes += v.capacity();
    return bytes;
  }

 private:
  // Undone, the members are the address as it was, or what they were where
  // they were not its copies; done again, copies of the address as it is.
  void Swap(Book& book, bool toOld) {
    AddressRecord* record = book.Mutable(id_);
    if (!record) return;
    const bool members = !members_.spots.empty();
    if (members) book.HashSpots(members_, MemberFrom(*record), !toOld, -1);
    book.HashEntry(*record, -1);
    std::size_t next = 0;
    for (std::size_t f = 0; f < kTextFieldCount; ++f) {
      if (fields_ & (1u << f)) std::swap(record->*kTextFields[f].member, values_[next++]);
    }
    if (fields_ & kRespectBit) std::swap(record->respect, respect_);
    book.HashEntry(*record, +1);
    if (members) {
      const MemberEntry member = MemberFrom(*record);
      book.MutableGroups().PutMembers(members_, member, toOld);
      book.HashSpots(members_, member, toOld, +1);
    }
  }

  static constexpr std::uint16_t kRespectBit = 1u << kTextFieldCount;
  EntryId id_;
  std::uint16_t fields_;
  std::vector<std::string> values_;
  int respect_;
  MemberEdit members_;
};

// A run of changes of texts that kept each entry's reading, one command's
// edit of many entries: the fields each changed and their values on the
// other side of the change, packed into one buffer. The copies an address's
// groups hold are not noted: they are the members with its reading, found
// again in one pass over the groups when the run is taken back or done
// again (the run holds no two addresses whose readings compare equal, and
// only changes whose copies were all exact copies of the address).
class TextsChangedRun : public BookChange {
 public:
  struct Item {
    EntryId id;
    std::uint16_t fields;
    std::int8_t respect;  // with the respect bit: the other side's honorific
    bool address;
  };
  static constexpr std::uint16_t kRespectBit = 1u << kTextFieldCount;

  void Append(EntryId id, std::uint16_t fields, const std::vector<std::string>& values,
              int respect, bool address) {
    items_.push_back({id, fields, static_cast<std::int8_t>(respect), address});
    for (const std::string& v : values) Encode(v, &values_);
  }
  static bool Fits(int respect) { return respect >= -128 && respect <= 127; }

  void Undo(Book& book) override { Swap(book, /*toOld=*/true); }
  void Redo(Book& book) override { Swap(book, /*toOld=*/false); }
  void Touched(std::vector<EntryId>* ids) const override {
    for (const Item& item : items_) ids->push_back(item.id);
  }
  std::size_t Bytes() const override {
    return sizeof(*this) + items_.capacity() * sizeof(Item) + values_.capacity();
  }
  void Shrink() override {
    items_.shrink_to_fit();
    values_.shrink_to_fit();
  }

 private:
  // A value: its length in one byte (255: four more bytes follow), then
  // its bytes.
  static void Encode(std::string_view v, std::string* out) {
    if (v.size() < 255) {
      out->push_back(static_cast<char>(v.size()));
    } else {
      out->push_back(static_cast<char>(255));
      for (int shift = 0; shift < 32; shift += 8) {
        out->push_back(static_cast<char>((v.size() >> shift) & 0xFF));
      }
    }
    out->append(v);
  }
  static std::string_view Decode(const std::string& in, std::size_t* at) {
    std::size_t size = static_cast<unsigned char>(in[(*at)++]);
    if (size == 255) {
      size = 0;
      for (int shift = 0; shift < 32; shift += 8) {
        size |= static_cast<std::size_t>(static_cast<unsigned char>(in[(*at)++])) << shift;
      }
    }
    const std::string_view v(in.data() + *at, size);
    *at += size;
    return v;
  }

  void Swap(Book& book, bool toOld) {
    // Where each item's values start, and the copies of each address.
    std::vector<std::size_t> starts(items_.size());
    std::vector<std::string_view> readings(items_.size());
    std::size_t at = 0;
    for (std::size_t i = 0; i < items_.size(); ++i) {
      starts[i] = at;
      for (std::size_t f = 0; f < kTextFieldCount; ++f) {
        if (items_[i].fields & (1u << f)) Decode(values_, &at);
      }
      const AddressRecord* record = book.Find(items_[i].id);
      if (items_[i].address && record) readings[i] = record->dispNameJP;
    }
    std::vector<std::vector<MemberSpot>> copies = book.Groups().FindCopies(readings);
    // Taken back last to first, done again first to last, as the verbs
    // made them; each item's values become the other side's.
    std::vector<std::string> other(items_.size());
    for (std::size_t n = 0; n < items_.size(); ++n) {
      const std::size_t i = toOld ? items_.size() - 1 - n : n;
      Item& item = items_[i];
      AddressRecord* record = book.Mutable(item.id);
      if (!record) continue;
      MemberEdit members;
      members.spots = std::move(copies[i]);
      const bool hasCopies = !members.spots.empty();
      if (hasCopies) book.HashSpots(members, MemberFrom(*record), false, -1);
      book.HashEntry(*record, -1);
      std::size_t from = starts[i];
      for (std::size_t f = 0; f < kTextFieldCount; ++f) {
        if (!(item.fields & (1u << f))) continue;
        std::string& field = record->*kTextFields[f].member;
        Encode(field, &other[i]);
        field.assign(Decode(values_, &from));
      }
      if (item.fields & kRespectBit) {
        const int respect = record->respect;
        record->respect = item.respect;
        item.respect = static_cast<std::int8_t>(respect);
      }
      book.HashEntry(*record, +1);
      if (hasCopies) {
        const MemberEntry member = MemberFrom(*record);
        book.MutableGroups().PutMembers(members, member, false);
        book.HashSpots(members, member, false, +1);
      }
    }
    std::string values;
    values.reserve(values_.size());
    for (std::size_t i = 0; i < items_.size(); ++i) {
      if (other[i].empty()) {
        // An entry the book lacks keeps its values as they were.
        std::size_t from = starts[i];
        const std::size_t end = i + 1 < items_.size() ? starts[i + 1] : values_.size();
        values.append(values_, from, end - from);
      } else {
        values += other[i];
      }
    }
    values_ = std::move(values);
  }

  std::vector<Item> items_;
  std::string values_;
};

// The members an address's removal took out of the groups.
class MembersRemoved : public BookChange {
 public:
  MembersRemoved(MemberEdit edit, MemberEntry address)
      : edit_(std::move(edit)), address_(std::move(address)) {}
  void Undo(Book& book) override {
    book.MutableGroups().UndoRemoval(edit_, address_);
    book.HashFreedSlots(edit_, +1);
    book.HashSpots(edit_, address_, true, +1);
  }
  void Redo(Book& book) override {
    book.HashSpots(edit_, address_, true, -1);
    book.HashFreedSlots(edit_, -1);
    book.MutableGroups().RedoRemoval(edit_);
  }
  void Touched(std::vector<EntryId>*) const override {}
  std::size_t Bytes() const override { return sizeof(*this) + edit_.Bytes() + TextsBytes(address_); }

 private:
  MemberEdit edit_;
  MemberEntry address_;
};

// Slots of the group table as they are on the other side of the change.
class SlotsRestored : public BookChange {
 public:
  SlotsRestored(EntryId owner, std::vector<SlotImage> images)
      : owner_(owner), images_(std::move(images)) {}
  void Undo(Book& book) override { Swap(book); }
  void Redo(Book& book) override { Swap(book); }
  void Touched(std::vector<EntryId>* ids) const override {
    if (owner_ != kNoEntry) ids->push_back(owner_);
  }
  std::size_t Bytes() const override {
    std::size_t bytes = sizeof(*this);
    for (const SlotImage& image : images_) bytes += ImageBytes(image);
    return bytes;
  }

 private:
  void Swap(Book& book) {
    for (SlotImage& image : images_) {
      SlotImage now = book.MutableGroups().ImageOf(image.index);
      book.HashSlot(now, -1);
      book.MutableGroups().Restore(image);
      book.HashSlot(image, +1);
      image = std::move(now);
    }
  }

  EntryId owner_;
  std::vector<SlotImage> images_;
};

// The whole book as it was on the other side of an import.
class BookReplaced : public BookChange {
 public:
  BookReplaced(std::vector<EntryId> order, std::unordered_map<EntryId, AddressRecord> records,
               std::unique_ptr<GroupTable> groups, std::unordered_map<int, int> regNos,
               std::uint64_t hash)
      : order_(std::move(order)),
        records_(std::move(records)),
        groups_(std::move(groups)),
        regNos_(std::move(regNos)),
        hash_(hash) {}
  void Undo(Book& book) override { Swap(book); }
  void Redo(Book& book) override { Swap(book); }
  void Touched(std::vector<EntryId>*) const override {}
  std::size_t Bytes() const override {
    std::size_t bytes = sizeof(*this) + order_.capacity() * sizeof(EntryId) +
                        groups_->MemoryBytes() + regNos_.size() * 2 * sizeof(int);
    for (const auto& item : records_) bytes += sizeof(item) + TextsBytes(item.second);
    return bytes;
  }

 private:
  void Swap(Book& book) {
    std::swap(book.order_, order_);
    std::swap(book.records_, records_);
    std::swap(book.groups_, groups_);
    std::swap(book.regNos_, regNos_);
    std::swap(book.hash_, hash_);
    book.indexValid_ = false;
  }

  std::vector<EntryId> order_;
  std::unordered_map<EntryId, AddressRecord> records_;
  std::unique_ptr<GroupTable> groups_;
  std::unordered_map<int, int> regNos_;
  std::uint64_t hash_;
};

// --- the book ---------------------------------------------------------------

Book::Book(int codePage, StoreAlerts* alerts)
    : codePage_(codePage), alerts_(alerts), groups_(std::make_unique<GroupTable>(codePage, alerts)) {}

Book::~Book() = default;

void Book::RebuildIndex() const {
  index_.clear();
  index_.reserve(order_.size());
  for (std::size_t i = 0; i < order_.size(); ++i) index_[order_[i]] = static_cast<int>(i);
  indexValid_ = true;
}

int Book::IndexOf(EntryId id) const {
  if (!indexValid_) RebuildIndex();
  auto it = index_.find(id);
  return it == index_.end() ? -1 : it->second;
}

const AddressRecord* Book::Find(EntryId id) const {
  auto it = records_.find(id);
  return it == records_.end() ? nullptr : &it->second;
}

AddressRecord* Book::Mutable(EntryId id) {
  auto it = records_.find(id);
  return it == records_.end() ? nullptr : &it->second;
}

bool Book::IsGroup(EntryId id) const {
  const AddressRecord* record = Find(id);
  return record && record->kind == kKindGroup;
}

bool Book::RegNoInUse(int regNo) const {
  auto it = regNos_.find(regNo);
  return it != regNos_.end() && it->second > 0;
}

EntryId Book::WithRegNo(int regNo) const {
  if (!RegNoInUse(regNo)) return kNoEntry;
  for (EntryId id : order_) {
    if (Find(id)->regNo == regNo) return id;
  }
  return kNoEntry;
}

void Book::CountRegNo(int regNo, int delta) {
  int& n = regNos_[regNo];
  n += delta;
  if (n <= 0) regNos_.erase(regNo);
}

void Book::InsertEntry(int index, EntryId id, AddressRecord record) {
  const int at = std::max(0, std::min(index, Size()));
  order_.insert(order_.begin() + at, id);
  CountRegNo(record.regNo, +1);
  if (hashKnown_) HashEntry(record, +1);
  records_.emplace(id, std::move(record));
  indexValid_ = false;
}

AddressRecord Book::TakeEntry(EntryId id, int* index) {
  *index = IndexOf(id);
  auto it = records_.find(id);
  if (it == records_.end() || *index < 0) return AddressRecord();
  AddressRecord record = std::move(it->second);
  records_.erase(it);
  order_.erase(order_.begin() + *index);
  CountRegNo(record.regNo, -1);
  if (hashKnown_) HashEntry(record, -1);
  indexValid_ = false;
  return record;
}

// --- hashing ----------------------------------------------------------------

void Book::HashEntry(const AddressRecord& record, int sign) {
  if (!hashKnown_) return;
  const std::uint64_t h = HashRecord(record);
  hash_ = sign > 0 ? hash_ + h : hash_ - h;
}

void Book::HashSlot(const SlotImage& image, int sign) {
  if (!hashKnown_ || image.info.key == 0) return;
  std::uint64_t h = HashSlotInfo(image.index, image.info);
  for (std::size_t pos = 0; pos < image.positions.size(); ++pos) {
    const MemberEntry& m = image.positions[pos];
    if (!m.dispNameJP.empty()) {
      h += HashMemberAt(image.index, static_cast<int>(pos), HashTexts(ViewOf(m)));
    }
  }
  hash_ = sign > 0 ? hash_ + h : hash_ - h;
}

void Book::HashSpots(const MemberEdit& edit, const MemberEntry& member, bool others, int sign) {
  if (!hashKnown_) return;
  const std::uint64_t memberHash = member.dispNameJP.empty() ? 0 : HashTexts(ViewOf(member));
  std::uint64_t h = 0;
  std::size_t next = 0;
  for (std::size_t i = 0; i < edit.spots.size(); ++i) {
    const MemberSpot& spot = edit.spots[i];
    if (others && next < edit.others.size() && edit.others[next].first == i) {
      const MemberEntry& kept = edit.others[next++].second;
      if (!kept.dispNameJP.empty()) h += HashMemberAt(spot.slot, spot.pos, HashTexts(ViewOf(kept)));
    } else if (!member.dispNameJP.empty()) {
      h += HashMemberAt(spot.slot, spot.pos, memberHash);
    }
  }
  hash_ = sign > 0 ? hash_ + h : hash_ - h;
}

void Book::HashFreedSlots(const MemberEdit& edit, int sign) {
  if (!hashKnown_) return;
  std::uint64_t h = 0;
  for (const MemberEdit::SlotBefore& before : edit.slots) {
    if (before.freed.key != 0) h += HashSlotInfo(before.slot, before.freed);
  }
  hash_ = sign > 0 ? hash_ + h : hash_ - h;
}

std::uint64_t Book::FullHash() const {
  std::uint64_t h = 0;
  for (const auto& item : records_) h += HashRecord(item.second);
  for (int slot = 0; slot < kGroupSlots; ++slot) {
    const GroupRecord& info = groups_->Slot(slot);
    if (info.key != 0) h += HashSlotInfo(slot, info);
  }
  groups_->ForEachPosition([&h](int slot, int pos, const TextsView& texts) {
    if (!texts.Reading().empty()) h += HashMemberAt(slot, pos, HashTexts(texts));
  });
  return h;
}

std::uint64_t Book::ContentHash() const { return hashKnown_ ? hash_ : FullHash(); }

// --- changes, steps and notes -------------------------------------------------

void Book::BeforeChange() {
  if (hashKnown_) return;
  hash_ = FullHash();
  hashKnown_ = true;
  if (revision_ == savedRevision_) {
    savedHash_ = hash_;
    savedHashKnown_ = true;
  }
}

void Book::AfterChange() {
  ++revision_;
  if (stepDepth_ == 0) Tell();
}

void Book::Tell() {
  if (toldRevision_ == revision_) return;
  toldRevision_ = revision_;
  if (observer_) observer_->OnBookChanged();
}

bool Book::Recording() const { return history_ && history_->Open(); }

void Book::Record(std::unique_ptr<BookChange> change) {
  if (Recording()) history_->Add(std::move(change));
}

void Book::EnableHistory(std::size_t maxSteps) {
  history_ = std::make_unique<BookHistory>(maxSteps, kHistoryBudget);
}

void Book::BeginStep() {
  ++stepDepth_;
  if (history_) history_->Begin();
}

void Book::EndStep() {
  if (stepDepth_ == 0) return;
  --stepDepth_;
  if (stepDepth_ == 0) {
    run_ = nullptr;
    runReadings_ = {};
  }
  if (history_) history_->End();
  if (stepDepth_ == 0) Tell();
}

bool Book::CanUndo() const { return history_ && !history_->Open() && history_->CanUndo(); }

bool Book::CanRedo() const { return history_ && !history_->Open() && history_->CanRedo(); }

namespace {

void Gather(const BookHistory::Step& step, const Book& book, std::vector<EntryId>* touched) {
  if (!touched) return;
  std::vector<EntryId> ids;
  for (const auto& change : step) change->Touched(&ids);
  for (EntryId id : ids) {
    if (book.Contains(id) && std::find(touched->begin(), touched->end(), id) == touched->end()) {
      touched->push_back(id);
    }
  }
}

}  // namespace

bool Book::Undo(std::vector<EntryId>* touched) {
  if (!CanUndo()) return false;
  BeforeChange();
  BookHistory::Step* step = history_->TakeUndo();
  for (auto it = step->rbegin(); it != step->rend(); ++it) (*it)->Undo(*this);
  Gather(*step, *this, touched);
  AfterChange();
  return true;
}

bool Book::Redo(std::vector<EntryId>* touched) {
  if (!CanRedo()) return false;
  BeforeChange();
  BookHistory::Step* step = history_->TakeRedo();
  for (auto& change : *step) change->Redo(*this);
  Gather(*step, *this, touched);
  AfterChange();
  return true;
}

void Book::ClearHistory() {
  if (history_) history_->Clear();
  run_ = nullptr;
  runReadings_ = {};
}

std::size_t Book::HistoryBytes() const { return history_ ? history_->Bytes() : 0; }

bool Book::Modified() const {
  if (revision_ == savedRevision_) return false;
  if (hashKnown_ && savedHashKnown_) return hash_ != savedHash_;
  return true;
}

void Book::MarkSaved() {
  savedRevision_ = revision_;
  savedHashKnown_ = hashKnown_;
  savedHash_ = hash_;
  // The apply button follows.
  if (observer_) observer_->OnBookChanged();
}

// --- verbs ------------------------------------------------------------------

EntryId Book::Add(const AddressRecord& record) {
  BeforeChange();
  const EntryId id = nextId_++;
  InsertEntry(0, id, record);
  Record(std::make_unique<EntryAdded>(id));
  AfterChange();
  return id;
}

std::vector<SlotImage> Book::SlotsBefore(std::vector<int> indexes) {
  std::sort(indexes.begin(), indexes.end());
  indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
  std::vector<SlotImage> images;
  for (int index : indexes) {
    if (index < 0) continue;
    images.push_back(groups_->ImageOf(index));
    HashSlot(images.back(), -1);
  }
  return images;
}

void Book::SlotsAfter(EntryId owner, std::vector<SlotImage> before) {
  for (const SlotImage& image : before) HashSlot(groups_->ImageOf(image.index), +1);
  if (Recording() && !before.empty()) Record(std::make_unique<SlotsRestored>(owner, std::move(before)));
}

EntryId Book::AddGroup(const AddressRecord& record, const std::vector<MemberEntry>& members) {
  BeforeChange();
  const EntryId id = nextId_++;
  // A full table leaves the group without members, as it always has.
  const int slot = groups_->NextFreeSlot();
  if (slot >= 0) {
    std::vector<SlotImage> before = SlotsBefore({slot});
    groups_->CreateGroupSlot(record.regNo, static_cast<int>(members.size()), kKindMember, members);
    SlotsAfter(id, std::move(before));
  }
  InsertEntry(0, id, record);
  Record(std::make_unique<EntryAdded>(id));
  AfterChange();
  return id;
}

void Book::Change(EntryId id, const EntryTexts& texts) {
  AddressRecord* record = Mutable(id);
  if (!record) return;
  const bool group = record->kind == kKindGroup;
  EntryTexts wanted = *record;
  if (group) {
    wanted.dispName = texts.dispName;
    wanted.dispNameJP = texts.dispNameJP;
  } else {
    wanted = texts;
  }
  std::uint16_t fields = 0;
  for (std::size_t f = 0; f < kTextFieldCount; ++f) {
    const auto member = kTextFields[f].member;
    if (record->*member != wanted.*member) fields |= static_cast<std::uint16_t>(1u << f);
  }
  const std::uint16_t respectBit = 1u << kTextFieldCount;
  if (record->respect != wanted.respect) fields |= respectBit;
  BeforeChange();
  record = Mutable(id);
  MemberEdit members;
  if (!group) {
    // The copies the groups hold follow the address, found by the reading
    // it had; copies that were not quite its own become its copies too.
    const EntryTexts old = *record;
    groups_->UpdateMember(old.dispNameJP, kKindMember, MemberFrom(wanted), old, &members);
    HashSpots(members, MemberFrom(old), true, -1);
    HashSpots(members, MemberFrom(wanted), false, +1);
    if (members.others.empty()) {
      if (fields == 0) return;  // nothing changed at all
    }
  } else if (fields == 0) {
    return;
  }
  HashEntry(*record, -1);
  std::vector<std::string> values;
  for (std::size_t f = 0; f < kTextFieldCount; ++f) {
    if (!(fields & (1u << f))) continue;
    const auto member = kTextFields[f].member;
    values.push_back(std::move(record->*member));
    record->*member = wanted.*member;
  }
  const int respect = record->respect;
  record->respect = wanted.respect;
  HashEntry(*record, +1);
  if (Recording() &&
      !(members.others.empty() &&
        RecordInRun(id, fields, values, respect, !group, record->dispNameJP))) {
    Record(std::make_unique<EntryChanged>(id, fields, std::move(values), respect,
                                          std::move(members)));
  }
  AfterChange();
}

bool Book::RecordInRun(EntryId id, std::uint16_t fields, const std::vector<std::string>& values,
                       int respect, bool address, const std::string& reading) {
  static const std::uint16_t kReadingBit = [] {
    std::uint16_t bit = 0;
    for (std::size_t f = 0; f < kTextFieldCount; ++f) {
      if (kTextFields[f].member == &EntryTexts::dispNameJP) bit = static_cast<std::uint16_t>(1u << f);
    }
    return bit;
  }();
  if ((fields & kReadingBit) || !TextsChangedRun::Fits(respect)) return false;
  auto* run = history_->LastOfOpenStep() == run_ && run_
                  ? static_cast<TextsChangedRun*>(history_->LastOfOpenStep())
                  : nullptr;
  const std::uint32_t hash = address ? groups_->ReadingHash(reading) : 0;
  if (run && address) {
    // An address whose reading compares equal to another's of the run would
    // find that one's copies too: it starts a run of its own.
    const auto range = runReadings_.equal_range(hash);
    for (auto it = range.first; it != range.second; ++it) {
      const AddressRecord* other = Find(it->second);
      if (it->second != id && other && text::EqualNoCase(codePage_, other->dispNameJP, reading)) {
        run = nullptr;
        break;
      }
    }
  }
  if (!run) {
    auto fresh = std::make_unique<TextsChangedRun>();
    run = fresh.get();
    Record(std::move(fresh));
    run_ = run;
    runReadings_.clear();
  }
  run->Append(id, fields, values, respect, address);
  if (address) runReadings_.emplace(hash, id);
  return true;
}

void Book::SetMembers(EntryId id, const std::vector<MemberEntry>& members) {
  const AddressRecord* record = Find(id);
  if (!record) return;
  const int key = record->regNo;
  BeforeChange();
  // The slots this can touch: the group's first slot, which goes; the one
  // the members then land in (a second slot of the same key, or the lowest
  // free one).
  std::vector<int> touched = groups_->SlotsOf(key);
  if (touched.size() > 2) touched.resize(2);
  touched.push_back(groups_->NextFreeSlot());
  std::vector<SlotImage> before = SlotsBefore(touched);
  groups_->DeleteGroup(key);
  for (const MemberEntry& member : members) groups_->AddMember(key, kKindMember, member);
  SlotsAfter(id, std::move(before));
  AfterChange();
}

void Book::RemoveEntryOnly(EntryId id) {
  int index = 0;
  AddressRecord record = TakeEntry(id, &index);
  if (index < 0) return;
  Record(std::make_unique<EntryRemoved>(id, index, std::move(record)));
}

void Book::Remove(EntryId id, std::vector<EntryId>* alsoRemoved) {
  const AddressRecord* found = Find(id);
  if (!found) return;
  BeforeChange();
  const AddressRecord record = *found;
  RemoveEntryOnly(id);
  if (record.kind == kKindGroup) {
    std::vector<SlotImage> before = SlotsBefore({groups_->SlotOf(record.regNo)});
    groups_->DeleteGroup(record.regNo);
    SlotsAfter(kNoEntry, std::move(before));
  } else {
    MemberEdit edit;
    std::vector<int> freedKeys;
    groups_->RemoveMember(record.dispNameJP, record, &edit, &freedKeys);
    const MemberEntry address = MemberFrom(record);
    HashSpots(edit, address, true, -1);
    HashFreedSlots(edit, -1);
    if (!edit.spots.empty()) Record(std::make_unique<MembersRemoved>(std::move(edit), address));
    // A group that lost its last member goes: the first group entry of its
    // number in the list.
    for (int key : freedKeys) {
      for (EntryId other : order_) {
        const AddressRecord* group = Find(other);
        if (group->regNo != key || group->kind != kKindGroup) continue;
        RemoveEntryOnly(other);
        if (alsoRemoved) alsoRemoved->push_back(other);
        break;
      }
    }
  }
  AfterChange();
}

void Book::ReplaceAll(std::vector<AddressRecord> records, GroupTable groups) {
  BeforeChange();
  std::vector<EntryId> order;
  std::unordered_map<EntryId, AddressRecord> byId;
  std::unordered_map<int, int> regNos;
  order.reserve(records.size());
  byId.reserve(records.size());
  for (AddressRecord& record : records) {
    const EntryId id = nextId_++;
    order.push_back(id);
    ++regNos[record.regNo];
    byId.emplace(id, std::move(record));
  }
  auto table = std::make_unique<GroupTable>(std::move(groups));
  std::swap(order_, order);
  std::swap(records_, byId);
  std::swap(groups_, table);
  std::swap(regNos_, regNos);
  indexValid_ = false;
  const std::uint64_t before = hash_;
  hash_ = FullHash();
  if (Recording()) {
    Record(std::make_unique<BookReplaced>(std::move(order), std::move(byId), std::move(table),
                                          std::move(regNos), before));
  }
  AfterChange();
}

void Book::Load(std::vector<AddressRecord> records, GroupTable groups) {
  ClearHistory();
  order_.clear();
  records_.clear();
  regNos_.clear();
  order_.reserve(records.size());
  records_.reserve(records.size());
  for (AddressRecord& record : records) {
    const EntryId id = nextId_++;
    order_.push_back(id);
    ++regNos_[record.regNo];
    records_.emplace(id, std::move(record));
  }
  *groups_ = std::move(groups);
  indexValid_ = false;
  hashKnown_ = false;
  ++revision_;
  savedRevision_ = revision_;
  savedHashKnown_ = false;
  if (stepDepth_ == 0) Tell();
}

void Book::Arrange(std::vector<EntryId> order) {
  if (order.size() != order_.size()) return;
  order_ = std::move(order);
  indexValid_ = false;
}

}  // namespace store
