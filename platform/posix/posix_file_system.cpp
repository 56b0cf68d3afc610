#include "platform/posix/posix_file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace sys {
namespace {

class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
  int release() {
    int fd = fd_;
    fd_ = -1;
    return fd;
  }

 private:
  int fd_;
};

bool WriteAll(int fd, std::string_view data) {
  while (!data.empty()) {
    ssize_t n = ::write(fd, data.data(), data.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

}  // namespace

bool PosixFileSystem::ReadFile(const std::string& path, std::string* contents,
                               std::size_t maxBytes) {
  contents->clear();
  Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) return false;
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
  std::vector<char> buffer(64 * 1024);
  while (contents->size() < maxBytes) {
    std::size_t want = buffer.size();
    if (maxBytes - contents->size() < want) want = maxBytes - contents->size();
    ssize_t n = ::read(fd.get(), buffer.data(), want);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    contents->append(buffer.data(), static_cast<std::size_t>(n));
  }
  return true;
}

bool PosixFileSystem::FileExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool PosixFileSystem::ReadPieces(const std::string& path, const PieceSink& sink) {
  Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) return false;
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
  std::vector<char> buffer(64 * 1024);
  for (;;) {
    const ssize_t n = ::read(fd.get(), buffer.data(), buffer.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) return true;
    if (!sink(std::string_view(buffer.data(), static_cast<std::size_t>(n)))) return true;
  }
}

bool PosixFileSystem::SizeWithoutSharing(const std::string& path, std::uint64_t* size) {
  Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) return false;
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  *size = static_cast<std::uint64_t>(st.st_size);
  return true;
}

bool PosixFileSystem::OpenOrCreate(const std::string& path, bool withOpenAccess) {
  const mode_t mode = withOpenAccess ? 0666 : 0644;
  Fd fd(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, mode));
  if (fd.get() < 0) return false;
  if (withOpenAccess) ::fchmod(fd.get(), 0666);
  return true;
}

bool PosixFileSystem::ReplaceContents(const std::string& path, std::string_view contents) {
  std::string temp = path + ".XXXXXX";
  Fd fd(::mkstemp(temp.data()));
  if (fd.get() < 0) return false;
  struct stat st {};
  mode_t mode = 0644;
  if (::stat(path.c_str(), &st) == 0) mode = st.st_mode & 07777;
  bool ok = ::fchmod(fd.get(), mode) == 0 && WriteAll(fd.get(), contents) &&
            ::fsync(fd.get()) == 0;
  ok = ::close(fd.release()) == 0 && ok;
  if (ok && ::rename(temp.c_str(), path.c_str()) == 0) return true;
  ::unlink(temp.c_str());
  return false;
}

bool PosixFileSystem::RemoveFile(const std::string& path) {
  return ::unlink(path.c_str()) == 0 || errno == ENOENT;
}

}  // namespace sys
