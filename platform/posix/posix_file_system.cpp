#include "platform/posix/posix_file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "platform/sys/buffered_sink.h"
#include "platform/sys/whole_file_replace.h"
#include "platform/text/path_split.h"

namespace sys {
namespace {

class Fd {
 public:
  explicit Fd(int fd = -1) : fd_(fd) {}
  ~Fd() { Close(); }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
  void reset(int fd) {
    Close();
    fd_ = fd;
  }
  bool Close() {
    if (fd_ < 0) return true;
    const bool ok = ::close(fd_) == 0;
    fd_ = -1;
    return ok;
  }

 private:
  int fd_;
};

FileError FromErrno(int e) {
  switch (e) {
    case ENOENT:
    case ENOTDIR:
      return FileError::kNotFound;
    case EISDIR:
      return FileError::kIsDirectory;
    case EACCES:
    case EPERM:
    case EROFS:
      return FileError::kAccessDenied;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return FileError::kDiskFull;
    case ETXTBSY:
    case EBUSY:
      return FileError::kSharingViolation;
    default:
      return FileError::kIoError;
  }
}

class FdSink : public ByteSink {
 public:
  explicit FdSink(int fd) : fd_(fd) {}
  bool Write(std::string_view data) override {
    while (!data.empty()) {
      const ssize_t n = ::write(fd_, data.data(), data.size());
      if (n < 0) {
        if (errno == EINTR) continue;
        error_ = FromErrno(errno);
        return false;
      }
      data.remove_prefix(static_cast<std::size_t>(n));
      written_ += static_cast<std::size_t>(n);
    }
#ifdef SYNC_FILE_RANGE_WRITE
    // Start the disk writes of what is written while the rest is made, so
    // that the flush at the end has less to wait for.
    if (written_ - started_ >= kStartWriteBytes) {
      ::sync_file_range(fd_, static_cast<off_t>(started_), static_cast<off_t>(written_ - started_),
                        SYNC_FILE_RANGE_WRITE);
      started_ = written_;
    }
#endif
    return true;
  }
  FileError Error() const { return error_; }

 private:
  static constexpr std::size_t kStartWriteBytes = 4 << 20;
  int fd_;
  FileError error_ = FileError::kNone;
  std::size_t written_ = 0;
  std::size_t started_ = 0;
};

// Paths here are bytes without double-byte characters of their own (UTF-8
// never uses the separators' bytes inside a character).
constexpr int kPathCodePage = 0;

std::string FolderPart(const std::string& path) {
  return std::string(text::SplitPath(kPathCodePage, path).folder);
}

std::string OpenableFolder(const std::string& path) {
  const std::string folder = FolderPart(path);
  return folder.empty() ? std::string(".") : folder;
}

// The regular files in path's folder whose names start with prefix.
std::vector<FoundFile> Matching(const std::string& path, const std::string& prefix) {
  std::vector<FoundFile> found;
  const std::string folder = FolderPart(path);
  DIR* dir = ::opendir(OpenableFolder(path).c_str());
  if (!dir) return found;
  while (dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name.compare(0, prefix.size(), prefix) != 0) continue;
    struct stat st {};
    const std::string full = folder + name;
    if (::stat(full.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
    const std::uint64_t modified = static_cast<std::uint64_t>(st.st_mtim.tv_sec) * 1000000000u +
                                   static_cast<std::uint64_t>(st.st_mtim.tv_nsec);
    found.push_back({full, static_cast<std::uint64_t>(st.st_size), modified});
  }
  ::closedir(dir);
  return found;
}

// Removes the temporary files of replacements that were interrupted, once
// a whole file is under the name: a writer holds a lock on its temporary
// file until it is renamed, so a file whose lock can be taken is a
// leftover.
void RemoveLeftovers(const std::string& path) {
  for (const FoundFile& leftover : Matching(path, LeftoverPrefix(kPathCodePage, path))) {
    Fd fd(::open(leftover.path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
    if (fd.get() < 0) continue;
    if (::flock(fd.get(), LOCK_EX | LOCK_NB) == 0) ::unlink(leftover.path.c_str());
  }
}

// The file that path leads to when its last part is a symbolic link (a
// link to a link followed on, a relative target taken from the link's
// folder); path itself when it is none. The target need not exist yet.
// False for a loop of links.
bool FollowLinks(std::string* path) {
  for (int depth = 0; depth < 40; ++depth) {
    struct stat st {};
    if (::lstat(path->c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return true;
    std::string target(st.st_size > 0 ? static_cast<std::size_t>(st.st_size) + 1 : 4096, '\0');
    const ssize_t n = ::readlink(path->c_str(), target.data(), target.size());
    if (n < 0) return true;
    if (static_cast<std::size_t>(n) >= target.size()) {
      errno = ENAMETOOLONG;
      return false;
    }
    target.resize(static_cast<std::size_t>(n));
    if (target.empty()) return true;
    if (target[0] != '/') {
      const std::size_t slash = path->rfind('/');
      if (slash != std::string::npos) target = path->substr(0, slash + 1) + target;
    }
    *path = target;
  }
  errno = ELOOP;
  return false;
}

// Whether the file may be replaced as the Windows side lets it be. A file
// without any write permission is read-only, the user's "do not change",
// whoever asks (the superuser, whom the system lets write anything,
// included); one this user may not write is not replaced by a rename in
// its folder either.
FileError Replaceable(const std::string& path, const struct stat& st) {
  if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return FileError::kReadOnly;
  if (::access(path.c_str(), W_OK) != 0 && errno == EACCES) return FileError::kAccessDenied;
  return FileError::kNone;
}

void SyncFolder(const std::string& folder) {
  Fd fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.get() >= 0) ::fsync(fd.get());
}

}  // namespace

FileError PosixFileSystem::ReadChunks(const std::string& path, std::size_t maxBytes,
                                      const ChunkReader& reader) {
  Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) return FromErrno(errno);
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) return FromErrno(errno);
  if (S_ISDIR(st.st_mode)) return FileError::kIsDirectory;
  if (S_ISREG(st.st_mode) && static_cast<unsigned long long>(st.st_size) > maxBytes) {
    return FileError::kTooLarge;
  }
  std::vector<char> buffer(kChunkBytes);
  std::size_t total = 0;
  for (;;) {
    const ssize_t n = ::read(fd.get(), buffer.data(), buffer.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return FromErrno(errno);
    }
    if (n == 0) return FileError::kNone;
    total += static_cast<std::size_t>(n);
    if (total > maxBytes) return FileError::kTooLarge;
    if (!reader(std::string_view(buffer.data(), static_cast<std::size_t>(n)))) {
      return FileError::kNone;
    }
  }
}

FileError PosixFileSystem::ReadInto(const std::string& path, std::size_t maxBytes,
                                   FileBytes* bytes) {
  bytes->Clear();
  Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) return FromErrno(errno);
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) return FromErrno(errno);
  if (S_ISDIR(st.st_mode)) return FileError::kIsDirectory;
  std::size_t expected = 0;
  if (S_ISREG(st.st_mode)) {
    if (static_cast<unsigned long long>(st.st_size) > maxBytes) return FileError::kTooLarge;
    expected = static_cast<std::size_t>(st.st_size);
  }
  char probe[4096];
  for (;;) {
    // The size the file had, read in place; past it, a small probe tells
    // the end from a file that grew meanwhile.
    const bool within = bytes->Size() < expected;
    const std::size_t want = within ? expected - bytes->Size() : sizeof probe;
    char* to = within ? bytes->Room(want) : probe;
    const ssize_t n = ::read(fd.get(), to, want);
    if (n < 0) {
      if (errno == EINTR) continue;
      const FileError error = FromErrno(errno);
      bytes->Clear();
      return error;
    }
    if (n == 0) return FileError::kNone;
    if (within) {
      bytes->Filled(static_cast<std::size_t>(n));
    } else {
      bytes->Append(std::string_view(probe, static_cast<std::size_t>(n)));
    }
    if (bytes->Size() > maxBytes) {
      bytes->Clear();
      return FileError::kTooLarge;
    }
  }
}

bool PosixFileSystem::FileExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool PosixFileSystem::SameFile(const std::string& a, const std::string& b) {
  struct stat sa {}, sb {};
  if (::stat(a.c_str(), &sa) != 0 || ::stat(b.c_str(), &sb) != 0) return false;
  return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

bool PosixFileSystem::SizeWithoutSharing(const std::string& path, std::uint64_t* size) {
  Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) return false;
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  *size = static_cast<std::uint64_t>(st.st_size);
  return true;
}

bool PosixFileSystem::RemoveFile(const std::string& path) {
  return ::unlink(path.c_str()) == 0 || errno == ENOENT;
}

std::uint64_t PosixFileSystem::SizeHint(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) ? static_cast<std::uint64_t>(st.st_size)
                                                                : 0;
}

bool PosixFileSystem::IsReadOnly(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
         (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

FileError PosixFileSystem::OpenOrCreate(const std::string& path, bool withOpenAccess,
                                        bool /*shared*/) {
  // POSIX files are never locked against other programs.
  const mode_t mode = withOpenAccess ? 0666 : 0644;
  const int flags = O_RDWR | O_CREAT | O_CLOEXEC;
  Fd fd(::open(path.c_str(), flags, mode));
  if (fd.get() < 0) return FromErrno(errno);
  struct stat st {};
  if (withOpenAccess && ::fstat(fd.get(), &st) == 0 && st.st_size == 0) ::fchmod(fd.get(), 0666);
  return FileError::kNone;
}

FileError PosixFileSystem::ReplaceWith(const std::string& given, const ContentWriter& writer) {
  // A symbolic link stays a link: the file it leads to is replaced.
  std::string path = given;
  if (!FollowLinks(&path)) return FromErrno(errno);
  const std::string folder = OpenableFolder(path);
  struct stat st {};
  mode_t mode = 0644;
  if (::stat(path.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode)) return FileError::kIsDirectory;
    const FileError refused = Replaceable(path, st);
    if (refused != FileError::kNone) return refused;
    mode = st.st_mode & 07777;
  }

  // A file without a name until it is complete; where the file system
  // cannot make one, a named one that RemoveLeftovers recognises.
  Fd fd(::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600));
  const std::string prefix = FolderPart(path) + LeftoverPrefix(kPathCodePage, path);
  std::string temp = prefix + "XXXXXX.tmp";
  bool named = false;
  if (fd.get() < 0) {
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) return FromErrno(errno);
    fd.reset(::mkostemps(temp.data(), 4, O_CLOEXEC));
    if (fd.get() < 0) return FromErrno(errno);
    named = true;
  }
  ::flock(fd.get(), LOCK_EX);
  const auto fail = [&](FileError error) {
    if (named) ::unlink(temp.c_str());
    return error;
  };

  FdSink sink(fd.get());
  BufferedSink buffered(sink);
  if (::fchmod(fd.get(), mode) != 0) return fail(FromErrno(errno));
  if (!writer(buffered) || !buffered.Flush()) {
    return fail(sink.Error() != FileError::kNone ? sink.Error() : FileError::kIoError);
  }
  if (::fsync(fd.get()) != 0) return fail(FromErrno(errno));
  if (!named) {
    char self[64];
    std::snprintf(self, sizeof self, "/proc/self/fd/%d", fd.get());
    for (int attempt = 0; attempt < 8 && !named; ++attempt) {
      temp = prefix + std::to_string(::getpid()) + "-" + std::to_string(attempt) + ".tmp";
      if (::linkat(AT_FDCWD, self, AT_FDCWD, temp.c_str(), AT_SYMLINK_FOLLOW) == 0) {
        named = true;
      } else if (errno != EEXIST) {
        return FromErrno(errno);
      }
    }
    if (!named) return FileError::kIoError;
  }
  if (::rename(temp.c_str(), path.c_str()) != 0) {
    const FileError error = FromErrno(errno);
    // With nothing under the name the new file is the one whole copy.
    struct stat now {};
    if (::stat(path.c_str(), &now) != 0) return error;
    return fail(error);
  }
  fd.Close();
  SyncFolder(folder);
  RemoveLeftovers(path);
  return FileError::kNone;
}

std::vector<FoundFile> PosixFileSystem::FilesNamedLike(const std::string& path) {
  const std::string name(text::NameOf(kPathCodePage, path));
  if (name.empty()) return {};
  return Matching(path, name);
}

FileError PosixFileSystem::PutInPlace(const std::string& leftover, const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode)) return FileError::kIsDirectory;
    const FileError refused = Replaceable(path, st);
    if (refused != FileError::kNone) return refused;
    if (::chmod(leftover.c_str(), st.st_mode & 07777) != 0) return FromErrno(errno);
  }
  if (::rename(leftover.c_str(), path.c_str()) != 0) return FromErrno(errno);
  SyncFolder(OpenableFolder(path));
  return FileError::kNone;
}

}  // namespace sys
