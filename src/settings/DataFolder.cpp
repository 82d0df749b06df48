#include "settings/DataFolder.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QProcessEnvironment>
#include <QStandardPaths>

#include "i18n/AsciiText.h"
#include "i18n/ProgramFile.h"

namespace {
struct TDataFolderState {
  TStorageKind Kind = skProgramFolder;
  QString DataFolder;
  QString SettingsFilePath;
  bool SettingsFilePathSet = false;
};

TDataFolderState& State() {
  static TDataFolderState state;
  return state;
}

// The environment, read once for a whole text: a storage file may hold any
// number of references. Names are matched exactly first; a name that differs
// only in letter case is accepted as well, as the storage file may be written
// by hand.
class TEnvironment {
 public:
  QString Value(const QString& name) {
    if (!Read_) {
      Env_ = QProcessEnvironment::systemEnvironment();
      for (const QString& key : Env_.keys()) {
        const QString folded = key.toCaseFolded();
        if (!Folded_.contains(folded)) Folded_.insert(folded, key);  // the first one counts
      }
      Read_ = true;
    }
    if (Env_.contains(name)) return Env_.value(name);
    const auto folded = Folded_.constFind(name.toCaseFolded());
    return folded == Folded_.cend() ? QString() : Env_.value(*folded);
  }

 private:
  bool Read_ = false;
  QProcessEnvironment Env_;
  QHash<QString, QString> Folded_;  // name without letter case -> name
};
}  // namespace

QString IncludeTrailingSlash(const QString& folder) { return folder.endsWith(u'/') ? folder : folder + u'/'; }

QString ExpandPercentVariables(const QString& text) {
  TEnvironment environment;
  QString out = text;
  qsizetype p = out.indexOf(u'%');
  while (p >= 0) {
    const qsizetype q = out.indexOf(u'%', p + 1);
    if (q < 0) break;
    const QString name = out.mid(p + 1, q - p - 1);
    const QString value = name.isEmpty() ? QString() : environment.Value(name);
    if (!value.isEmpty()) {
      out.replace(p, q - p + 1, value);
      p = out.indexOf(u'%', p + value.size());
    } else {
      p = out.indexOf(u'%', q + 1);
    }
  }
  return out;
}

TDocumentFolders PlatformDocumentFolders() {
  TDocumentFolders folders;
  folders.User = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  return folders;
}

TDataFolderChoice ChooseDataFolder(const QString& programFolder, const QString& storageFileName,
                                   const QString& companyFolder, const QString& productFolder,
                                   const TDocumentFolders& documents) {
  TDataFolderChoice choice;
  const QString storagePath = programFolder + storageFileName;
  if (QFileInfo(storagePath).isFile()) {
    choice.StorageFileFound = true;
    QString value;
    QFile file(storagePath);
    if (file.open(QIODevice::ReadOnly)) {
      // No folder path is this long: a larger file counts as one that cannot be read in full.
      constexpr qint64 maxSize = 64 * 1024;
      const QByteArray bytes = file.read(maxSize + 1);
      if (file.error() == QFile::NoError && bytes.size() <= maxSize) value = QString::fromUtf8(bytes);
    }
    if (value.isEmpty()) {
      choice.Kind = skProgramFolder;
    } else if (SameTextAscii(value, u"#ALL#")) {
      choice.Kind = skSharedDocuments;
    } else if (SameTextAscii(value, u"#USER#")) {
      choice.Kind = skUserDocuments;
    } else {
      choice.Kind = skCustomFolder;
      choice.DataFolder = IncludeTrailingSlash(value);
    }
  }

  switch (choice.Kind) {
    case skCustomFolder:
      choice.DataFolder = ExpandPercentVariables(choice.DataFolder);
      break;
    case skSharedDocuments:
    case skUserDocuments: {
      const QString folder = choice.Kind == skSharedDocuments ? documents.Shared : documents.User;
      if (!folder.isEmpty()) {
        choice.DataFolder =
            IncludeTrailingSlash(IncludeTrailingSlash(IncludeTrailingSlash(folder) + companyFolder) + productFolder);
        break;
      }
      choice.DataFolder = programFolder;
      break;
    }
    case skProgramFolder:
      choice.DataFolder = programFolder;
      break;
  }
  return choice;
}

bool ResolveDataFolder(const QString& storageFileName, const QString& companyFolder, const QString& productFolder) {
  const TDataFolderChoice choice =
      ChooseDataFolder(GetProgramFolder(), storageFileName, companyFolder, productFolder, PlatformDocumentFolders());
  State().Kind = choice.Kind;
  State().DataFolder = choice.DataFolder;
  return choice.StorageFileFound;
}

QString GetDataFolder() { return State().DataFolder; }
TStorageKind GetStorageKind() { return State().Kind; }

QString GetProgramFolder() {
  const QString path = GetProgramFilePath();
  const qsizetype slash = path.lastIndexOf(u'/');
  return slash < 0 ? QString() : path.left(slash + 1);
}

QString GetSettingsFilePath() {
  TDataFolderState& state = State();
  if (!state.SettingsFilePathSet) {
    state.SettingsFilePath = state.DataFolder + QStringLiteral("Settings.ini");
    state.SettingsFilePathSet = true;
  }
  return state.SettingsFilePath;
}
