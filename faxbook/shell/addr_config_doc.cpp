#include "faxbook/shell/addr_config_doc.h"

#include <utility>

#include "faxbook/res/editing_resource.h"
#include "faxbook/res/resource.h"
#include "faxbook/shell/data_location.h"
#include "store/book_integrity.h"
#include "store/book_order.h"

CAddrConfigDoc::CAddrConfigDoc(const EditorServices& services, store::StoreAlerts* alerts,
                               const EditorSettings* settings, const StartupInfo* startup)
    : services_(services),
      alerts_(alerts),
      settings_(settings),
      startup_(startup),
      book_(settings->codePage, alerts) {
  book_.EnableHistory(kUndoSteps);
}

store::BookContext CAddrConfigDoc::BookContext() const {
  store::BookContext context;
  context.files = services_.files;
  context.alerts = alerts_;
  context.read.langId = settings_->langId;
  context.read.codePage = settings_->codePage;
  context.systemClass = startup_->systemClass;
  if (context.systemClass == 1 || context.systemClass == 2) {
    context.defaultDataFile = DefaultDataFile(startup_->specialFolder);
  }
  return context;
}

void CAddrConfigDoc::Open() {
  const DataLocation location =
      ResolveDataLocation(startup_->systemClass, startup_->specialFolder, *services_.registry);
  if (startup_->systemClass == 1 || startup_->systemClass == 2) {
    PrepareDataFolders(startup_->specialFolder, *services_.folders);
  }
  primaryPath_ = location.primaryPath;
  oldPath_ = location.oldPath;
  Load(primaryPath_, oldPath_);
}

void CAddrConfigDoc::Tell(int id, const std::string& path) {
  services_.messages->Show(ui::FormatText(services_.resources->String(id), path),
                           services_.resources->String(IDS_CAPTION), ui::Buttons::kOk,
                           ui::Icon::kStop);
}

bool CAddrConfigDoc::Load(const std::string& primaryPath, const std::string& oldPath) {
  historyEndsAtMerge_ = false;
  return LoadFrom(primaryPath, oldPath, false) == Reloaded::kLoaded;
}

CAddrConfigDoc::Reloaded CAddrConfigDoc::ReloadChangedFile() {
  // Judged on the bytes as they are: the load would first give an empty
  // file a header and so make a whole, empty book of it.
  sys::FileBytes bytes;
  if (services_.files->ReadInto(primaryPath_, store::kMaxBookBytes, &bytes) ==
          sys::FileError::kNone &&
      !store::CheckBookIntegrity(bytes.View()).whole()) {
    return Reloaded::kDamaged;
  }
  const Reloaded result = LoadFrom(primaryPath_, oldPath_, true);
  // What came in from elsewhere ends this user's history.
  if (result == Reloaded::kLoaded) historyEndsAtMerge_ = true;
  return result;
}

CAddrConfigDoc::Reloaded CAddrConfigDoc::LoadFrom(const std::string& primaryPath,
                                                  const std::string& oldPath, bool wholeOnly) {
  ui::WaitCursorScope wait(*services_.waitCursor);
  // The book is read aside first: one that cannot be read whole replaces
  // nothing.
  std::vector<store::AddressRecord> records;
  store::GroupTable groups(settings_->codePage, alerts_);
  store::BookBytes bytes;
  const store::BookStatus status =
      store::LoadBook(BookContext(), primaryPath, oldPath, &records, &groups, &bytes);
  if (!status.ok()) {
    // Without a book read from a file, the book must not go over this one.
    if (!bookRead_) unreadBook_ = status.path;
    Tell(IDS_BOOK_UNREADABLE, status.path);
    return Reloaded::kFailed;
  }
  if (wholeOnly && !store::CheckBookIntegrity(bytes.View()).whole()) return Reloaded::kDamaged;
  book_.Load(store::LoadOrder(std::move(records)), std::move(groups));
  if (primaryPath == primaryPath_) {
    stamp_ = status.stamp;
    baseBytes_ = std::move(bytes);
  }
  SetBookChosen();
  TellRestored(primaryPath, status);
  return Reloaded::kLoaded;
}

void CAddrConfigDoc::TellRestored(const std::string& path, const store::BookStatus& status) {
  if (status.restoredFrom.empty()) return;
  services_.messages->Show(ui::FormatText(services_.resources->String(IDS_BOOK_RESTORED),
                                          std::vector<std::string>{path, status.restoredFrom}),
                           services_.resources->String(IDS_CAPTION), ui::Buttons::kOk,
                           ui::Icon::kInformation);
}

bool CAddrConfigDoc::ReadBook(const std::string& path, std::vector<store::AddressRecord>* records,
                              store::GroupTable* groups) {
  ui::WaitCursorScope wait(*services_.waitCursor);
  std::vector<store::AddressRecord> read;
  const store::BookStatus status =
      store::LoadBook(BookContext(), path, std::string(), &read, groups);
  if (!status.ok()) {
    Tell(IDS_BOOK_UNREADABLE, status.path);
    return false;
  }
  *records = store::LoadOrder(std::move(read));
  TellRestored(path, status);
  return true;
}

void CAddrConfigDoc::SetBookChosen() {
  bookRead_ = true;
  unreadBook_.clear();
}

bool CAddrConfigDoc::SaveBook(const std::string& path) {
  ui::WaitCursorScope wait(*services_.waitCursor);
  if (path != primaryPath_) {
    lastSaveError_ = store::WriteBook(BookContext(), path, *services_.collation, book_);
    return lastSaveError_ == sys::FileError::kNone;
  }
  // What the primary file holds from now on is the base of the next merge.
  store::FileStamp written;
  store::BookBytes bytes;
  lastSaveError_ =
      store::WriteBook(BookContext(), path, *services_.collation, book_, &written, &bytes);
  if (lastSaveError_ != sys::FileError::kNone) return false;
  stamp_ = written;
  baseBytes_ = std::move(bytes);
  return true;
}

bool CAddrConfigDoc::Apply() {
  if (!unreadBook_.empty()) {
    Tell(IDS_BOOK_PROTECTED, unreadBook_);
    return false;
  }
  sys::FileSystem& files = *services_.files;
  for (int round = 0; round < kMergeRounds; ++round) {
    store::FileStamp now;
    sys::FileError error = store::StampFile(files, primaryPath_, store::kMaxBookBytes, &now);
    // No file, or none read here yet: nothing of anyone's to keep.
    if (error == sys::FileError::kNotFound || !stamp_.known) return WriteAsIs();
    if (error != sys::FileError::kNone) {
      Tell(IDS_BOOK_UNREADABLE, primaryPath_);
      return false;
    }
    if (now.SameBytes(stamp_)) return WriteAsIs();
    std::string theirs;
    error = files.ReadWhole(primaryPath_, &theirs, store::kMaxBookBytes);
    if (error != sys::FileError::kNone) {
      Tell(IDS_BOOK_UNREADABLE, primaryPath_);
      return false;
    }
    const store::FileStamp theirsStamp = store::StampOf(theirs);
    if (theirsStamp.SameBytes(stamp_)) return WriteAsIs();
    // A file cut short, emptied or written over by another program would
    // merge as the other side deleting what it lost: it is not merged, and
    // nothing is written over it.
    if (!store::CheckBookIntegrity(theirs).whole()) {
      Tell(IDS_BOOK_UNREADABLE, primaryPath_);
      return false;
    }
    store::Book merged(settings_->codePage, alerts_);
    if (!MergeWith(theirs, &merged)) return false;
    // Just before the write: a file written again meanwhile is merged again.
    store::FileStamp again;
    error = store::StampFile(files, primaryPath_, store::kMaxBookBytes, &again);
    if (error != sys::FileError::kNone) {
      Tell(IDS_BOOK_UNREADABLE, primaryPath_);
      return false;
    }
    if (!again.SameBytes(theirsStamp)) continue;
    ui::WaitCursorScope wait(*services_.waitCursor);
    store::FileStamp written;
    store::BookBytes bytes;
    lastSaveError_ = store::WriteBook(BookContext(), primaryPath_, *services_.collation, merged,
                                      &written, &bytes);
    if (lastSaveError_ != sys::FileError::kNone) {
      Tell(lastSaveError_ == sys::FileError::kReadOnly ? IDS_BOOK_READ_ONLY : IDS_APPLY_FAILED,
           primaryPath_);
      return false;
    }
    stamp_ = written;
    baseBytes_ = std::move(bytes);
    // The book becomes what was written. What came in from elsewhere is no
    // step of this user's: an undo across it would take back another PC's
    // work, so the history ends here.
    TakeMerged(&merged);
    return true;
  }
  Tell(IDS_BOOK_KEEPS_CHANGING, primaryPath_);
  return false;
}

void CAddrConfigDoc::TakeMerged(store::Book* merged) {
  std::vector<store::AddressRecord> records;
  records.reserve(static_cast<std::size_t>(merged->Size()));
  for (int i = 0; i < merged->Size(); ++i) records.push_back(merged->RecordAt(i));
  store::GroupTable groups(settings_->codePage, alerts_);
  for (const store::AddressRecord& r : records) {
    if (r.kind != store::kKindGroup) continue;
    groups.AddMember(r.regNo, store::kKindGroup, store::MemberEntry());
    for (const store::MemberEntry& m : merge::MembersOf(*merged, r.regNo)) {
      groups.AddMember(r.regNo, store::kKindMember, m);
    }
  }
  book_.Load(std::move(records), std::move(groups));
  historyEndsAtMerge_ = true;
}

bool CAddrConfigDoc::WriteAsIs() {
  if (SaveBook(primaryPath_)) {
    book_.MarkSaved();
    return true;
  }
  // A read-only book is the user's own protection: say so.
  Tell(lastSaveError_ == sys::FileError::kReadOnly ? IDS_BOOK_READ_ONLY : IDS_APPLY_FAILED,
       primaryPath_);
  return false;
}

namespace {

// The base's alerts were shown when it was read: it is read again quietly.
class QuietAlerts : public store::StoreAlerts {
 public:
  void Alert(const std::string&) override {}
};

}  // namespace

std::unique_ptr<store::Book> CAddrConfigDoc::BookOfBytes(std::string_view bytes,
                                                         store::StoreAlerts* alerts) {
  store::BookContext context = BookContext();
  context.alerts = alerts;
  store::GroupTable groups(settings_->codePage, alerts);
  std::vector<store::AddressRecord> records;
  store::ReadBookBytes(context, bytes, store::CountEntryLines(bytes), &records, &groups);
  auto book = std::make_unique<store::Book>(settings_->codePage, alerts);
  book->Load(store::LoadOrder(std::move(records)), std::move(groups));
  return book;
}

bool CAddrConfigDoc::MergeWith(const std::string& theirsBytes, store::Book* merged) {
  QuietAlerts quiet;
  std::unique_ptr<store::Book> base = BookOfBytes(baseBytes_.View(), &quiet);
  std::unique_ptr<store::Book> theirs = BookOfBytes(theirsBytes, alerts_);
  // A whole book that lost most of what it held is more likely a mistake
  // (an old copy put back, a book of another user) than the other PC's
  // deletions: the user decides.
  const int lost = merge::EntriesLost(*base, *theirs);
  if (merge::IsMassRemoval(lost, base->Size())) {
    const std::string text = ui::FormatText(
        services_.resources->String(IDS_BOOK_LOST_ENTRIES),
        std::vector<std::string>{primaryPath_, std::to_string(lost), std::to_string(base->Size())});
    if (services_.messages->Show(text, services_.resources->String(IDS_CAPTION),
                                 ui::Buttons::kYesNo, ui::Icon::kExclamation) != ui::kIdYes) {
      return false;
    }
  }
  merge::MergePlan plan = merge::PlanMerge(*base, book_, *theirs, settings_->langId);
  std::vector<merge::Side> choices;
  if (!plan.conflicts.empty() && (!chooser_ || !chooser_->Choose(plan.conflicts, &choices))) {
    return false;
  }
  rules::TextRules rules;
  rules.langId = settings_->langId;
  rules.codePage = settings_->codePage;
  merge::MergedBook result(settings_->codePage, alerts_);
  merge::BuildMerged(std::move(plan), choices, rules, &result);
  if (!result.ok) {
    services_.messages->Show(
        ui::FormatText(services_.resources->String(IDS_BOOK_FULL), std::to_string(store::kMaxEntries)),
        services_.resources->String(IDS_CAPTION), ui::Buttons::kOk, ui::Icon::kExclamation);
    return false;
  }
  merged->Load(std::move(result.records), std::move(result.groups));
  return true;
}

bool CAddrConfigDoc::FileChangedElsewhere() {
  if (!stamp_.known || primaryPath_.empty()) return false;
  std::uint64_t size = 0;
  std::uint64_t modified = 0;
  if (!store::LastWrite(*services_.files, primaryPath_, &size, &modified)) return false;
  if (stamp_.modified != 0 && modified == stamp_.modified && size == stamp_.size) return false;
  store::FileStamp now;
  if (store::StampFile(*services_.files, primaryPath_, store::kMaxBookBytes, &now) !=
      sys::FileError::kNone) {
    return false;
  }
  if (now.SameBytes(stamp_)) {
    stamp_.modified = now.modified;  // touched, not changed
    return false;
  }
  return true;
}
