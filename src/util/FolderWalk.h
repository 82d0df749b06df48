#pragma once
// Lists every file below a folder, depth first, in the file system's own order.
#include <QString>
#include <functional>

// Calls onFile with folder + "/" + name for every entry that is not a folder (hidden
// files, links to files, dangling links, pipes, sockets and devices included), as each
// is listed; then walks the subfolders in listing order, each whole tree before the next.
// Links to folders are followed, but every real folder is walked once, so link loops
// end. Folders that cannot be read add nothing; onUnreadable, when given, hears of each
// with the system's error number. Nothing is sorted. Names are in the form of PathCodec.h.
void WalkFolder(const QString& folder, const std::function<void(const QString& file)>& onFile,
                const std::function<void(const QString& folder, int error)>& onUnreadable = {});
