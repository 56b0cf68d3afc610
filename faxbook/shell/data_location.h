// Where the editor keeps the address book.
//
// Systems of major version 5 (2000, XP) keep it under the user's documents
// folder, version 6 (Vista, 7) under the application-data folder, in
// "BrevantZelo\FaxbookData\address.fdt"; the registry value "FileName" then
// names the old location a new book is seeded from. Every other version
// (class 0) uses the path of "FileName" itself.
#pragma once

#include <string>

#include "platform/sys/folders.h"
#include "platform/sys/registry.h"

// 1 for major version 5, 2 for 6, 0 for any other.
int SystemClassFor(int majorVersion);

// The special folder of a system class: 5 (documents) for class 1, 26
// (application data) for class 2, 0 (none) otherwise.
int SpecialFolderFor(int systemClass);

// specialFolder + "\BrevantZelo" and + "\BrevantZelo\FaxbookData".
std::string VendorFolder(const std::string& specialFolder);
std::string DataFolder(const std::string& specialFolder);
// DataFolder + "\address.fdt": the primary path (and the default data file)
// on classes 1 and 2.
std::string DefaultDataFile(const std::string& specialFolder);

struct DataLocation {
  std::string primaryPath;
  std::string oldPath;  // empty on class 0
};

// The paths of the book: on classes 1 and 2 the default data file and the
// text of "FileName"; on class 0 the text of "FileName" (empty when it
// cannot be read) and no old path.
DataLocation ResolveDataLocation(int systemClass, const std::string& specialFolder,
                                 sys::Registry& registry);

// Creates the vendor and data folders where they cannot be entered, with
// the open access rights, keeps the current directory as it was, and resets
// the data folder's rights to the open access rights. Failures are passed
// over: the load that follows finds out whether the book can be reached.
void PrepareDataFolders(const std::string& specialFolder, sys::Folders& folders);
