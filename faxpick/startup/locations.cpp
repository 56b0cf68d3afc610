#include "faxpick/startup/locations.h"

#include "faxpick/res/resource.h"
#include "platform/text/path_split.h"
#include "platform/sys/system_info.h"

namespace picker {
namespace {

// The buffers the registry values and resource strings are read into.
constexpr std::size_t kKeyBytes = 255;
constexpr std::size_t kSubkeyBytes = 16;
constexpr std::size_t kNameBytes = 32;
constexpr std::size_t kPathBytes = 255;
constexpr std::size_t kVersionBytes = 16;

constexpr char kNoShellLibrary[] = "Cann't Load Shell32.dll";
constexpr char kNoShellFunction[] = "Cann't Get ProcAddress SHGetSpecialFolderPath()";
constexpr char kNoSpoolerPath[] = "Fail to Get Spooler Full Path";
constexpr char kNoSpecialFolder[] = "Fail to Get Special Folder Path";
constexpr char kFolderNotCreated[] = "Fail to Create Folder ";

constexpr char kBookFolder[] = "BrevantZelo";
constexpr char kBookSubfolder[] = "FaxbookDATA";
constexpr char kBookFile[] = "address.fdt";

}  // namespace

std::string PickerLocations::SettingsPathFor(const std::string& exchangeFilePath) const {
  if (exchangeFilePath.empty()) return std::string();
  return std::string(text::FolderOf(services_.system->AnsiCodePage(), exchangeFilePath)) + "\\" +
         kSettingsFileName;
}

void PickerLocations::ShowError(const std::string& text) {
  services_.messages->Show(text, kErrorCaption, ui::Buttons::kOk, ui::Icon::kNone);
}

bool PickerLocations::SpecialFolder(bool tellFailure, std::string* folder) {
  const int id = services_.system->MajorVersion() >= 6 ? sys::kFolderAppData : sys::kFolderPersonal;
  switch (services_.shell->SpecialFolder(id, folder)) {
    case sys::FolderLookup::kFound:
      return true;
    case sys::FolderLookup::kNoShellLibrary:
      ShowError(kNoShellLibrary);
      ShowError(kNoShellFunction);
      return false;
    case sys::FolderLookup::kNoFunction:
      ShowError(kNoShellFunction);
      return false;
    case sys::FolderLookup::kFailed:
    default:
      if (tellFailure) ShowError(kNoSpecialFolder);
      return false;
  }
}

std::string PickerLocations::ExchangeFilePath(const SpoolerArguments& commandLine) {
  SpoolerArguments spooler = commandLine;
  if (spooler.path.empty() || spooler.version.empty()) {
    const std::string key = strings_.Get(IDS_PRODUCT_KEY, kKeyBytes) +
                            strings_.Get(IDS_SPOOLER_SUBKEY, kSubkeyBytes);
    services_.registry->ReadMachineString(key, "InstallPath", kPathBytes, &spooler.path);
    services_.registry->ReadMachineString(key, "Version", kVersionBytes, &spooler.version);
  }
  if (spooler.path.empty() && spooler.version.empty()) return std::string();
  const std::string fileName = strings_.Get(IDS_EXCHANGE_FILE, kNameBytes);

  const int major = services_.system->MajorVersion();
  if (major < 5) {
    const std::string folder(text::FolderOf(services_.system->AnsiCodePage(), spooler.path));
    if (folder.empty()) {
      ShowError(kNoSpoolerPath);
      return std::string();
    }
    return folder + "\\" + fileName;
  }
  std::string folder;
  if (!SpecialFolder(false, &folder)) return std::string();
  for (const std::string& name : {strings_.Get(IDS_EXCHANGE_MAKER, kNameBytes),
                                  strings_.Get(IDS_EXCHANGE_PRODUCT, kNameBytes), spooler.version}) {
    if (name.empty()) continue;
    folder += "\\" + name;
    if (!services_.shell->EnsureFolder(folder)) return std::string();
  }
  return folder + "\\" + fileName;
}

std::string PickerLocations::PersonalBookPath() {
  const int major = services_.system->MajorVersion();
  if (major < 5) {
    std::string path;
    services_.registry->ReadMachineString(
        strings_.Get(IDS_PRODUCT_KEY, kKeyBytes) + strings_.Get(IDS_BOOK_SUBKEY, kSubkeyBytes),
        "FileName", kPathBytes, &path);
    return path;
  }
  std::string folder;
  if (!SpecialFolder(true, &folder)) return std::string();
  for (const char* name : {kBookFolder, kBookSubfolder}) {
    folder += "\\";
    folder += name;
    if (!services_.shell->EnsureFolder(folder)) ShowError(kFolderNotCreated + folder);
  }
  return folder + "\\" + kBookFile;
}

}  // namespace picker
