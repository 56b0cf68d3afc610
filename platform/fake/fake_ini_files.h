// INI files in memory, kept as bytes in a FakeFileSystem and handled the
// way the system's profile functions handle them under Wine: every call
// reads the file afresh and a change writes it out whole, in CR LF lines
// without empty ones. The reading rules: lines end at LF; blanks (and CR,
// Ctrl-Z) around a line are dropped; "[name]" up to the last "]" opens a
// section; "name=value" is a key, "name" alone a key without value; keys
// before the first section belong to a nameless one. A change of a key
// drops the blanks before the value; writing the value a key already has
// leaves the file untouched; deleting a section deletes the first of its
// name. Bytes are kept as they are (the system takes them through its code
// page). The file system's faults reach the calls as they reach the
// system's: a file that cannot be read whole reads as missing, and a change
// fails when the file cannot be opened for writing (read-only, denied, held
// open without sharing).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/fake/fake_file_system.h"
#include "platform/sys/ini_files.h"

namespace sys {

class FakeIniFiles : public IniFiles {
 public:
  explicit FakeIniFiles(FakeFileSystem* files) : files_(files) {}

  std::string ReadString(const std::string& file, const std::string& section,
                         const std::string& key, const std::string& fallback,
                         std::size_t bufferBytes) override;
  int ReadInt(const std::string& file, const std::string& section, const std::string& key,
              int fallback) override;
  std::vector<std::string> SectionNames(const std::string& file) override;
  bool WriteString(const std::string& file, const std::string& section, const std::string& key,
                   const std::string& value) override;
  bool DeleteSection(const std::string& file, const std::string& section) override;
  // Answers false, as the system does under Wine.
  bool Flush(const std::string& file) override;

  // --- test controls ---------------------------------------------------------
  // After this many more successful writes every write fails.
  void FailWritesAfter(int writes) { writesLeft_ = writes; }
  // What was asked, in order: "read FILE [S] K", "write FILE [S] K=V",
  // "delete FILE [S]", "flush FILE" (reads of integers and section names
  // included, as "read FILE [S] K" and "sections FILE").
  const std::vector<std::string>& Log() const { return log_; }
  void ClearLog() { log_.clear(); }
  // The calls that changed or would change files: writes, deletions,
  // flushes.
  std::vector<std::string> Changes() const;

  struct Key {
    std::string name;
    std::string value;
    bool hasValue = true;
  };
  struct Section {
    std::string name;  // empty for keys before the first section
    std::vector<Key> keys;
  };
  // The reading rules above; and the bytes the system writes for sections.
  static std::vector<Section> Parse(std::string_view bytes);
  static std::string Render(const std::vector<Section>& sections);

 private:
  // The sections of the file as the system reads them; null when the file
  // is missing.
  std::vector<Section>* Load(const std::string& file);
  // Writes the sections out; false (and the file as it was) when writes
  // are made to fail.
  bool Store(const std::string& file);

  FakeFileSystem* files_;
  // The last file read or written, as bytes and as sections, so that a run
  // of calls on one file does not read it afresh each time. A value just
  // written is kept as written (its trailing blanks included) until the
  // next call reads the file again and drops them.
  std::string cachedPath_;
  std::string cachedBytes_;
  std::vector<Section> cachedSections_;
  Key* written_ = nullptr;
  Section* writtenSection_ = nullptr;
  int writesLeft_ = -1;
  std::vector<std::string> log_;
};

}  // namespace sys
