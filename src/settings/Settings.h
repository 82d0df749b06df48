#pragma once
// The user's preferences and "Settings.ini".
//
// The process-wide object is the global `Settings` (an extern object, defined
// in Settings.cpp and constructed with its defaults). Start-up:
//   ResolveDataFolder("Storage.ini", "Velnor", "Digrex");
//   Settings.SetDefaults();
//   Settings.LoadFromFile(GetSettingsFilePath());
//   ... event loop ...
//   Settings.SaveToFile(GetSettingsFilePath());
#include <QString>

#include "dialogs/VerificationWriter.h"
#include "engine/HashTypes.h"
#include "settings/FormLocation.h"

class TIniFile;

class TSettings {
 public:
  TSettings();

  bool UpperCaseHash;
  THashTypes HashTypes;
  THashType HashType;
  TVerificationFormat VerifyFormat;
  QString FileName;
  bool UseFullPath;
  bool ToolbarCaptions;
  bool CompareToAnyHash;
  QString LanguageCode;  // empty or "AUTOMATIC", "DEFAULT", or a catalogue code
  QString BiDiCode;      // empty or "AUTO", "LTR", "RTL"
  bool StayOnTop;
  TFormLocation MainForm;
  TFormLocation LogViewer;

  void SetDefaults();
  // Reads the file if it exists; a file that cannot be read leaves the fields
  // as they are. Returns whether the file was read.
  bool LoadFromFile(const QString& path);
  // Creates the folder with its parents and replaces the file only once the new
  // one is completely written. Returns false on any failure; never throws.
  bool SaveToFile(const QString& path) const;

  void ReadFromIni(const TIniFile& ini);
  void WriteToIni(TIniFile& ini) const;
};

extern TSettings Settings;
