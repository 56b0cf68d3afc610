// The interface language of the editor, from the registry value "Language".
#pragma once

#include <string>

#include "platform/sys/registry.h"

constexpr int kLangJapanese = 1041;
constexpr int kLangEnglish = 1033;

// The registry key both the editor and the picker read, under
// HKEY_LOCAL_MACHINE, and its values.
inline constexpr char kAddressBookKey[] = "SOFTWARE\\Brevant Zelo\\RelayFax\\AddressBook";
inline constexpr char kValueFileName[] = "FileName";
inline constexpr char kValueLanguage[] = "Language";
// Both values are read into buffers of this many bytes; a longer value
// reads as missing.
constexpr std::size_t kRegistryBufferBytes = 256;

// The language identifier of a language name, compared ignoring case:
// English 1033, Japanese 1041, French 1036, German 1031, Spanish 1034,
// Italian 1040, Chinese 2052, TChinese 1028, Korean 1042; any other name
// 1033.
int LanguageIdFromName(const std::string& name);

// The identifier for "Language" of the address book key; 1041 when the key
// or the value is missing (or too long for its buffer).
int ReadInterfaceLanguage(sys::Registry& registry);
