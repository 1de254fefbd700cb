#include "common/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "common/PendingFiles.h"

namespace tavrix::tools {
namespace {

// Names left behind by a killed process of the same id are skipped.
constexpr int NameAttempts = 100;
// The destination's name is shortened inside the temporary one, which must
// stay within the 255 bytes of a file name.
constexpr size_t NameBytesKept = 128;

std::string Failure(const std::string& path, int cause) {
  return path + ": cannot be written: " + std::strerror(cause);
}

// Hidden, in the destination's folder so that the rename stays on one file
// system, and unique to the process: ".out.gif.1234.0.tmp".
std::string TemporaryName(const std::string& target) {
  static std::atomic<unsigned> counter{0};
  const std::filesystem::path path(target);
  const std::string name = "." + path.filename().string().substr(0, NameBytesKept) + "." +
                           std::to_string(::getpid()) + "." + std::to_string(counter++) + ".tmp";
  return (path.parent_path() / name).string();
}

// A link is followed, so that the file it names is replaced, not the link.
std::string Resolved(const std::string& path) {
  std::error_code error;
  const std::filesystem::path resolved = std::filesystem::canonical(path, error);
  return error ? path : resolved.string();
}

}  // namespace

AtomicFile::~AtomicFile() { Discard(); }

bool AtomicFile::Open(const std::string& path, std::string& error) {
  Discard();
  path_ = path;
  struct stat existing;
  const bool exists = ::stat(path.c_str(), &existing) == 0;
  if (exists && !S_ISREG(existing.st_mode)) {
    stream_ = std::fopen(path.c_str(), "wb");
    if (!stream_) error = Failure(path, errno);
    return stream_ != nullptr;
  }
  if (!OpenTemporary(exists ? Resolved(path) : path, error)) return false;
  // Failing to keep the old mode still leaves a usable file: not an error.
  if (exists) ::fchmod(::fileno(stream_), existing.st_mode & 07777);
  return true;
}

bool AtomicFile::OpenTemporary(const std::string& target, std::string& error) {
  int descriptor = -1, cause = EEXIST;
  for (int attempt = 0; descriptor < 0 && cause == EEXIST && attempt < NameAttempts; ++attempt) {
    RemovePendingFile(slot_);
    temporary_ = TemporaryName(target);
    // Known to the signal handler before it exists, so it never outlives us.
    slot_ = AddPendingFile(temporary_.c_str());
    const int flags = O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC;
    descriptor = slot_ < 0 ? -1 : ::open(temporary_.c_str(), flags, 0666);
    cause = slot_ < 0 ? ENAMETOOLONG : errno;
  }
  if (descriptor >= 0) stream_ = ::fdopen(descriptor, "wb");
  if (stream_) {
    target_ = target;
    return true;
  }
  error = Failure(path_, descriptor >= 0 ? errno : cause);
  if (descriptor >= 0) {
    ::close(descriptor);
    ::unlink(temporary_.c_str());
  }
  Discard();
  return false;
}

bool AtomicFile::Commit(std::string& error) {
  if (!stream_) {
    error = path_ + ": cannot be written: not open";
    return false;
  }
  const bool inPlace = temporary_.empty();
  int cause = 0;
  const auto step = [&cause](bool done) {
    if (!done && !cause) cause = errno ? errno : EIO;
  };
  errno = 0;
  step(std::fflush(stream_) == 0 && !std::ferror(stream_));
  if (!inPlace) step(::fsync(::fileno(stream_)) == 0);
  step(std::fclose(stream_) == 0);
  stream_ = nullptr;
  if (!inPlace && !cause) step(::rename(temporary_.c_str(), target_.c_str()) == 0);
  if (!inPlace && cause) ::unlink(temporary_.c_str());
  Discard();
  if (cause) error = path_ + ": could not be written in full: " + std::strerror(cause);
  return cause == 0;
}

void AtomicFile::Discard() {
  if (stream_) {
    std::fclose(stream_);
    stream_ = nullptr;
    if (!temporary_.empty()) ::unlink(temporary_.c_str());
  }
  // Only once the file is gone or in place, so a signal never misses it.
  RemovePendingFile(slot_);
  slot_ = -1;
  temporary_.clear();
  target_.clear();
}

bool WriteFileAtomically(const std::string& path, const void* data, size_t size,
                         std::string& error) {
  AtomicFile file;
  if (!file.Open(path, error)) return false;
  // A short write sets the stream's error, which Commit reports.
  std::fwrite(data, 1, size, file.Stream());
  return file.Commit(error);
}

bool FolderTakesFiles(const std::string& path, std::string& error) {
  std::string folder = std::filesystem::path(path).parent_path().string();
  if (folder.empty()) folder = ".";
  std::error_code ignored;
  if (!std::filesystem::is_directory(folder, ignored)) {
    error = path + ": cannot be written: the folder " + folder + " does not exist";
    return false;
  }
  if (::access(folder.c_str(), W_OK | X_OK) == 0) return true;
  error = Failure(path, errno);
  return false;
}

}  // namespace tavrix::tools
