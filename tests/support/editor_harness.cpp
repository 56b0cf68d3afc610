#include "tests/support/editor_harness.h"

#include "faxbook/res/conflict_resource.h"
#include "faxbook/res/resource.h"
#include "faxbook/shell/language.h"
#include "store/book_format.h"

std::string Marker(int id) {
  std::string text = "[" + std::to_string(id) + "]";
  if (id == IDS_APPLY_FAILED || id == IDS_BOOK_UNREADABLE || id == IDS_BOOK_PROTECTED ||
      id == IDS_BOOK_READ_ONLY || id == IDS_BOOK_KEEPS_CHANGING) {
    text += " %s";
  }
  if (id == IDS_BOOK_RESTORED) text += " %s %s";
  if (id == IDS_BOOK_LOST_ENTRIES) text += " %s %d %d";
  if (id == IDS_EXPORT_OVER_BOOK || id == IDS_FIELD_MEMBER) text += " %s";
  if (id == IDS_FIELD_MEMBER_FIELD) text += " %s %s";
  return text;
}

namespace {

std::map<int, std::string> MarkerStrings() {
  std::map<int, std::string> strings;
  for (int id : {IDS_CAPTION, IDS_COLUMN_NAME, IDS_COLUMN_READING, IDS_COLUMN_FAX,
                 IDS_COLUMN_COMPANY, IDS_COLUMN_DEPARTMENT, IDS_COLUMN_RECIPIENT,
                 IDS_SAVE_QUESTION, IDS_NO_SELECTION, IDS_BAD_INSTALLATION, IDS_APPLY_FAILED,
                 IDS_BOOK_UNREADABLE, IDS_BOOK_PROTECTED, IDS_BOOK_RESTORED,
                 IDS_BOOK_READ_ONLY, IDS_BOOK_KEEPS_CHANGING, IDS_BOOK_CHANGED_ELSEWHERE,
                 IDS_BOOK_LOST_ENTRIES, IDS_BOOK_DAMAGED_ELSEWHERE, IDS_UNDO_ENDS_AT_MERGE,
                 IDS_EXPORT_OVER_BOOK}) {
    strings[id] = Marker(id);
  }
  for (int id = IDS_CONFLICT_COLUMN_ENTRY; id <= IDS_FIELD_ENTRY; ++id) strings[id] = Marker(id);
  for (int id = IDS_FIELD_MEMBER; id <= IDS_CONFLICT_KEEP_ADDRESS; ++id) strings[id] = Marker(id);
  strings[IDS_APP_TITLE] = "Address Book for Relay FAX";
  strings[IDS_RESPECT_1] = " SAMA";
  strings[IDS_RESPECT_2] = " DONO";
  strings[IDS_RESPECT_3] = " ONCHU";
  return strings;
}

}  // namespace

EditorHarness::EditorHarness() {
  system.majorVersion = 5;
  system.specialFolders[sys::kFolderPersonal] = kDocuments;
  folders.existing = {"C:\\Program Files\\Faxbook", kDocuments};
  registry.Set(kAddressBookKey, kValueFileName, kOldBook);
  resources.SetProgramStrings(MarkerStrings());
  fileDialogs.WatchDialogs([this] { return dialogs.Innermost(); });
}

bool EditorHarness::Start() {
  collation = std::make_unique<text::PortableCollation>(system.codePage);
  EditorServices services;
  services.files = &files;
  services.registry = &registry;
  services.system = &system;
  services.folders = &folders;
  services.instance = &instance;
  services.resources = &resources;
  services.messages = &boxes;
  services.waitCursor = &cursor;
  services.help = &help;
  services.dialogs = &dialogs;
  services.fileDialogs = &fileDialogs;
  services.collation = collation.get();
  app = std::make_unique<CFaxbookApp>(services);
  return app->InitApplication() && app->InitInstance(host);
}

void EditorHarness::SetLanguage(const std::string& name) {
  registry.Set(kAddressBookKey, kValueLanguage, name);
}

std::string EditorHarness::DataFile() const {
  return std::string(kDocuments) + "\\BrevantZelo\\FaxbookData\\address.fdt";
}

std::vector<std::string> EditorHarness::Messages() const {
  std::vector<std::string> texts;
  for (const ui::ShownMessage& m : boxes.Shown()) texts.push_back(m.text);
  return texts;
}

std::string BookHeader() { return std::string(store::kBookHeader) + "\r\n"; }

std::string Book(const std::vector<std::string>& lines) {
  std::string bytes = BookHeader();
  for (const std::string& line : lines) bytes += line + "\r\n";
  return bytes;
}

void EditorHarness::TouchFirstGroup() {
  store::Book& book = TheBook();
  for (int i = 0; i < book.Size(); ++i) {
    const store::EntryId id = book.IdAt(i);
    if (!book.IsGroup(id)) continue;
    std::vector<store::MemberEntry> members;
    book.Groups().CopyMembers(book.Find(id)->regNo, store::kMaxMembers, &members);
    store::BookStep step(book);
    book.SetMembers(id, members);
    return;
  }
}

void EditorHarness::ClearBook() {
  store::Book& book = TheBook();
  store::BookStep step(book);
  while (book.Size() > 0) book.Remove(book.IdAt(0));
}
