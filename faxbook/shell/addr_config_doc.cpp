#include "faxbook/shell/addr_config_doc.h"

#include <utility>

#include "faxbook/res/resource.h"
#include "faxbook/shell/data_location.h"
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
  ui::WaitCursorScope wait(*services_.waitCursor);
  // The book is read aside first: one that cannot be read whole replaces
  // nothing.
  std::vector<store::AddressRecord> records;
  store::GroupTable groups(settings_->codePage, alerts_);
  const store::BookStatus status =
      store::LoadBook(BookContext(), primaryPath, oldPath, &records, &groups);
  if (!status.ok()) {
    // Without a book read from a file, the book must not go over this one.
    if (!bookRead_) unreadBook_ = status.path;
    Tell(IDS_BOOK_UNREADABLE, status.path);
    return false;
  }
  book_.Load(store::LoadOrder(std::move(records)), std::move(groups));
  SetBookChosen();
  TellRestored(primaryPath, status);
  return true;
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
  lastSaveError_ = store::WriteBook(BookContext(), path, *services_.collation, book_);
  return lastSaveError_ == sys::FileError::kNone;
}

bool CAddrConfigDoc::Apply() {
  if (!unreadBook_.empty()) {
    Tell(IDS_BOOK_PROTECTED, unreadBook_);
    return false;
  }
  if (SaveBook(primaryPath_)) {
    book_.MarkSaved();
    return true;
  }
  // A read-only book is the user's own protection: say so.
  Tell(lastSaveError_ == sys::FileError::kReadOnly ? IDS_BOOK_READ_ONLY : IDS_APPLY_FAILED,
       primaryPath_);
  return false;
}
