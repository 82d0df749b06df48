#pragma once
// Where the program keeps "Settings.ini": decided once at start-up from the
// optional "Storage.ini" beside the executable. Folder paths end with "/".
#include <QString>

enum TStorageKind {
  skProgramFolder = 0,    // no, empty or unreadable storage file
  skCustomFolder = 1,     // the storage file's text, variables expanded
  skSharedDocuments = 2,  // "#ALL#"
  skUserDocuments = 3,    // "#USER#"
};

// The documents folders as the platform reports them; empty when unavailable.
struct TDocumentFolders {
  QString Shared;
  QString User;
};

struct TDataFolderChoice {
  TStorageKind Kind = skProgramFolder;
  QString DataFolder;
  bool StorageFileFound = false;
};

// The platform's folders. On Linux the user's documents folder is the XDG
// documents folder; there is no folder shared by all users, so Shared is
// empty and "#ALL#" falls back to the program folder.
TDocumentFolders PlatformDocumentFolders();

// The decision itself, for any program folder and documents folders.
TDataFolderChoice ChooseDataFolder(const QString& programFolder, const QString& storageFileName,
                                   const QString& companyFolder, const QString& productFolder,
                                   const TDocumentFolders& documents);

// Start-up: ChooseDataFolder for the running program ("Storage.ini",
// "Velnor", "Digrex") and keeps the result. Returns whether the storage file was found.
bool ResolveDataFolder(const QString& storageFileName, const QString& companyFolder, const QString& productFolder);
QString GetDataFolder();
TStorageKind GetStorageKind();

// The folder of the running executable, symbolic links resolved, ending with "/".
QString GetProgramFolder();

// The data folder followed by "Settings.ini"; fixed by the first call.
QString GetSettingsFilePath();

// Replaces %NAME% by the value of the environment variable NAME; a reference
// to a variable that is unset or empty stays as written. Inserted values are
// not scanned again.
QString ExpandPercentVariables(const QString& text);

// Appends "/" unless the text already ends with one.
QString IncludeTrailingSlash(const QString& folder);
