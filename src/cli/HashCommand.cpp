// Hashing: every named file, every file below a named folder, or standard input.
#include <sys/stat.h>

#include <cstring>

#include "cli/DigrexSum.h"
#include "cli/FileHasher.h"
#include "dialogs/VerificationWriter.h"
#include "util/FolderWalk.h"
#include "util/PathCodec.h"

namespace {

class THashRun {
 public:
  THashRun(const TCliOptions& options, TCliOutput& output)
      : Options_(options), Output_(output), Types_(options.HashingTypes()), Format_(options.HashingFormat()) {
    Hasher_.OnProgress = [this](uint64_t done, uint64_t total) { Output_.Progress().Advance(done, total); };
  }

  int Run() {
    if (Options_.CrLf) Output_.LineEnd = "\r\n";
    if (Options_.Header)
      Output_.Line(VerificationHeaderLine(Format_ == TLineFormat::Sfv ? vfSFV : vfSUM));
    for (const QString& path : Options_.Paths) HashPath(path);
    return Failed_ ? ceFailed : ceOk;
  }

 private:
  void HashPath(const QString& path) {
    struct stat st {};
    if (path != QLatin1String("-") && ::stat(EncodePath(path).constData(), &st) == 0 && S_ISDIR(st.st_mode)) {
      // Only regular files of a folder are read: a pipe or device there was not named by
      // the user and may never end. A folder that cannot be listed is a failure too, so
      // that the exit status never claims a whole tree that was not read.
      WalkFolder(
          path, [this](const QString& file) { HashFile(file, true); },
          [this](const QString& folder, int error) {
            Output_.Message(QStringLiteral("%1: %2").arg(folder, QString::fromLocal8Bit(std::strerror(error))));
            Failed_ = true;
          });
      return;
    }
    HashFile(path, false);
  }

  void HashFile(const QString& name, bool regularOnly) {
    if (Format_ == TLineFormat::Sfv && (name.contains(u'\n') || name.contains(u'\r'))) {
      // An SFV line has no way to carry a line break; writing it would split the line.
      Output_.Message(QStringLiteral("%1: a name with a line break cannot be written as SFV").arg(name));
      Failed_ = true;
      return;
    }
    Output_.Progress().FileStarted(name);
    if (Hasher_.Hash(name, Types_, Digests_, regularOnly) != 0) {
      Output_.Message(QStringLiteral("%1: %2").arg(name, Hasher_.ErrorText));
      Failed_ = true;
      return;
    }
    for (int t = FirstHashType; t <= LastHashType; ++t) {
      if (!HasHashType(Types_, t)) continue;
      QString digest = Digests_.GetHash(t);
      if (Options_.UpperCase) digest = ApplyDigestCase(digest, *Options_.UpperCase);
      Output_.Line(FormatDigestLine(Format_, static_cast<THashType>(t), digest, name));
    }
  }

  const TCliOptions& Options_;
  TCliOutput& Output_;
  const THashTypes Types_;
  const TLineFormat Format_;
  TFileHasher Hasher_;
  THashList Digests_;
  bool Failed_ = false;
};

}  // namespace

int RunHashing(const TCliOptions& options, TCliOutput& output) { return THashRun(options, output).Run(); }
