#include "faxpick/startup/book_choice.h"

#include "platform/text/codepage.h"

namespace picker {
namespace {

constexpr std::size_t kValueBytes = 260;
constexpr int kTypeDefault = 260;

}  // namespace

BookChoice ReadBookChoice(sys::FileSystem& files, sys::IniFiles& ini, const std::string& settingsPath) {
  BookChoice choice;
  if (settingsPath.empty() || !files.FileExists(settingsPath)) return choice;
  if (ini.ReadInt(settingsPath, kSettingsSection, "TYPE", kTypeDefault) != 1) return choice;
  choice.shareMode = 1;
  choice.shareHost = ini.ReadString(settingsPath, kSettingsSection, "HostName", "", kValueBytes);
  choice.sharePath = ini.ReadString(settingsPath, kSettingsSection, "FilePath", "", kValueBytes);
  return choice;
}

bool WriteBookChoice(sys::IniFiles& ini, const std::string& settingsPath, const BookChoice& choice) {
  return ini.WriteString(settingsPath, kSettingsSection, "TYPE", std::to_string(choice.shareMode)) &&
         ini.WriteString(settingsPath, kSettingsSection, "HostName", choice.shareHost) &&
         ini.WriteString(settingsPath, kSettingsSection, "FilePath", choice.sharePath);
}

BookChoice SharedChoiceFor(int codePage, const std::string& path) {
  BookChoice choice;
  choice.shareMode = 1;
  if (path.size() < 2 || path[0] != '\\' || path[1] != '\\') {
    choice.sharePath = path;
    return choice;
  }
  std::size_t i = 2;
  while (i < path.size()) {
    const std::size_t length = text::CharLengthAt(codePage, path, i);
    if (length == 1 && path[i] == '\\') {
      if (i >= 3) break;
    } else {
      choice.shareHost.append(path, i, length);
    }
    i += length;
  }
  if (i < path.size()) choice.sharePath = path.substr(i);
  return choice;
}

}  // namespace picker
