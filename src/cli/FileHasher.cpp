#include "cli/FileHasher.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "engine/Digrex.h"
#include "util/PathCodec.h"

namespace {

QString SystemErrorText(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

// read() that retries when interrupted.
ssize_t ReadSome(int fd, uint8_t* buffer, size_t count) {
  for (;;) {
    const ssize_t n = ::read(fd, buffer, count);
    if (n >= 0 || errno != EINTR) return n;
  }
}

}  // namespace

TFileHasher::TFileHasher(unsigned threadCount)
    : Lanes_(List_, threadCount), SmallBuffer_(new uint8_t[SmallFileLimit + 1]) {}

TFileHasher::~TFileHasher() = default;

int TFileHasher::Hash(const QString& path, THashTypes types, THashList& digests, bool regularOnly) {
  digests.Clear();
  ErrorText.clear();
  const bool standardInput = path == QLatin1String("-");
  // Non-blocking where only regular files count, so that a FIFO without a writer is refused instead of waited for.
  const int flags = O_RDONLY | O_CLOEXEC | (regularOnly ? O_NONBLOCK : 0);
  const int fd = standardInput ? STDIN_FILENO : ::open(EncodePath(path).constData(), flags);
  if (fd < 0) {
    const int error = errno;
    ErrorText = SystemErrorText(error);
    return error;
  }
  struct stat st {};
  int result = 0;
  if (::fstat(fd, &st) != 0) {
    result = errno;
    ErrorText = SystemErrorText(result);
  } else if (S_ISDIR(st.st_mode)) {
    result = EISDIR;
    ErrorText = SystemErrorText(result);
  } else if (regularOnly && !S_ISREG(st.st_mode)) {
    result = NotRegularFile;
    ErrorText = QStringLiteral("not a regular file");
  } else {
    const bool regular = S_ISREG(st.st_mode);
    if (regular && uint64_t(st.st_size) > SmallFileLimit) ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    result = HashDescriptor(fd, regular, regular ? uint64_t(st.st_size) : 0, types, digests);
  }
  if (!standardInput) ::close(fd);
  return result;
}

int TFileHasher::HashDescriptor(int fd, bool regular, uint64_t size, THashTypes types, THashList& digests) {
  try {
    if (regular && size <= SmallFileLimit) {
      // One read usually takes the whole file. Reading stops once the size
      // the file had when opened is in; a file that reports no size (as
      // those of /proc do) is read to its end.
      List_.Init(types);
      uint64_t done = 0;
      for (;;) {
        const ssize_t n = ReadSome(fd, SmallBuffer_.get(), SmallFileLimit + 1);
        if (n < 0) {
          const int error = errno;
          ErrorText = SystemErrorText(error);
          return error;
        }
        if (n == 0) break;
        List_.Update(SmallBuffer_.get(), static_cast<uint32_t>(n));
        done += uint64_t(n);
        if (done == size) break;
      }
      if (const int shrunk = CheckNotShrunk(fd, size)) return shrunk;
      List_.Final();
      List_.GetResults(digests);
      if (OnProgress) OnProgress(done, done);
      return 0;
    }

    if (Lanes_.BlockSize() != LaneBlockSize && !Lanes_.Reserve(LaneBlockSize)) {
      ErrorText = SystemErrorText(ENOMEM);
      return ENOMEM;
    }
    Lanes_.Init(types);
    uint64_t done = 0;
    for (;;) {
      uint8_t* block = Lanes_.NextBlock();
      // Fill the block completely where the source allows, so that pipes
      // do not hand the lanes many tiny blocks.
      uint32_t filled = 0;
      while (filled < LaneBlockSize) {
        const ssize_t n = ReadSome(fd, block + filled, LaneBlockSize - filled);
        if (n < 0) {
          const int error = errno;
          Lanes_.Abandon();
          ErrorText = SystemErrorText(error);
          return error;
        }
        if (n == 0) break;
        filled += static_cast<uint32_t>(n);
        if (regular) break;
      }
      if (filled == 0) break;
      Lanes_.Submit(filled);
      done += filled;
      if (OnProgress) OnProgress(done, size);
    }
    if (regular && done < size) {
      if (const int shrunk = CheckNotShrunk(fd, size)) {
        Lanes_.Abandon();
        return shrunk;
      }
    }
    Lanes_.Final();
    Lanes_.GetResults(digests);
    return 0;
  } catch (const Exception& e) {
    Lanes_.Abandon();
    ErrorText = QStringLiteral("[%1] %2").arg(e.KindName(), e.Message());
    return DigesterFailed;
  }
}

int TFileHasher::CheckNotShrunk(int fd, uint64_t size) {
  // Files of /sys claim a size their content never reaches; what counts is whether the
  // file itself became shorter.
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || uint64_t(st.st_size) >= size) return 0;
  ErrorText = QStringLiteral("file became shorter while it was read");
  return FileShrank;
}
