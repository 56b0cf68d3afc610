#include "tests/support/picker_harness.h"

#include "faxpick/res/resource.h"

namespace picker {
namespace {

// The strings that name places, as the libraries hold them; messages,
// columns and the counter as markers.
std::map<int, std::string> Strings(const std::string& prefix) {
  std::map<int, std::string> s;
  s[IDS_BOOK_SUBKEY] = "AddressBook";
  s[IDS_PRODUCT_KEY] = "SOFTWARE\\Brevant Zelo\\RelayFAX\\";
  s[IDS_SPOOLER_SUBKEY] = "Spooler";
  s[IDS_EXCHANGE_MAKER] = "BrevantZelo";
  s[IDS_EXCHANGE_PRODUCT] = "RelayFax";
  s[IDS_EXCHANGE_FILE] = "SendList.ini";
  s[IDS_COUNTER] = prefix + "%d registered, %d free";
  for (int id : {IDS_COLUMN_NAME, IDS_COLUMN_FAX, IDS_COLUMN_COMPANY, IDS_COLUMN_DEPARTMENT,
                 IDS_COLUMN_RECIPIENT, IDS_COLUMN_READING, IDS_TOO_MANY, IDS_NO_ACCESS,
                 IDS_NO_HANDING_BACK}) {
    s[id] = prefix + Marker(id);
  }
  // Messages that name the exchange file.
  for (int id : {IDS_EXCHANGE_UNREADABLE, IDS_EXCHANGE_NOT_READ, IDS_EXCHANGE_NOT_WRITTEN,
                 IDS_EXCHANGE_READ_ONLY}) {
    s[id] = prefix + Marker(id) + " %s";
  }
  s[IDS_RESPECT_1] = prefix + "SAMA";
  s[IDS_RESPECT_2] = prefix + "DONO";
  s[IDS_RESPECT_3] = prefix + "ONCHU";
  return s;
}

}  // namespace

std::string Marker(int id) { return "[" + std::to_string(id) + "]"; }

PickerHarness::PickerHarness() {
  system.majorVersion = 5;
  system.programPath = "C:\\Program Files\\RelayFax\\faxpick.exe";
  shell.folders[sys::kFolderPersonal] = kDocuments;
  resources.programPath = system.programPath;
  resources.libraryFolder = "C:\\Program Files\\RelayFax";
  // The program's own strings are the built-in placeholders.
  std::map<int, std::string> own = Strings("");
  own[IDS_SPOOLER_SUBKEY] = "DS_SUBKEY_SPOOLER";
  own[IDS_EXCHANGE_MAKER] = "IDS_DIR_MANUFACTOR";
  own[IDS_EXCHANGE_PRODUCT] = "IDS_DIR_APP";
  own[IDS_EXCHANGE_FILE] = "IDS_FILE_ADDRESS";
  own[IDS_COUNTER] = "[105]";
  resources.SetProgramStrings(own);
  resources.AddLibrary("pickresJPN.dll", Strings(""));
  resources.AddLibrary("pickresENG.dll", Strings("E"));
  registry.Set(kSpoolerKey, "InstallPath", "C:\\Spool\\spooler.dll");
  registry.Set(kSpoolerKey, "Version", "2.1");
}

PickerServices PickerHarness::Services() {
  PickerServices s;
  s.files = &files;
  s.ini = &ini;
  s.registry = &registry;
  s.system = &system;
  s.shell = &shell;
  s.network = &network;
  s.locale = &locale;
  s.resources = &resources;
  s.messages = &boxes;
  s.help = &help;
  s.dialogs = &dialogs;
  s.fileDialogs = &fileDialogs;
  s.waitCursor = &cursor;
  s.localeEquality = &equality;
  return s;
}

int PickerHarness::Run(ui::FakeDialogRunner::Script script, const std::string& commandLine) {
  dialogs.OnNextDialog(IDD_DESTINATION, std::move(script));
  CFaxpickApp app(Services());
  return app.Run(commandLine);
}

std::string PickerHarness::ExchangePath() const {
  return std::string(kDocuments) + "\\BrevantZelo\\RelayFax\\2.1\\SendList.ini";
}

std::string PickerHarness::SettingsPath() const {
  return std::string(kDocuments) + "\\BrevantZelo\\RelayFax\\2.1\\FilePath.ini";
}

std::string PickerHarness::PersonalBook() const {
  return std::string(kDocuments) + "\\BrevantZelo\\FaxbookDATA\\address.fdt";
}

void PickerHarness::SetPersonalBook(const std::vector<std::string>& lines) {
  files.SetFile(PersonalBook(), Book(lines));
}

std::vector<std::string> PickerHarness::Messages() const {
  std::vector<std::string> texts;
  for (const ui::ShownMessage& m : boxes.Shown()) texts.push_back(m.text);
  return texts;
}

std::string Book(const std::vector<std::string>& lines) {
  std::string bytes = "// This is BrevantZelo Relay Fax AddressBook  Utility Data.\r\n";
  for (const std::string& line : lines) bytes += line + "\r\n";
  return bytes;
}

std::string Lines(const std::vector<std::string>& lines) {
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  return bytes;
}

}  // namespace picker
