// Where the picker finds the exchange file, its settings file and the
// user's own address book.
//
// Exchange file: on systems of major version 6 and later in the user's
// application-data folder, on version 5 in the documents folder, below the
// folders of strings 102, 103 and the spooler's version (each created when
// missing), named by string 104; on older systems beside the spooler
// component. The spooler's path and version come from the command line
// when it gives both, else from the registry values "InstallPath" and
// "Version" of key string 100 + string 101.
//
// Personal book: "BrevantZelo\FaxbookDATA\address.fdt" below the same
// special folder (folders created when missing); on older systems the
// registry value "FileName" of key string 100 + string 99.
//
// Failures are told in message boxes captioned "ERROR" (the shell's
// library or its function missing, the spooler's path missing on older
// systems, the personal book's folder not found or not created); a path
// that cannot be composed is empty.
#pragma once

#include <string>

#include "faxpick/startup/command_line.h"
#include "faxpick/startup/picker_services.h"
#include "faxpick/startup/picker_strings.h"

namespace picker {

inline constexpr char kSettingsFileName[] = "FilePath.ini";
inline constexpr char kErrorCaption[] = "ERROR";

class PickerLocations {
 public:
  PickerLocations(const PickerServices& services, PickerStrings& strings)
      : services_(services), strings_(strings) {}

  // Composes the exchange file's path (creating its folders); empty when it
  // cannot be composed.
  std::string ExchangeFilePath(const SpoolerArguments& commandLine);

  // Composes the personal book's path (creating its folders); empty when
  // the special folder or the registry value cannot be had.
  std::string PersonalBookPath();

  // "FilePath.ini" in the exchange file's folder; empty for an empty path.
  std::string SettingsPathFor(const std::string& exchangeFilePath) const;

 private:
  // The special folder of the system; false after telling why not (the
  // lookup failure itself only when `tellFailure`).
  bool SpecialFolder(bool tellFailure, std::string* folder);
  void ShowError(const std::string& text);

  const PickerServices& services_;
  PickerStrings& strings_;
};

}  // namespace picker
