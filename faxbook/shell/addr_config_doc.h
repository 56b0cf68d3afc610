// The document: the book in memory and its file. It resolves where the book
// lives, reads it (a book that cannot be read whole replaces nothing, and
// while no book has been read apply refuses to write over that file), and
// writes it as apply writes it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "faxbook/editing/book_files.h"
#include "faxbook/editing/editor_services.h"
#include "faxbook/editing/editor_settings.h"
#include "faxbook/shell/conflict_chooser.h"
#include "faxbook/shell/startup_info.h"
#include "store/book.h"
#include "store/book_file.h"
#include "store/file_stamp.h"

class CAddrConfigDoc : public BookFiles {
 public:
  // The history keeps at least this many steps.
  static constexpr std::size_t kUndoSteps = 100;

  CAddrConfigDoc(const EditorServices& services, store::StoreAlerts* alerts,
                 const EditorSettings* settings, const StartupInfo* startup);

  store::Book& Book() { return book_; }
  const store::Book& Book() const { return book_; }

  // The first update: the book's paths (the data folders made on classes 1
  // and 2), then the book read.
  void Open();
  // Reads the book at primaryPath (a new, empty file is first seeded from
  // oldPath on classes 1 and 2) in place of the one in memory, without
  // history, unmodified. False, with the user told which file it was, when
  // it cannot be read whole: nothing is replaced then.
  bool Load(const std::string& primaryPath, const std::string& oldPath);
  // The book as its file holds it again (the framework's new-file command).
  void Reload() { Load(primaryPath_, oldPath_); }
  // The file changed elsewhere is read again in place of the book, but only
  // when it is a whole book (see store/book_integrity.h): a file cut short
  // or written over by another program is not shown (kDamaged, the book
  // left as it is). A file read this way ends the history.
  enum class Reloaded { kLoaded, kDamaged, kFailed };
  Reloaded ReloadChangedFile();
  // The history was ended by changes that came in from elsewhere (a merge
  // at apply, a reload on activation) since the book was last opened.
  bool HistoryEndsAtMerge() const { return historyEndsAtMerge_; }

  // Apply: the book written to the primary path; the book is then what the
  // file holds. On failure the user is told (naming the file). Refused, with
  // a message, while the book could not be read (see Load).
  //
  // The file is read again first. When someone else has written it since it
  // was last read or written here, the book is merged with it (base: the
  // book as it was then), the conflicts go to the chooser (none set, or
  // Cancel: nothing is written and the book stays modified), and the merged
  // book is written and becomes the book (its history ends there: see
  // HistoryEndsAtMerge). A file that is no whole book is not merged and not
  // written over (the user told); one that lost more than half of the
  // entries it held is merged only when the user says yes. A file that
  // changes again between
  // the merge and the write is merged again, up to three times; then the
  // user is told and nothing is written. A file that cannot be read is
  // never written over.
  bool Apply();
  static constexpr int kMergeRounds = 3;
  void SetConflictChooser(ConflictChooser* chooser) { chooser_ = chooser; }
  // Whether the file's bytes differ from those last read or written here.
  bool FileChangedElsewhere();
  bool IsModified() const { return book_.Modified(); }

  const std::string& OldPath() const { return oldPath_; }

  // --- BookFiles ----------------------------------------------------------
  const std::string& PrimaryPath() const override { return primaryPath_; }
  store::BookContext BookContext() const override;
  bool SaveBook(const std::string& path) override;
  bool ReadBook(const std::string& path, std::vector<store::AddressRecord>* records,
                store::GroupTable* groups) override;
  void SetBookChosen() override;

 private:
  void Tell(int id, const std::string& path);
  Reloaded LoadFrom(const std::string& primaryPath, const std::string& oldPath, bool wholeOnly);
  // Apply's write of the book as it is.
  bool WriteAsIs();
  // The merged book just written becomes the book, unmodified, without
  // history.
  void TakeMerged(store::Book* merged);
  // The book merged with the file's bytes into *merged; false when the user
  // cancelled or the merge passes the book's limits (told).
  bool MergeWith(const std::string& theirsBytes, store::Book* merged);
  std::unique_ptr<store::Book> BookOfBytes(std::string_view bytes, store::StoreAlerts* alerts);
  // A book an interrupted save had lost was put back: the user hears from
  // where.
  void TellRestored(const std::string& path, const store::BookStatus& status);

  EditorServices services_;
  store::StoreAlerts* alerts_;
  const EditorSettings* settings_;
  const StartupInfo* startup_;
  store::Book book_;
  std::string primaryPath_;
  std::string oldPath_;
  // A book has been read from a file since the start.
  bool bookRead_ = false;
  // The file that could not be read while no book had been: apply would
  // write over what it holds.
  std::string unreadBook_;
  sys::FileError lastSaveError_ = sys::FileError::kNone;
  ConflictChooser* chooser_ = nullptr;
  // What the primary file held when it was last read or written here.
  store::FileStamp stamp_;
  store::BookBytes baseBytes_;
  bool historyEndsAtMerge_ = false;
};
