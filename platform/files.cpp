// POSIX file services. Every descriptor is closed before the function that
// opened it returns; errors are reported by results, never thrown.
#include "platform/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>

namespace platform {

namespace {

// Owns one descriptor; closes it unless released.
class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
  // Closes now and reports whether the close succeeded.
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return fd < 0 || ::close(fd) == 0;
  }

 private:
  int fd_;
};

// Reads up to `size` bytes, going on after short reads and interruptions.
// Returns the number of bytes read, or -1 on an error.
std::int64_t ReadFully(int fd, std::uint8_t* dest, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = ::read(fd, dest + done, size - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return -1;
    }
    if (n == 0) break;  // the file got shorter since fstat
    done += static_cast<std::size_t>(n);
  }
  return static_cast<std::int64_t>(done);
}

bool WriteFully(int fd, const std::uint8_t* bytes, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = ::write(fd, bytes + done, size - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// Opens `path` for reading when it is a regular file; -1 otherwise. The
// open does not wait: a FIFO under a file's name (an entrant's "x.trk") would
// otherwise block it until some writer appears, which may be never.
int OpenRegularFile(const std::string& path, std::int64_t& length) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return -1;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return -1;
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  length = static_cast<std::int64_t>(st.st_size);
  return fd;
}

// The folder part of `path` ("." when it has none), for the temporary file
// and the final folder sync.
std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind(kPathSeparator);
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

}  // namespace

bool ListFolder(const std::string& folder, std::vector<FolderEntry>& out) {
  out.clear();
  const std::string base =
      folder.empty() ? std::string(".") : folder;  // "" means the working directory
  DIR* dir = ::opendir(base.c_str());
  if (!dir) return false;
  std::string prefix = base;
  if (prefix.back() != kPathSeparator) prefix.push_back(kPathSeparator);
  for (;;) {
    errno = 0;
    const dirent* d = ::readdir(dir);
    if (!d) break;
    const std::string name = d->d_name;
    if (name == "." || name == "..") continue;
    FolderEntry entry;
    entry.name = name;
    // A symbolic link counts as what it points to: a link to a folder is a
    // folder, a dangling link is a file. This is what a user who made the
    // link expects, and the file readers follow links as well.
    if (d->d_type == DT_DIR) {
      entry.isFolder = true;
    } else if (d->d_type == DT_LNK || d->d_type == DT_UNKNOWN) {
      struct stat st {};
      entry.isFolder = ::stat((prefix + name).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
    }
    out.push_back(std::move(entry));
  }
  const bool failed = errno != 0;
  ::closedir(dir);
  if (failed) {
    out.clear();
    return false;
  }
  // std::string compares char by char as unsigned bytes through
  // char_traits<char>::compare (memcmp), which is the byte-wise order.
  std::sort(out.begin(), out.end(),
            [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
  return true;
}

FileRead ReadFileInto(const std::string& path, std::uint8_t* dest, std::size_t room,
                      bool readOnlyIfFits) {
  FileRead result;
  std::int64_t length = 0;
  Fd fd(OpenRegularFile(path, length));
  if (fd.get() < 0) return result;
  result.opened = true;
  result.length = length;
  const std::uint64_t ulength = static_cast<std::uint64_t>(length);
  if (readOnlyIfFits && ulength > room) return result;
  const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(ulength, room));
  if (want == 0 || dest == nullptr) return result;
  const std::int64_t got = ReadFully(fd.get(), dest, want);
  if (got > 0) result.bytesRead = static_cast<std::size_t>(got);
  return result;
}

bool ReadWholeFile(const std::string& path, std::string& out) {
  out.clear();
  std::int64_t length = 0;
  Fd fd(OpenRegularFile(path, length));
  if (fd.get() < 0) return false;
  if (static_cast<std::uint64_t>(length) > kMaxWholeFileLength) return false;
  try {
    out.resize(static_cast<std::size_t>(length));
  } catch (const std::bad_alloc&) {
    return false;
  }
  const std::int64_t got =
      ReadFully(fd.get(), reinterpret_cast<std::uint8_t*>(out.data()), out.size());
  if (got < 0) {
    out.clear();
    return false;
  }
  out.resize(static_cast<std::size_t>(got));
  return true;
}

bool WriteFileSafely(const std::string& path, const void* bytes, std::size_t size) {
  if (path.empty() || path.back() == kPathSeparator) return false;
  if (size > 0 && bytes == nullptr) return false;
  // A directory (or anything but a regular file) under the target's name is
  // not ours to replace; rename() would refuse it too, but only after we
  // wrote the whole temporary file.
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) return false;

  const std::string folder = FolderOf(path);
  // A short name of its own, so that a target name near the length limit
  // still leaves room for the temporary one.
  std::string temp = folder + kPathSeparator + ".thc-write-XXXXXX";
  const int raw = ::mkstemp(temp.data());
  if (raw < 0) return false;
  Fd fd(raw);
  ::fcntl(fd.get(), F_SETFD, FD_CLOEXEC);

  bool ok = WriteFully(fd.get(), static_cast<const std::uint8_t*>(bytes), size);
  // mkstemp makes the file 0600; give it the usual mode of a new file, or
  // the mode of the file it replaces.
  if (ok) {
    mode_t mode = 0666;
    if (::stat(path.c_str(), &st) == 0) {
      mode = st.st_mode & 07777;
    } else {
      const mode_t mask = ::umask(0);
      ::umask(mask);
      mode &= ~mask;
    }
    ::fchmod(fd.get(), mode);
  }
  ok = ok && ::fsync(fd.get()) == 0;
  ok = fd.Close() && ok;
  ok = ok && ::rename(temp.c_str(), path.c_str()) == 0;
  if (!ok) {
    ::unlink(temp.c_str());
    return false;
  }
  // The rename is only durable once the folder's entry is on disk. A folder
  // that cannot be synced does not undo the write that already happened.
  const int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dirFd >= 0) {
    ::fsync(dirFd);
    ::close(dirFd);
  }
  return true;
}

std::string WorkingDirectory() {
  std::vector<char> buffer(4096);
  for (;;) {
    if (::getcwd(buffer.data(), buffer.size())) return std::string(buffer.data());
    if (errno != ERANGE || buffer.size() > (1u << 20)) return std::string();
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace platform
