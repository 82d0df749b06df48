#include "util/FileProperties.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace {
struct TEntry {
  mode_t Mode = 0;
  uid_t Uid = 0;
  gid_t Gid = 0;
  int64_t Size = 0;
  int64_t ModifiedSec = 0;
  int64_t ModifiedNsec = 0;
  bool HasBirth = false;
  int64_t BirthSec = 0;
  int64_t BirthNsec = 0;
};

bool ReadEntry(const char* path, bool followLink, TEntry& entry) {
  struct statx sx{};
  const int flags = AT_NO_AUTOMOUNT | (followLink ? 0 : AT_SYMLINK_NOFOLLOW);
  if (statx(AT_FDCWD, path, flags, STATX_BASIC_STATS | STATX_BTIME, &sx) == 0) {
    entry.Mode = sx.stx_mode;
    entry.Uid = sx.stx_uid;
    entry.Gid = sx.stx_gid;
    entry.Size = int64_t(sx.stx_size);
    entry.ModifiedSec = sx.stx_mtime.tv_sec;
    entry.ModifiedNsec = sx.stx_mtime.tv_nsec;
    entry.HasBirth = (sx.stx_mask & STATX_BTIME) != 0;
    entry.BirthSec = sx.stx_btime.tv_sec;
    entry.BirthNsec = sx.stx_btime.tv_nsec;
    return true;
  }
  // Kernels or sandboxes without statx: the classic calls, which know no birth time.
  if (errno != ENOSYS && errno != EPERM) return false;
  struct stat st{};
  if ((followLink ? stat(path, &st) : lstat(path, &st)) != 0) return false;
  entry = TEntry{};
  entry.Mode = st.st_mode;
  entry.Uid = st.st_uid;
  entry.Gid = st.st_gid;
  entry.Size = int64_t(st.st_size);
  entry.ModifiedSec = st.st_mtim.tv_sec;
  entry.ModifiedNsec = st.st_mtim.tv_nsec;
  return true;
}

bool InGroup(gid_t gid) {
  if (getegid() == gid) return true;
  const int count = getgroups(0, nullptr);
  if (count <= 0) return false;
  std::vector<gid_t> groups(static_cast<size_t>(count));
  const int got = getgroups(count, groups.data());
  for (int i = 0; i < got; ++i)
    if (groups[static_cast<size_t>(i)] == gid) return true;
  return false;
}

// Read-only is a property of the file, as on systems with an attribute word: the write
// bit of the class the user belongs to, whatever extra rights an administrator has.
bool IsReadOnly(const char* path, const TEntry& entry) {
  mode_t writeBit = S_IWOTH;
  if (geteuid() == entry.Uid)
    writeBit = S_IWUSR;
  else if (InGroup(entry.Gid))
    writeBit = S_IWGRP;
  if ((entry.Mode & writeBit) == 0) return true;
  return access(path, W_OK) != 0 && errno == EROFS;
}

bool HasHiddenName(const QString& path) {
  qsizetype end = path.size();
  while (end > 1 && path[end - 1] == u'/') --end;
  const qsizetype slash = path.lastIndexOf(u'/', end - 1);
  const QString name = path.mid(slash + 1, end - slash - 1);
  return name.startsWith(u'.') && name != QLatin1String(".") && name != QLatin1String("..");
}
}  // namespace

bool GetFileProperties(const QString& path, TFileProperties& info) {
  if (path.isEmpty()) return false;
  const QByteArray native = EncodePath(path);
  TEntry self;
  if (!ReadEntry(native.constData(), false, self)) return false;

  uint32_t attributes = 0;
  TEntry entry = self;
  bool targetFound = true;
  if (S_ISLNK(self.Mode)) {
    attributes |= faSymLink;
    targetFound = ReadEntry(native.constData(), true, entry);
    if (!targetFound) entry = self;
  }

  info = TFileProperties{};
  if (targetFound) {
    if (S_ISDIR(entry.Mode))
      attributes |= faDirectory;
    else if (!S_ISLNK(entry.Mode))
      info.Size = entry.Size;
    if (IsReadOnly(native.constData(), entry)) attributes |= faReadOnly;
  }
  if (HasHiddenName(path)) attributes |= faHidden;

  info.Attributes = attributes;
  info.Modified = FileTimeToLocalDateTime(entry.ModifiedSec, entry.ModifiedNsec);
  if (entry.HasBirth) info.Created = FileTimeToLocalDateTime(entry.BirthSec, entry.BirthNsec);
  info.Valid = true;
  return true;
}
