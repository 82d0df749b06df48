#include "util/FolderWalk.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <set>
#include <utility>
#include <vector>

#include "util/PathCodec.h"

namespace {
using TFolderId = std::pair<dev_t, ino_t>;

bool FolderId(const QByteArray& path, TFolderId& id) {
  struct stat st{};
  if (stat(path.constData(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
  id = {st.st_dev, st.st_ino};
  return true;
}

bool IsFolderEntry(const QByteArray& path, unsigned char type) {
  if (type == DT_DIR) return true;
  if (type != DT_LNK && type != DT_UNKNOWN) return false;
  struct stat st{};
  return stat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode);  // follows links
}

QByteArray WithSeparator(QByteArray path) {
  if (!path.endsWith('/')) path.append('/');
  return path;
}

// Lists one folder: reports its files and returns its subfolders in listing order.
std::vector<QByteArray> ListFolder(const QByteArray& folder, const std::function<void(const QString&)>& onFile,
                                   const std::function<void(const QString&, int)>& onUnreadable) {
  std::vector<QByteArray> subfolders;
  DIR* dir = opendir(folder.constData());
  if (!dir) {
    if (onUnreadable) onUnreadable(DecodePath(folder), errno);
    return subfolders;
  }
  const QByteArray prefix = WithSeparator(folder);
  while (const dirent* entry = readdir(dir)) {
    if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) continue;
    QByteArray path = prefix + entry->d_name;
    if (IsFolderEntry(path, entry->d_type))
      subfolders.push_back(std::move(path));
    else
      onFile(DecodePath(path));
  }
  closedir(dir);
  return subfolders;
}
}  // namespace

void WalkFolder(const QString& folder, const std::function<void(const QString& file)>& onFile,
                const std::function<void(const QString& folder, int error)>& onUnreadable) {
  if (folder.isEmpty()) return;
  std::set<TFolderId> visited;
  // Pending folders, the next one on top; a loop instead of recursion so that deep
  // trees cannot exhaust the stack.
  std::vector<QByteArray> pending{EncodePath(folder)};
  while (!pending.empty()) {
    const QByteArray current = std::move(pending.back());
    pending.pop_back();
    TFolderId id;
    if (!FolderId(current, id) || !visited.insert(id).second) continue;
    std::vector<QByteArray> subfolders = ListFolder(current, onFile, onUnreadable);
    pending.insert(pending.end(), std::make_move_iterator(subfolders.rbegin()),
                   std::make_move_iterator(subfolders.rend()));
  }
}
