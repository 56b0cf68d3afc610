#include "store/group_table.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/text/codepage.h"
#include "store/book_keys.h"
#include "store/byte_scan.h"

namespace store {

GroupTable::GroupTable(int codePage, StoreAlerts* alerts)
    : codePage_(codePage), alerts_(alerts) {}

void GroupTable::ClearGroups() {
  slots_.clear();
  packer_.Clear();
  kept_.reset();
  keptLines_.Clear();
  wasted_ = 0;
  byKey_.clear();
  lastKey_ = 0;
  freed_.clear();
  neverUsed_ = 0;
  usedSlots_ = 0;
}

const GroupRecord& GroupTable::Slot(int index) const {
  static const GroupRecord kFree;
  if (index >= neverUsed_) return kFree;
  Ready(index);
  return slots_[static_cast<std::size_t>(index)].info;
}

int GroupTable::FindSlot(int key) const {
  if (key == 0) return -1;
  // Member lines come group by group: the last answer is most often the
  // next one.
  if (key == lastKey_) return lastSlot_;
  auto it = byKey_.find(key);
  const int slot = it == byKey_.end() ? -1 : it->second.front();
  lastKey_ = key;
  lastSlot_ = slot;
  return slot;
}

int GroupTable::LowestFreeSlot() const {
  if (!freed_.empty()) return *freed_.begin();
  return neverUsed_ < kGroupSlots ? neverUsed_ : -1;
}

void GroupTable::TakeSlot(int index, int key, int kind) {
  if (static_cast<std::size_t>(index) >= slots_.size()) {
    // Room for every slot at once, so that slots never move.
    if (slots_.capacity() == 0) slots_.reserve(kGroupSlots);
    slots_.resize(static_cast<std::size_t>(index) + 1);
  }
  SlotData& slot = slots_[static_cast<std::size_t>(index)];
  slot.info = GroupRecord();
  slot.info.key = key;
  slot.info.originKind = kind;
  slot.positions.clear();
  slot.hashes.clear();
  slot.freePositions = 0;
  keptLines_.Drop(&slot.waiting);
  slot.run = KeptRun();
  if (index < neverUsed_) {
    freed_.erase(index);
  } else {
    // A slot taken beyond the untouched ones (putting a slot back) leaves
    // those before it free.
    for (int i = neverUsed_; i < index; ++i) freed_.insert(i);
    neverUsed_ = index + 1;
  }
  ++usedSlots_;
  lastKey_ = 0;
  std::vector<int>& holders = byKey_[key];
  holders.insert(std::lower_bound(holders.begin(), holders.end(), index), index);
}

void GroupTable::FreeSlot(int index) {
  SlotData& slot = slots_[static_cast<std::size_t>(index)];
  lastKey_ = 0;
  auto it = byKey_.find(slot.info.key);
  if (it != byKey_.end()) {
    std::vector<int>& holders = it->second;
    holders.erase(std::remove(holders.begin(), holders.end(), index), holders.end());
    if (holders.empty()) byKey_.erase(it);
  }
  for (const Position& p : slot.positions) Forget(p);
  slot.info = GroupRecord();
  slot.positions.clear();
  slot.positions.shrink_to_fit();
  slot.hashes.clear();
  slot.hashes.shrink_to_fit();
  slot.freePositions = 0;
  keptLines_.Drop(&slot.waiting);
  slot.run = KeptRun();
  freed_.insert(index);
  --usedSlots_;
  CompactIfWasteful();
}

bool GroupTable::SlotKindSupported(const GroupRecord& slot) const {
  return slot.originKind == kKindGroup || slot.originKind == kKindMember;
}

namespace {

// Eight bytes, the first in the lowest bits.
std::uint64_t LoadLittle8(const char* p) {
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
  return scan::Load8(p);
#else
  std::uint64_t w = 0;
  for (int k = 7; k >= 0; --k) w = (w << 8) | static_cast<unsigned char>(p[k]);
  return w;
#endif
}

}  // namespace

std::uint32_t GroupTable::ReadingHash(std::string_view reading) const {
  // The bytes with the letters EqualNoCase folds folded, mixed eight at a
  // time. Folded byte by byte without walking the characters: two readings
  // equal without case differ only in such letters, so they still hash
  // alike.
  const bool wide = codePage_ == text::kCpJapanese;
  std::uint64_t h = 0x9E3779B97F4A7C15ull ^ reading.size();
  unsigned before = 0;
  for (std::size_t i = 0; i < reading.size(); i += 8) {
    std::uint64_t word = 0;
    const std::size_t n = reading.size() - i < 8 ? reading.size() - i : 8;
    if (n == 8) {
      word = LoadLittle8(reading.data() + i);
    } else {
      char bytes[8] = {};
      std::memcpy(bytes, reading.data() + i, n);
      word = LoadLittle8(bytes);
    }
    word = scan::FoldLetters(word, before, wide);
    before = static_cast<unsigned char>(reading[i + n - 1]);
    h = (h ^ word) * 0xFF51AFD7ED558CCDull;
    h ^= h >> 29;
  }
  const auto folded = static_cast<std::uint32_t>(h ^ (h >> 32));
  return folded ? folded : 1;
}

void GroupTable::Put(SlotData& slot, std::size_t pos, const Position& p) {
  slot.run = KeptRun();
  const std::uint32_t h = p.used ? p.hash : 0;
  if (pos == slot.positions.size()) {
    slot.positions.push_back(p);
    slot.hashes.push_back(h);
  } else {
    slot.freePositions -= slot.hashes[pos] == 0;
    slot.positions[pos] = p;
    slot.hashes[pos] = h;
  }
  slot.freePositions += h == 0;
}

GroupTable::Position GroupTable::Pack(const TextsView& member, std::uint32_t hash) {
  Position p;
  const std::size_t before = packer_.Size();
  p.at = packer_.Add(member.texts);
  p.size = static_cast<std::uint32_t>(packer_.Size() - before);
  p.respect = member.respect;
  p.used = !member.Reading().empty();
  p.hash = hash;
  return p;
}

GroupTable::Position GroupTable::PackFields(std::string_view fields, std::string_view reading,
                                            std::uint32_t hash) {
  Position p;
  const std::size_t before = packer_.Size();
  p.at = packer_.AddBytes(fields);
  p.size = static_cast<std::uint32_t>(packer_.Size() - before);
  p.used = !reading.empty();
  p.hash = hash;
  p.fields = true;
  return p;
}

void GroupTable::Forget(const Position& p) {
  if (!p.kept) wasted_ += p.size;
}

std::string_view GroupTable::FieldsOf(const Position& p) const {
  if (p.kept) return kept_->View().substr(p.at, p.size);
  return packer_.GetBytes(p.at);
}

bool GroupTable::CopiedAsWritten(const Position& p) const {
  if (!p.fields) return false;
  CanonicalFields canonical;
  return ScanCanonicalFields(FieldsOf(p), nullptr, &canonical);
}

TextsView GroupTable::Unpack(const Position& p) const {
  TextsView view;
  if (p.fields) {
    std::string_view fields = FieldsOf(p);
    ReadTextFields(&fields, codePage_, &scratch_, &view);
    return view;
  }
  packer_.Get(p.at, &view.texts);
  view.respect = p.respect;
  return view;
}

bool GroupTable::SameReading(const Position& p, std::uint32_t hash, std::string_view reading) const {
  if (!p.used || p.hash != hash) return false;
  return text::EqualNoCase(codePage_, Unpack(p).Reading(), reading);
}

void GroupTable::CompactIfWasteful() {
  // Edits leave old texts behind; once they are most of the buffer, the
  // members still held are packed afresh.
  if (wasted_ < (1u << 20) || wasted_ * 2 < packer_.Size()) return;
  TextPacker fresh;
  for (SlotData& slot : slots_) {
    for (Position& p : slot.positions) {
      if ((!p.used && p.size == 0) || p.kept) continue;
      const std::size_t before = fresh.Size();
      if (p.fields) {
        p.at = fresh.AddBytes(packer_.GetBytes(p.at));
      } else {
        TextViews texts;
        packer_.Get(p.at, &texts);
        p.at = fresh.Add(texts);
      }
      p.size = static_cast<std::uint32_t>(fresh.Size() - before);
    }
  }
  packer_ = std::move(fresh);
  wasted_ = 0;
}

bool GroupTable::AddMember(int key, int kind, const MemberEntry& member) {
  return AddMember(key, kind, ViewOf(member));
}

template <typename MakePosition>
bool GroupTable::Add(int key, int kind, std::string_view reading, MakePosition pack) {
  // Key 0 marks free slots; a member under it would land in a free slot and
  // later leak into the next group created there.
  if (key == 0) return false;
  const int index = FindSlot(key);
  if (index < 0) {
    const int free = LowestFreeSlot();
    if (free < 0) return false;
    TakeSlot(free, key, kind);
    if (!reading.empty()) {
      SlotData& slot = slots_[static_cast<std::size_t>(free)];
      slot.positions.reserve(kMaxMembers);
      slot.hashes.reserve(kMaxMembers);
      Put(slot, 0, pack(ReadingHash(reading)));
      slot.info.count = 1;
    }
    return true;
  }
  Ready(index);
  return AddTo(slots_[static_cast<std::size_t>(index)], reading, pack);
}

template <typename MakePosition>
bool GroupTable::AddTo(SlotData& slot, std::string_view reading, MakePosition pack) {
  // A second group line with the same key only confirms the slot: an empty
  // member must not raise the count without filling a position.
  if (reading.empty()) return true;
  if (slot.info.count + 1 > kMaxMembers) return false;
  const std::uint32_t hash = ReadingHash(reading);
  // One walk over the positions: a member of the same reading, and the
  // first free position (one between used ones, or the next).
  const std::vector<std::uint32_t>& hashes = slot.hashes;
  bool seen = false;
  for (std::uint32_t h : hashes) seen |= h == hash;
  if (seen) {
    for (std::size_t pos = 0; pos < hashes.size(); ++pos) {
      if (hashes[pos] == hash && SameReading(slot.positions[pos], hash, reading)) return false;
    }
  }
  std::size_t freePos = hashes.size();
  if (slot.freePositions > 0) {
    freePos = static_cast<std::size_t>(std::find(hashes.begin(), hashes.end(), 0u) - hashes.begin());
  }
  if (freePos >= static_cast<std::size_t>(kMaxMembers)) return false;
  if (freePos == slot.positions.size()) {
    if (slot.positions.capacity() == slot.positions.size()) {
      const std::size_t more = std::min<std::size_t>(kMaxMembers, slot.positions.size() * 2 + 8);
      slot.positions.reserve(more);
      slot.hashes.reserve(more);
    }
  } else {
    Forget(slot.positions[freePos]);
  }
  Put(slot, freePos, pack(hash));
  ++slot.info.count;
  return true;
}

bool GroupTable::AddMember(int key, int kind, const TextsView& member) {
  return Add(key, kind, member.Reading(),
             [&](std::uint32_t hash) { return Pack(member, hash); });
}

bool GroupTable::AddMemberFields(int key, int kind, std::string_view fields,
                                 std::string_view reading) {
  return Add(key, kind, reading,
             [&](std::uint32_t hash) { return PackFields(fields, reading, hash); });
}

bool GroupTable::KeepBytes(SharedBytes bytes) {
  if (usedSlots_ != 0) return false;
  kept_ = std::move(bytes);
  return true;
}

namespace {

// A line's text ends at its first NUL, as a C string does.
std::string_view CutAtNul(std::string_view fields) {
  return fields.substr(0, fields.find('\0'));
}

}  // namespace

bool GroupTable::AddKeptMember(int key, std::string_view line, std::string_view fields) {
  // Places in the kept bytes are 32-bit (books are far smaller).
  const std::uint64_t kept = kept_ ? kept_->Size() : 0;
  if (!kept_ || !kept_->Holds(line) || !kept_->Holds(fields) || kept > UINT32_MAX ||
      fields.data() < line.data()) {
    fields = CutAtNul(fields);
    // A copy: taking it may read the group's waiting lines with the scratch.
    const std::string reading(ReadReading(fields, codePage_, &readingScratch_));
    return AddMemberFields(key, kKindMember, fields, reading);
  }
  if (key == 0) return false;
  int index = FindSlot(key);
  if (index < 0) {
    // As AddMember makes the slot, whatever the line's reading.
    index = LowestFreeSlot();
    if (index < 0) return false;
    TakeSlot(index, key, kKindMember);
  }
  SlotData& slot = slots_[static_cast<std::size_t>(index)];
  const char* base = kept_->View().data();
  KeptLines::Line waiting;
  waiting.fields = static_cast<std::uint32_t>(fields.data() - base);
  waiting.size = static_cast<std::uint32_t>(fields.size());
  const std::size_t prefix = static_cast<std::size_t>(fields.data() - line.data());
  waiting.prefix = static_cast<std::uint8_t>(prefix < 255 ? prefix : 255);
  const std::size_t lineEnd = static_cast<std::size_t>(line.data() - base) + line.size();
  waiting.wholeLine = fields.data() + fields.size() == line.data() + line.size() &&
                      kept_->View().substr(lineEnd, 2) == "\r\n";
  keptLines_.Append(&slot.waiting, waiting);
  return true;
}

void GroupTable::Ready(int index) const {
  if (slots_[static_cast<std::size_t>(index)].waiting.Empty()) return;
  const_cast<GroupTable*>(this)->ReadWaitingLines(index);
}

void GroupTable::ReadWaitingLines(int index) {
  SlotData& slot = slots_[static_cast<std::size_t>(index)];
  const std::string_view bytes = kept_->View();
  // The lines are one run the writer can copy while each is taken as it is
  // and written as the writer writes its start: "[FAX_ADDR_GM]=4,KEY,".
  const std::string start = std::string(kMemberKey) + "=4," + std::to_string(slot.info.key) + ",";
  bool run = slot.positions.empty();
  bool first = true;
  std::uint32_t runStart = 0;
  std::uint32_t next = 0;
  if (slot.positions.capacity() == 0) {
    const std::size_t room = std::min<std::size_t>(kMaxMembers, slot.waiting.count);
    slot.positions.reserve(room);
    slot.hashes.reserve(room);
  }
  keptLines_.Take(&slot.waiting, [&](const KeptLines::Line& line) {
    const std::string_view fields = CutAtNul(bytes.substr(line.fields, line.size));
    const std::string_view reading = ReadReading(fields, codePage_, &readingScratch_);
    const bool taken = !reading.empty() && AddTo(slot, reading, [&](std::uint32_t hash) {
      Position p;
      p.at = line.fields;
      p.size = static_cast<std::uint32_t>(fields.size());
      p.hash = hash;
      p.used = true;
      p.fields = true;
      p.kept = true;
      return p;
    });
    const std::uint32_t lineStart = line.fields - line.prefix;
    run = run && taken && line.wholeLine && fields.size() == line.size &&
          line.prefix == start.size() && bytes.substr(lineStart, line.prefix) == start &&
          (first || lineStart == next);
    if (first) runStart = lineStart;
    first = false;
    next = line.fields + line.size + 2;
  });
  slot.run = KeptRun();
  if (run && !first) {
    slot.run.start = runStart;
    slot.run.end = next;
    slot.run.valid = true;
  }
}

std::string_view GroupTable::KeptMemberLines(int key) const {
  const int index = FindSlot(key);
  if (index < 0) return std::string_view();
  Ready(index);
  const SlotData& slot = slots_[static_cast<std::size_t>(index)];
  KeptRun& run = slot.run;
  if (!run.valid) return std::string_view();
  if (run.copies == 0) {
    bool all = true;
    for (const Position& p : slot.positions) {
      if (!CopiedAsWritten(p)) {
        all = false;
        break;
      }
    }
    run.copies = all ? 1 : -1;
  }
  if (run.copies < 0) return std::string_view();
  return kept_->View().substr(run.start, run.end - run.start);
}

bool GroupTable::CreateGroupSlot(int key, int count, int kind,
                                 const std::vector<MemberEntry>& members) {
  const int index = LowestFreeSlot();
  if (index < 0) return false;
  if (count < 0) count = 0;
  if (count > kMaxMembers) count = kMaxMembers;
  if (count > static_cast<int>(members.size())) count = static_cast<int>(members.size());
  TakeSlot(index, key, kind);
  SlotData& slot = slots_[static_cast<std::size_t>(index)];
  slot.info.count = count;
  slot.positions.reserve(static_cast<std::size_t>(count));
  slot.hashes.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    const TextsView member = ViewOf(members[static_cast<std::size_t>(i)]);
    Put(slot, static_cast<std::size_t>(i), Pack(member, ReadingHash(member.Reading())));
  }
  return true;
}

int GroupTable::MemberCount(int key) const {
  const int index = FindSlot(key);
  if (index < 0) return 0;
  Ready(index);
  return slots_[static_cast<std::size_t>(index)].info.count;
}

int GroupTable::CopyMembers(int key, int max, std::vector<MemberEntry>* out) const {
  const int index = FindSlot(key);
  if (index < 0) return 0;
  Ready(index);
  const SlotData& slot = slots_[static_cast<std::size_t>(index)];
  if (!SlotKindSupported(slot.info)) alerts_->Alert(kUnsupportedAddrType);
  int copied = 0;
  for (const Position& p : slot.positions) {
    if (copied >= max) break;
    if (!p.used) continue;
    MemberEntry m;
    CopyInto(Unpack(p), &m);
    out->push_back(std::move(m));
    ++copied;
  }
  return copied;
}

void GroupTable::ForEachMemberToWrite(
    int key, const std::function<void(const TextsView*, std::string_view)>& each) const {
  const int index = FindSlot(key);
  if (index < 0) return;
  Ready(index);
  const SlotData& slot = slots_[static_cast<std::size_t>(index)];
  int written = 0;
  for (const Position& p : slot.positions) {
    if (written >= slot.info.count) break;
    if (!p.used) continue;
    // Fields the writer would write alike are copied as they are.
    if (CopiedAsWritten(p)) {
      each(nullptr, FieldsOf(p));
      ++written;
      continue;
    }
    const TextsView texts = Unpack(p);
    each(&texts, std::string_view());
    ++written;
  }
}

bool GroupTable::DeleteGroup(int key) {
  const int index = FindSlot(key);
  if (index < 0) return false;
  if (!SlotKindSupported(slots_[static_cast<std::size_t>(index)].info)) {
    alerts_->Alert(kUnsupportedAddrType);
  }
  FreeSlot(index);
  return true;
}

std::size_t MemberEdit::Bytes() const {
  std::size_t bytes = sizeof(*this) + spots.capacity() * sizeof(MemberSpot) +
                      slots.capacity() * sizeof(SlotBefore);
  for (const auto& other : others) {
    bytes += sizeof(other);
    for (const TextField& field : kTextFields) bytes += (other.second.*field.member).capacity();
  }
  return bytes;
}

bool GroupTable::Matches(const TextsView& member, const EntryTexts& address) const {
  const TextsView own = ViewOf(address);
  return member.respect == own.respect && member.texts == own.texts;
}

void GroupTable::NoteSpot(int index, std::size_t pos, const EntryTexts& address,
                          MemberEdit* edit) const {
  edit->spots.push_back({static_cast<std::uint16_t>(index), static_cast<std::uint8_t>(pos)});
  const TextsView old = Unpack(slots_[static_cast<std::size_t>(index)].positions[pos]);
  if (Matches(old, address)) return;
  MemberEntry kept;
  CopyInto(old, &kept);
  edit->others.emplace_back(static_cast<std::uint32_t>(edit->spots.size() - 1), std::move(kept));
}

void GroupTable::EmptyPosition(SlotData& slot, std::size_t pos) {
  Forget(slot.positions[pos]);
  Put(slot, pos, Position());
  --slot.info.count;
}

void GroupTable::TrimFreePositions(SlotData& slot) {
  while (!slot.positions.empty() && !slot.positions.back().used) {
    slot.freePositions -= slot.hashes.back() == 0;
    slot.positions.pop_back();
    slot.hashes.pop_back();
  }
}

bool GroupTable::UpdateMember(const std::string& oldReading, int kind, const MemberEntry& member) {
  return UpdateMember(oldReading, kind, member, member, nullptr);
}

bool GroupTable::UpdateMember(const std::string& oldReading, int kind, const MemberEntry& member,
                              const EntryTexts& address, MemberEdit* edit) {
  if (kind != kKindMember) alerts_->Alert(kUnsupportedAddrType);
  if (oldReading.empty()) return false;
  const std::uint32_t hash = ReadingHash(oldReading);
  const TextsView view = ViewOf(member);
  const std::uint32_t newHash = ReadingHash(view.Reading());
  bool replaced = false;
  for (int index = 0; index < neverUsed_; ++index) {
    SlotData& slot = slots_[static_cast<std::size_t>(index)];
    if (slot.info.key == 0) continue;
    Ready(index);
    // The hashes column first (0 for a free position): most slots hold no
    // copy of the address, and it is a fraction of the positions' bytes.
    for (std::size_t pos = 0; pos < slot.positions.size(); ++pos) {
      if (slot.hashes[pos] != hash || !SameReading(slot.positions[pos], hash, oldReading)) continue;
      if (edit) {
        NoteSpot(index, pos, address, edit);
      }
      Forget(slot.positions[pos]);
      Put(slot, pos, Pack(view, newHash));
      replaced = true;
      break;
    }
  }
  CompactIfWasteful();
  return replaced;
}

void GroupTable::PutMembers(const MemberEdit& edit, const MemberEntry& member, bool others) {
  const TextsView view = ViewOf(member);
  const std::uint32_t hash = ReadingHash(view.Reading());
  std::size_t next = 0;
  for (std::size_t i = 0; i < edit.spots.size(); ++i) {
    const MemberSpot& spot = edit.spots[i];
    Ready(spot.slot);
    SlotData& slot = slots_[spot.slot];
    Forget(slot.positions[spot.pos]);
    if (others && next < edit.others.size() && edit.others[next].first == i) {
      const TextsView kept = ViewOf(edit.others[next].second);
      Put(slot, spot.pos, Pack(kept, ReadingHash(kept.Reading())));
      ++next;
    } else {
      Put(slot, spot.pos, Pack(view, hash));
    }
  }
  CompactIfWasteful();
}

std::vector<std::vector<MemberSpot>> GroupTable::FindCopies(
    const std::vector<std::string_view>& readings) const {
  std::vector<std::vector<MemberSpot>> spots(readings.size());
  std::unordered_multimap<std::uint32_t, std::size_t> byHash;
  byHash.reserve(readings.size());
  for (std::size_t i = 0; i < readings.size(); ++i) {
    if (!readings[i].empty()) byHash.emplace(ReadingHash(readings[i]), i);
  }
  if (byHash.empty()) return spots;
  // The slot each reading was last found in: only the first match of a
  // group counts, as in UpdateMember.
  std::vector<int> foundIn(readings.size(), -1);
  for (int index = 0; index < neverUsed_; ++index) {
    const SlotData& slot = slots_[static_cast<std::size_t>(index)];
    if (slot.info.key == 0) continue;
    Ready(index);
    for (std::size_t pos = 0; pos < slot.positions.size(); ++pos) {
      if (slot.hashes[pos] == 0) continue;  // a free position
      const Position& p = slot.positions[pos];
      const auto range = byHash.equal_range(p.hash);
      for (auto it = range.first; it != range.second; ++it) {
        const std::size_t i = it->second;
        if (foundIn[i] == index || !SameReading(p, it->first, readings[i])) continue;
        foundIn[i] = index;
        spots[i].push_back({static_cast<std::uint16_t>(index), static_cast<std::uint8_t>(pos)});
      }
    }
  }
  return spots;
}

bool GroupTable::RemoveMember(const std::string& reading, GroupEntryOwner* owner) {
  std::vector<int> freed;
  const bool removed = RemoveMember(reading, EntryTexts(), nullptr, &freed);
  // The owner's list is not the table's business: the entries go after.
  if (owner) {
    for (int key : freed) owner->RemoveGroupEntry(key);
  }
  return removed;
}

bool GroupTable::RemoveMember(const std::string& reading, const EntryTexts& address,
                              MemberEdit* edit, std::vector<int>* freedKeys) {
  if (reading.empty()) return false;
  const std::uint32_t hash = ReadingHash(reading);
  bool removedAny = false;
  for (int index = 0; index < neverUsed_; ++index) {
    SlotData& slot = slots_[static_cast<std::size_t>(index)];
    if (slot.info.key == 0) continue;
    Ready(index);
    if (!SlotKindSupported(slot.info) && slot.info.originKind != 0) {
      alerts_->Alert(kUnsupportedAddrType);
    }
    bool removed = false;
    const std::size_t size = slot.positions.size();
    for (std::size_t pos = 0; pos < size; ++pos) {
      if (!SameReading(slot.positions[pos], hash, reading)) continue;
      if (edit) {
        if (!removed) {
          edit->slots.push_back({static_cast<std::uint16_t>(index),
                                 static_cast<std::uint8_t>(size), GroupRecord()});
        }
        NoteSpot(index, pos, address, edit);
      }
      EmptyPosition(slot, pos);
      removed = true;
    }
    if (!removed) continue;
    removedAny = true;
    TrimFreePositions(slot);
    if (slot.info.count <= 0) {
      if (edit) edit->slots.back().freed = slot.info;
      const int key = slot.info.key;
      FreeSlot(index);
      if (freedKeys) freedKeys->push_back(key);
    }
  }
  CompactIfWasteful();
  return removedAny;
}

void GroupTable::UndoRemoval(const MemberEdit& edit, const MemberEntry& member) {
  const TextsView view = ViewOf(member);
  const std::uint32_t hash = ReadingHash(view.Reading());
  std::size_t spot = 0;
  std::size_t next = 0;
  for (const MemberEdit::SlotBefore& before : edit.slots) {
    if (before.freed.key != 0) {
      TakeSlot(before.slot, before.freed.key, before.freed.originKind);
      slots_[before.slot].info = before.freed;
    }
    Ready(before.slot);
    SlotData& slot = slots_[before.slot];
    while (slot.positions.size() < before.positions) {
      slot.positions.push_back(Position());
      slot.hashes.push_back(0);
      ++slot.freePositions;
      slot.run = KeptRun();
    }
    for (; spot < edit.spots.size() && edit.spots[spot].slot == before.slot; ++spot) {
      const std::size_t pos = edit.spots[spot].pos;
      Forget(slot.positions[pos]);
      if (next < edit.others.size() && edit.others[next].first == spot) {
        const TextsView kept = ViewOf(edit.others[next].second);
        Put(slot, pos, Pack(kept, ReadingHash(kept.Reading())));
        ++next;
      } else {
        Put(slot, pos, Pack(view, hash));
      }
      ++slot.info.count;
    }
  }
}

void GroupTable::RedoRemoval(const MemberEdit& edit) {
  std::size_t spot = 0;
  for (const MemberEdit::SlotBefore& before : edit.slots) {
    Ready(before.slot);
    SlotData& slot = slots_[before.slot];
    for (; spot < edit.spots.size() && edit.spots[spot].slot == before.slot; ++spot) {
      EmptyPosition(slot, edit.spots[spot].pos);
    }
    TrimFreePositions(slot);
    if (before.freed.key != 0) FreeSlot(before.slot);
  }
  CompactIfWasteful();
}

std::size_t GroupTable::MemoryBytes() const {
  std::size_t bytes = packer_.Size() + (kept_ ? kept_->Size() : 0);
  for (int index = 0; index < neverUsed_; ++index) {
    const SlotData& slot = slots_[static_cast<std::size_t>(index)];
    bytes += slot.positions.capacity() * sizeof(Position) + slot.hashes.capacity() * 4;
  }
  bytes += keptLines_.Bytes();
  return bytes;
}

std::vector<int> GroupTable::SlotsOf(int key) const {
  auto it = byKey_.find(key);
  return it == byKey_.end() ? std::vector<int>() : it->second;
}

SlotImage GroupTable::ImageOf(int index) const {
  SlotImage image;
  image.index = index;
  if (index >= neverUsed_) return image;  // a slot never taken
  Ready(index);
  const SlotData& slot = slots_[static_cast<std::size_t>(index)];
  image.info = slot.info;
  image.positions.resize(slot.positions.size());
  for (std::size_t pos = 0; pos < slot.positions.size(); ++pos) {
    if (slot.positions[pos].used) CopyInto(Unpack(slot.positions[pos]), &image.positions[pos]);
  }
  return image;
}

void GroupTable::Restore(const SlotImage& image) {
  if (image.index < neverUsed_ && slots_[static_cast<std::size_t>(image.index)].info.key != 0) {
    FreeSlot(image.index);
  }
  if (image.info.key == 0) return;
  TakeSlot(image.index, image.info.key, image.info.originKind);
  SlotData& slot = slots_[static_cast<std::size_t>(image.index)];
  slot.info = image.info;
  slot.positions.reserve(image.positions.size());
  slot.hashes.reserve(image.positions.size());
  for (std::size_t pos = 0; pos < image.positions.size(); ++pos) {
    const TextsView view = ViewOf(image.positions[pos]);
    if (view.Reading().empty()) {
      slot.positions.push_back(Position());
      slot.hashes.push_back(0);
      ++slot.freePositions;
    } else {
      Put(slot, pos, Pack(view, ReadingHash(view.Reading())));
    }
  }
}

TextsView GroupTable::MemberAt(int slot, int pos) const {
  if (slot < 0 || slot >= neverUsed_) return TextsView();
  const SlotData& data = slots_[static_cast<std::size_t>(slot)];
  if (pos < 0 || static_cast<std::size_t>(pos) >= data.positions.size()) return TextsView();
  const Position& p = data.positions[static_cast<std::size_t>(pos)];
  return p.used ? Unpack(p) : TextsView();
}

void GroupTable::ForEachPosition(
    const std::function<void(int slot, int pos, const TextsView&)>& each) const {
  for (int index = 0; index < neverUsed_; ++index) {
    const SlotData& slot = slots_[static_cast<std::size_t>(index)];
    if (slot.info.key == 0) continue;
    Ready(index);
    for (std::size_t pos = 0; pos < slot.positions.size(); ++pos) {
      if (slot.positions[pos].used) each(index, static_cast<int>(pos), Unpack(slot.positions[pos]));
    }
  }
}

}  // namespace store
