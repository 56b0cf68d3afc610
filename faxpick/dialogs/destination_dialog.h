// The picker's window (template 1000): the address book above, searchable
// by name or company, the send list of the fax job below. The user
// registers entries (groups as their members) into the send list within
// 80 destinations per job, deletes them again, looks into groups, and
// switches between the personal and a shared book. The start-up finds the
// exchange file, the settings and the books, and reads the starting send
// list back; OK writes the final list into the exchange file. When the
// list has no place to go (the file's path cannot be composed, or the file
// is there but cannot be read) the user is told once, as the dialog
// opens, and OK writes nothing; when OK cannot write the file the user is
// told and the dialog stays open with its selection.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "faxpick/book/picker_book.h"
#include "faxpick/dialogs/book_lists.h"
#include "faxpick/dialogs/list_columns.h"
#include "faxpick/dialogs/send_list.h"
#include "faxpick/exchange/exchange_file.h"
#include "faxpick/startup/book_choice.h"
#include "faxpick/startup/command_line.h"
#include "faxpick/startup/locations.h"
#include "faxpick/startup/picker_services.h"
#include "faxpick/startup/picker_strings.h"
#include "platform/ui/dialog.h"

namespace picker {

// Destinations of one fax job.
constexpr int kMaxDestinations = 80;

class CDestinationDialog : public ui::Dialog {
 public:
  CDestinationDialog(const PickerServices& services, int uiLanguage, const SpoolerArguments& spooler);

  void OnInit() override;
  void OnShown() override;
  void OnCommand(int id, int code) override;
  void OnListEvent(int listId, const ui::ListEvent& event) override;
  void OnOK() override;
  void OnHelp() override;
  void OnDestroy() override;

  // The program's name, the caption of its own message boxes.
  std::string ProgramName() const;

  // A help request of a dialog this one opened (F1 there): the topic of
  // that number in the picker's help file.
  void ShowHelpTopic(unsigned long topic);

 private:
  bool Japanese() const;
  void LoadBook();
  bool ReachShared(const std::string& path);
  void ReloadBook();
  void ShowOnly(ListMode mode);
  void Search();
  void UpdateSelectionState();
  void UpdateCounter();
  void Register();
  // The send list's columns fitted to its rows.
  void FitSendList();
  void Delete();
  void DeleteAll();
  // The keyboard focus to the send list while it has rows, else to the
  // address list on show: for a button that disables itself when used.
  void FocusTheLists();
  void Details();
  void PersonalClicked();
  void SharedClicked();
  void ShowHelp();
  std::string HelpPath(bool tellFailure);

  PickerServices services_;
  int uiLanguage_;
  SpoolerArguments spooler_;
  int codePage_;
  PickerStrings strings_;
  PickerLocations locations_;
  ListColumns columns_;
  PickerBook book_;
  BookLists lists_;
  SendList sendList_;
  ExchangeFile exchange_;
  BookChoice choice_;
  std::string exchangePath_;
  std::string personalPath_;
  bool toldNoHandingBack_ = false;
};

}  // namespace picker
