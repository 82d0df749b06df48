// Verifying: every file listed in the checksum files, each read once for all
// the types its line may be of.
#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include "cli/ChecksumFile.h"
#include "cli/DigrexSum.h"
#include "cli/FileHasher.h"
#include "util/PathCodec.h"

namespace {

class TVerifyRun {
 public:
  TVerifyRun(const TCliOptions& options, TCliOutput& output) : Options_(options), Output_(output) {
    Hasher_.OnProgress = [this](uint64_t done, uint64_t total) { Output_.Progress().Advance(done, total); };
  }

  int Run() {
    for (const QString& path : Options_.Paths) CheckFile(path);
    if (!Options_.Status)
      Output_.Message(QStringLiteral("%1 OK, %2 failed, %3 missing, %4 unparsed")
                          .arg(Passed_)
                          .arg(Mismatched_)
                          .arg(Missing_)
                          .arg(Unparsed_));
    const bool allFine = Passed_ > 0 && Mismatched_ == 0 && Missing_ == 0 && Unparsed_ == 0 && !ListFailed_;
    return allFine ? ceOk : ceFailed;
  }

 private:
  void Report(const QString& message) {
    if (!Options_.Status) Output_.Message(message);
  }

  void CheckFile(const QString& path) {
    QByteArray data;
    const bool standardInput = path == QLatin1String("-");
    QFile file;
    bool opened = false;
    QString openError;
    if (standardInput) {
      opened = file.open(stdin, QIODevice::ReadOnly);
    } else {
      // By its own bytes (PathCodec.h); QFile would re-encode the name and miss one that is not UTF-8.
      const int fd = ::open(EncodePath(path).constData(), O_RDONLY | O_CLOEXEC);
      if (fd < 0) openError = QString::fromLocal8Bit(std::strerror(errno));
      opened = fd >= 0 && file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
      if (fd >= 0 && !opened) ::close(fd);
    }
    if (opened) data = file.readAll();
    if (!opened || file.error() != QFileDevice::NoError) {
      Report(QStringLiteral("%1: %2").arg(path, openError.isEmpty() ? file.errorString() : openError));
      ListFailed_ = true;
      return;
    }
    const TChecksumList list =
        ParseChecksumText(data, Options_.Algorithms, standardInput ? htNone : HashTypeFromChecksumFileName(path));
    Unparsed_ += int(list.UnparsedLines.size());
    if (list.Entries.empty()) {
      Report(QStringLiteral("%1: no properly formatted checksum lines found").arg(path));
      ListFailed_ = true;
      return;
    }
    // Listed names are relative to the checksum file's folder.
    const qsizetype slash = path.lastIndexOf(u'/');
    const QString folder = standardInput || slash < 0 ? QString() : path.left(slash + 1);
    for (const TChecksumEntry& entry : list.Entries) CheckEntry(entry, folder);
  }

  void CheckEntry(const TChecksumEntry& entry, const QString& folder) {
    const bool absolute = entry.Name.startsWith(u'/');
    QString target = absolute ? entry.Name : folder + entry.Name;
    Output_.Progress().FileStarted(entry.Name);
    int error = Hasher_.Hash(target, entry.Candidates, Digests_);
    if (error == ENOENT && entry.Name.contains(u'\\')) {
      // Lists made on Windows separate folders with "\".
      QString alternative = entry.Name;
      alternative.replace(u'\\', u'/');
      if (!absolute) alternative.prepend(folder);
      if (Hasher_.Hash(alternative, entry.Candidates, Digests_) == 0) error = 0;
    }
    if (error != 0) {
      ++Missing_;
      Report(QStringLiteral("%1: %2").arg(entry.Name, Hasher_.ErrorText));
      Result(entry.Name, QStringLiteral("FAILED open or read"), false);
      return;
    }
    int matched = htNone;
    for (int t = FirstHashType; t <= LastHashType && matched == htNone; ++t)
      if (HasHashType(entry.Candidates, t) && SameDigest(Digests_.GetHash(t), entry.Digest)) matched = t;
    if (matched == htNone) {
      ++Mismatched_;
      Result(entry.Name, QStringLiteral("FAILED"), false);
      return;
    }
    ++Passed_;
    // Where the digest's length left the type open, say which one it was.
    const bool ambiguous = CountHashTypes(entry.Candidates) > 1;
    Result(entry.Name, ambiguous ? QStringLiteral("OK (%1)").arg(HashTypeToName(matched)) : QStringLiteral("OK"), true);
  }

  // "name: OK" as the sum tools print it: a name holding a line break is
  // escaped (backslashes too) and the line starts with "\".
  void Result(const QString& name, const QString& verdict, bool ok) {
    if (Options_.Status || (ok && Options_.Quiet)) return;
    bool escaped = false;
    const bool lineBreak = name.contains(u'\n') || name.contains(u'\r');
    const QString shown = lineBreak ? QStringLiteral("\\") + EscapeFileName(name, escaped) : name;
    Output_.Line(shown + QStringLiteral(": ") + verdict);
  }

  const TCliOptions& Options_;
  TCliOutput& Output_;
  TFileHasher Hasher_;
  THashList Digests_;
  int Passed_ = 0;
  int Mismatched_ = 0;
  int Missing_ = 0;
  int Unparsed_ = 0;
  bool ListFailed_ = false;
};

}  // namespace

int RunVerifying(const TCliOptions& options, TCliOutput& output) { return TVerifyRun(options, output).Run(); }
