#include "faxpick/dialogs/destination_dialog.h"

#include <algorithm>

#include "faxpick/dialogs/group_confirm_dialog.h"
#include "faxpick/res/resource.h"
#include "faxpick/startup/ui_language.h"
#include "platform/text/path_split.h"
#include "platform/ui/wait_cursor.h"

namespace picker {
namespace {

constexpr int kSearchTextBytes = 64;
constexpr std::size_t kHonorificBytes = 20;
constexpr char kBookFilter[] = "(*.fdt) |*.fdt|";
constexpr char kNoHelpFile[] = "Not found Help File";

bool IsAddressList(int id) {
  return id == IDC_FULL_LIST || id == IDC_RESULT_LIST_A || id == IDC_RESULT_LIST_B;
}

}  // namespace

CDestinationDialog::CDestinationDialog(const PickerServices& services, int uiLanguage,
                                       const SpoolerArguments& spooler)
    : Dialog(IDD_DESTINATION),
      services_(services),
      uiLanguage_(uiLanguage),
      spooler_(spooler),
      codePage_(services.system->AnsiCodePage()),
      strings_(*services.resources, codePage_),
      locations_(services_, strings_),
      columns_(*services.resources, uiLanguage == kLanguageJapanese, codePage_),
      book_(codePage_),
      lists_(columns_, *services.localeEquality, codePage_),
      exchange_(*services.ini, *services.files, codePage_) {}

bool CDestinationDialog::Japanese() const { return uiLanguage_ == kLanguageJapanese; }

std::string CDestinationDialog::ProgramName() const {
  std::string name(text::NameOf(codePage_, services_.system->ProgramPath()));
  const std::size_t dot = name.rfind('.');
  if (dot != std::string::npos && dot > 0) name.erase(dot);
  return name.empty() ? std::string("faxpick") : name;
}

void CDestinationDialog::OnInit() {
  SetIcon(IDI_PICKER);
  CheckItem(IDC_BY_NAME, true);
  CheckItem(IDC_BY_COMPANY, false);
  ShowItem(IDC_RESULT_LIST_A, false);
  ShowItem(IDC_RESULT_LIST_B, false);
  lists_.Attach(List(IDC_FULL_LIST), List(IDC_RESULT_LIST_A), List(IDC_RESULT_LIST_B));
  sendList_.Attach(List(IDC_SEND_LIST), columns_);

  exchangePath_ = locations_.ExchangeFilePath(spooler_);
  choice_ = ReadBookChoice(*services_.files, *services_.ini,
                           locations_.SettingsPathFor(exchangePath_));
  personalPath_ = locations_.PersonalBookPath();
  CheckItem(IDC_SHARED, choice_.shareMode == 1);
  CheckItem(IDC_PERSONAL, choice_.shareMode != 1);
  LoadBook();

  std::vector<Destination> readBack;
  exchange_.ReadBack(exchangePath_, &readBack);
  for (const Destination& d : readBack) sendList_.Add(d);
  FitSendList();

  UpdateCounter();
  if (sendList_.Count() == 0) EnableItem(IDC_DELETE_ALL, false);
  EnableItem(IDC_DELETE, false);
  EnableItem(IDC_REGISTER, false);
  EnableItem(IDC_SHOW_ALL, false);
  ShowItem(IDC_DETAILS, false);
  SetTextLimit(IDC_SEARCH_TEXT, kSearchTextBytes);
  PlaceNotTopmost();
}

void CDestinationDialog::OnShown() {
  if (toldNoHandingBack_) return;
  if (exchangePath_.empty()) {
    toldNoHandingBack_ = true;
    ShowMessage(strings_.Get(IDS_NO_HANDING_BACK), ProgramName(), ui::Buttons::kOk,
                ui::Icon::kExclamation);
  } else if (exchange_.ReadFailed()) {
    toldNoHandingBack_ = true;
    ShowMessage(ui::FormatText(strings_.Get(IDS_EXCHANGE_UNREADABLE), exchangePath_),
                ProgramName(), ui::Buttons::kOk, ui::Icon::kExclamation);
  }
}

// --- the book ------------------------------------------------------------------

bool CDestinationDialog::ReachShared(const std::string& path) {
  if (services_.network->AttributesReadable(path)) return true;
  unsigned long code = services_.network->Connect(Window(), path, false);
  if (code == sys::kErrorAccessDenied || code == sys::kErrorInvalidPassword ||
      code == sys::kErrorLogonFailure) {
    code = services_.network->Connect(Window(), path, true);
  }
  if (code == 0) return true;
  ShowMessage(strings_.Get(IDS_NO_ACCESS), ProgramName(), ui::Buttons::kOk, ui::Icon::kExclamation);
  return false;
}

void CDestinationDialog::LoadBook() {
  std::string path = personalPath_;
  if (choice_.shareMode == 1 && choice_.shareHost.empty()) path = choice_.sharePath;
  if (choice_.shareMode == 1 && !choice_.shareHost.empty()) {
    path = "\\\\" + choice_.shareHost + choice_.sharePath;
    if (!ReachShared(path)) {
      path = personalPath_;
      choice_.shareMode = 0;
      CheckItem(IDC_PERSONAL, true);
      CheckItem(IDC_SHARED, false);
    }
  }
  ui::WaitCursorScope wait(*services_.waitCursor);
  Honorifics honorifics;
  honorifics.japanese = Japanese();
  honorifics.texts = {strings_.Get(IDS_RESPECT_1, kHonorificBytes),
                      strings_.Get(IDS_RESPECT_2, kHonorificBytes),
                      strings_.Get(IDS_RESPECT_3, kHonorificBytes)};
  book_.Load(*services_.files, path, honorifics);
  lists_.Fill(book_);
}

void CDestinationDialog::ReloadBook() {
  book_.Clear();
  lists_.Clear();
  ShowOnly(ListMode::kFull);
  LoadBook();
  UpdateSelectionState();
}

void CDestinationDialog::PersonalClicked() {
  choice_ = BookChoice();
  ReloadBook();
}

void CDestinationDialog::SharedClicked() {
  if (!IsItemChecked(IDC_SHARED)) return;
  ui::FileDialogRequest request;
  request.filter = kBookFilter;
  request.hideReadOnly = true;
  request.pathMustExist = true;
  request.fileMustExist = true;
  std::string path;
  if (services_.fileDialogs->Choose(request, &path)) {
    if (path.size() > 2) choice_ = SharedChoiceFor(codePage_, path);
    ReloadBook();
  } else if (choice_.shareMode == 0) {
    CheckItem(IDC_PERSONAL, true);
    CheckItem(IDC_SHARED, false);
    ReloadBook();
  }
}

// --- the lists -------------------------------------------------------------------

void CDestinationDialog::ShowOnly(ListMode mode) {
  lists_.SetMode(mode);
  ShowItem(IDC_FULL_LIST, mode == ListMode::kFull);
  ShowItem(IDC_RESULT_LIST_A, mode == ListMode::kResultA);
  ShowItem(IDC_RESULT_LIST_B, mode == ListMode::kResultB);
}

void CDestinationDialog::Search() {
  const std::string typed = ItemText(IDC_SEARCH_TEXT);
  if (typed.empty()) {
    if (ui::ListControl* full = lists_.Full()) {
      for (int row = full->NextSelected(-1); row >= 0; row = full->NextSelected(row)) {
        full->SetSelected(row, false);
      }
      full->EnsureVisible(0);
    }
    ShowOnly(ListMode::kFull);
    EnableItem(IDC_SHOW_ALL, false);
    return;
  }
  const int column = IsItemChecked(IDC_BY_NAME) ? 0 : columns_.CompanyColumn();
  lists_.Search(typed, column);
  ShowOnly(lists_.Mode());
  EnableItem(IDC_SHOW_ALL, true);
  EnableItem(IDC_REGISTER, false);
}

void CDestinationDialog::UpdateSelectionState() {
  ui::ListControl* list = lists_.Visible();
  if (!list || list->SelectedCount() == 0) {
    EnableItem(IDC_REGISTER, false);
    ShowItem(IDC_DETAILS, false);
    return;
  }
  EnableItem(IDC_REGISTER, true);
  bool group = false;
  for (int row = list->NextSelected(-1); row >= 0 && !group; row = list->NextSelected(row)) {
    const BookEntry* entry = lists_.EntryAt(list, row);
    group = entry && entry->IsGroup();
  }
  ShowItem(IDC_DETAILS, group);
}

void CDestinationDialog::UpdateCounter() {
  const int count = sendList_.Count();
  // A job that already holds more than the limit has no room left, not
  // less than none.
  const long long free = std::max(0LL, static_cast<long long>(kMaxDestinations) - count -
                                           exchange_.OtherDestinationCount());
  const std::vector<std::string> values = {std::to_string(count), std::to_string(free)};
  SetItemText(IDC_COUNTER, ui::FormatText(strings_.Get(IDS_COUNTER), values));
}

void CDestinationDialog::Register() {
  ui::ListControl* list = lists_.Visible();
  if (!list) return;
  std::vector<const BookEntry*> chosen;
  long long destinations = 0;
  for (int row = list->NextSelected(-1); row >= 0; row = list->NextSelected(row)) {
    const BookEntry* entry = lists_.EntryAt(list, row);
    if (!entry) continue;
    chosen.push_back(entry);
    destinations += entry->MemberCount();
  }
  const long long total = static_cast<long long>(sendList_.Count()) +
                          exchange_.OtherDestinationCount() + destinations;
  if (total > kMaxDestinations) {
    ShowMessage(strings_.Get(IDS_TOO_MANY), ProgramName(), ui::Buttons::kOk, ui::Icon::kExclamation);
    return;
  }
  for (const BookEntry* entry : chosen) {
    for (int i = 0; i < entry->MemberCount(); ++i) {
      const Destination member = entry->Member(i);
      if (!sendList_.Holds(member)) sendList_.Add(member);
    }
  }
  FitSendList();
  UpdateCounter();
  if (ui::ListControl* sent = List(IDC_SEND_LIST)) {
    for (int row = sent->NextSelected(-1); row >= 0; row = sent->NextSelected(row)) {
      sent->SetSelected(row, false);
    }
    const int last = sent->ItemCount() - 1;
    if (last >= 0) {
      sent->SetSelected(last, true);
      sent->SetFocusedRow(last);
      sent->EnsureVisible(last);
    }
  }
  if (sendList_.Count() > 0) {
    EnableItem(IDC_DELETE_ALL, true);
    EnableItem(IDC_DELETE, true);
  }
}

void CDestinationDialog::FocusTheLists() {
  if (sendList_.Count() > 0) return FocusItem(IDC_SEND_LIST);
  switch (lists_.Mode()) {
    case ListMode::kFull: return FocusItem(IDC_FULL_LIST);
    case ListMode::kResultA: return FocusItem(IDC_RESULT_LIST_A);
    case ListMode::kResultB: return FocusItem(IDC_RESULT_LIST_B);
  }
}

void CDestinationDialog::FitSendList() {
  if (ui::ListControl* sent = List(IDC_SEND_LIST)) {
    columns_.FitSendColumns(*sent, sendList_.Destinations());
  }
}

void CDestinationDialog::Delete() {
  sendList_.RemoveSelected();
  FitSendList();
  UpdateCounter();
  FocusTheLists();
  if (sendList_.Count() == 0) EnableItem(IDC_DELETE_ALL, false);
  EnableItem(IDC_DELETE, false);
}

void CDestinationDialog::DeleteAll() {
  sendList_.Clear();
  FitSendList();
  UpdateCounter();
  FocusTheLists();
  EnableItem(IDC_DELETE, false);
  EnableItem(IDC_DELETE_ALL, false);
}

void CDestinationDialog::Details() {
  ui::ListControl* list = lists_.Visible();
  if (!list) return;
  std::vector<const BookEntry*> groups;
  for (int row = list->NextSelected(-1); row >= 0; row = list->NextSelected(row)) {
    const BookEntry* entry = lists_.EntryAt(list, row);
    if (entry && entry->IsGroup()) groups.push_back(entry);
  }
  for (const BookEntry* group : groups) {
    CGroupConfirmDialog confirm(columns_, Japanese(), *group);
    RunNested(confirm);
  }
}

// --- events ----------------------------------------------------------------------

void CDestinationDialog::OnCommand(int id, int code) {
  if (id == IDC_SEARCH_TEXT) {
    if (code == ui::kEditChanged) Search();
    return;
  }
  if (code != ui::kClicked) return;
  switch (id) {
    case IDC_BY_NAME:
    case IDC_BY_COMPANY: return Search();
    case IDC_SHOW_ALL:
      // The button disables itself: the keyboard goes on in the full list.
      FocusItem(IDC_FULL_LIST);
      SetItemText(IDC_SEARCH_TEXT, std::string());
      return Search();
    case IDC_REGISTER: return Register();
    case IDC_DETAILS: return Details();
    case IDC_DELETE: return Delete();
    case IDC_DELETE_ALL: return DeleteAll();
    case IDC_PERSONAL: return PersonalClicked();
    case IDC_SHARED: return SharedClicked();
    case IDC_HELP_BUTTON: return ShowHelp();
    default: Dialog::OnCommand(id, code);
  }
}

void CDestinationDialog::OnListEvent(int listId, const ui::ListEvent& event) {
  if (listId == IDC_SEND_LIST) {
    if (event.kind == ui::ListEventKind::kClick ||
        event.kind == ui::ListEventKind::kSelectionChanged) {
      ui::ListControl* sent = List(IDC_SEND_LIST);
      EnableItem(IDC_DELETE, sent && sent->SelectedCount() > 0);
    }
    return;
  }
  if (!IsAddressList(listId)) return;
  // A sort puts the selected rows back where they went: the selection as a
  // whole stays the same.
  if (lists_.Rearranging()) return;
  switch (event.kind) {
    case ui::ListEventKind::kClick:
    case ui::ListEventKind::kSelectionChanged:
      UpdateSelectionState();
      break;
    case ui::ListEventKind::kDoubleClick:
      Register();
      break;
    case ui::ListEventKind::kColumnClick: {
      ui::WaitCursorScope wait(*services_.waitCursor);
      lists_.SortByClick(List(listId), event.column);
      break;
    }
    case ui::ListEventKind::kFocus:
      break;
  }
}

void CDestinationDialog::OnOK() {
  // The user was told at the start that the list cannot be handed back.
  if (exchangePath_.empty() || exchange_.ReadFailed()) return End(ui::kIdOk);
  // Composed again, so that folders removed meanwhile are made again.
  const std::string path = locations_.ExchangeFilePath(spooler_);
  if (path.empty()) {
    ShowMessage(strings_.Get(IDS_NO_HANDING_BACK), ProgramName(), ui::Buttons::kOk,
                ui::Icon::kExclamation);
    return End(ui::kIdOk);
  }
  const WriteOutcome outcome = exchange_.WriteResult(path, sendList_.Destinations(),
                                                     locations_.SettingsPathFor(path), choice_);
  if (outcome == WriteOutcome::kWritten) return End(ui::kIdOk);
  // The dialog stays open with the send list, so that the user can put the
  // file right and press OK again, or cancel.
  const int text = outcome == WriteOutcome::kNotRead    ? IDS_EXCHANGE_NOT_READ
                   : outcome == WriteOutcome::kReadOnly ? IDS_EXCHANGE_READ_ONLY
                                                        : IDS_EXCHANGE_NOT_WRITTEN;
  ShowMessage(ui::FormatText(strings_.Get(text), path), ProgramName(), ui::Buttons::kOk,
              ui::Icon::kExclamation);
}

// --- help ------------------------------------------------------------------------

std::string CDestinationDialog::HelpPath(bool tellFailure) {
  const std::string file = FilesFor(uiLanguage_).helpFile;
  std::string module;
  if (!services_.resources->SourcePath(&module)) {
    if (tellFailure) {
      services_.messages->Show(kNoHelpFile, kErrorCaption, ui::Buttons::kOk, ui::Icon::kNone);
    }
    return file;
  }
  return std::string(text::FolderOf(codePage_, module)) + "\\" + file;
}

void CDestinationDialog::ShowHelp() { services_.help->ShowFinder(HelpPath(true)); }

void CDestinationDialog::ShowHelpTopic(unsigned long topic) {
  services_.help->ShowTopic(HelpPath(true), topic);
}

void CDestinationDialog::OnHelp() { ShowHelp(); }

void CDestinationDialog::OnDestroy() {
  lists_.Detach();
  services_.help->Quit(HelpPath(false));
}

}  // namespace picker
