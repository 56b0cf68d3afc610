#include "platform/sys/file_system.h"

namespace sys {

const char* FileErrorText(FileError error) {
  switch (error) {
    case FileError::kNone: return "no error";
    case FileError::kNotFound: return "no such file";
    case FileError::kIsDirectory: return "is a directory";
    case FileError::kAccessDenied: return "permission denied";
    case FileError::kSharingViolation: return "in use by another program";
    case FileError::kTooLarge: return "too large";
    case FileError::kDiskFull: return "disk full";
    case FileError::kIoError: return "input/output error";
    case FileError::kReadOnly: return "the file is read-only";
  }
  return "unknown error";
}

FileError FileSystem::ReadWhole(const std::string& path, std::string* contents,
                                std::size_t maxBytes) {
  contents->clear();
  const std::uint64_t hint = SizeHint(path);
  if (hint > contents->capacity() && hint <= maxBytes) contents->reserve(static_cast<std::size_t>(hint));
  const FileError error = ReadChunks(path, maxBytes, [contents](std::string_view chunk) {
    contents->append(chunk);
    return true;
  });
  if (error != FileError::kNone) {
    contents->clear();
    contents->shrink_to_fit();
  }
  return error;
}

FileError FileSystem::ReadInto(const std::string& path, std::size_t maxBytes, FileBytes* bytes) {
  bytes->Clear();
  const FileError error = ReadChunks(path, maxBytes, [bytes](std::string_view chunk) {
    bytes->Append(chunk);
    return true;
  });
  if (error != FileError::kNone) bytes->Clear();
  return error;
}

FileError FileSystem::ReplaceWhole(const std::string& path, std::string_view contents) {
  return ReplaceWith(path, [contents](ByteSink& sink) { return sink.Write(contents); });
}

}  // namespace sys
