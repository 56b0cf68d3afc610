#include "faxbook/shell/data_location.h"

#include "faxbook/shell/language.h"
#include "platform/sys/system_info.h"

namespace {
// The buffer the current directory is remembered in.
constexpr std::size_t kCurrentDirectoryBytes = 256;
}  // namespace

int SystemClassFor(int majorVersion) {
  if (majorVersion == 5) return 1;
  if (majorVersion == 6) return 2;
  return 0;
}

int SpecialFolderFor(int systemClass) {
  if (systemClass == 1) return sys::kFolderPersonal;
  if (systemClass == 2) return sys::kFolderAppData;
  return 0;
}

std::string VendorFolder(const std::string& specialFolder) {
  return specialFolder + "\\BrevantZelo";
}

std::string DataFolder(const std::string& specialFolder) {
  return specialFolder + "\\BrevantZelo\\FaxbookData";
}

std::string DefaultDataFile(const std::string& specialFolder) {
  return DataFolder(specialFolder) + "\\address.fdt";
}

DataLocation ResolveDataLocation(int systemClass, const std::string& specialFolder,
                                 sys::Registry& registry) {
  DataLocation location;
  std::string fileName;
  registry.ReadMachineString(kAddressBookKey, kValueFileName, kRegistryBufferBytes, &fileName);
  if (systemClass == 1 || systemClass == 2) {
    location.primaryPath = DefaultDataFile(specialFolder);
    location.oldPath = fileName;
  } else {
    location.primaryPath = fileName;
  }
  return location;
}

void PrepareDataFolders(const std::string& specialFolder, sys::Folders& folders) {
  std::string remembered;
  const bool haveCurrent = folders.CurrentDirectory(kCurrentDirectoryBytes, &remembered);
  for (const std::string& folder : {VendorFolder(specialFolder), DataFolder(specialFolder)}) {
    if (!folders.EnterDirectory(folder)) folders.CreateFolderWithOpenAccess(folder);
  }
  if (haveCurrent) folders.EnterDirectory(remembered);
  folders.OpenFolderRights(DataFolder(specialFolder));
}
