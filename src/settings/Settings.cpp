#include "settings/Settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "settings/IniFile.h"

TSettings Settings;

namespace {
const QString kGeneral = QStringLiteral("General");
const QString kSaveLog = QStringLiteral("SaveLog");
const QString kLocation = QStringLiteral("Location");

QString BoolText(bool value) { return value ? QStringLiteral("1") : QStringLiteral("0"); }

bool ReadBool(const TIniFile& ini, const QString& section, const QString& key, bool current) {
  const QString value = ini.ReadString(section, key, QString());
  return value.isEmpty() ? current : value.startsWith(u'1');
}
}  // namespace

TSettings::TSettings() { SetDefaults(); }

void TSettings::SetDefaults() {
  UpperCaseHash = false;
  HashTypes = AllHashTypes();
  HashType = htNone;
  VerifyFormat = vfSFV;
  FileName.clear();
  UseFullPath = false;
  ToolbarCaptions = false;
  CompareToAnyHash = false;
  LanguageCode.clear();
  BiDiCode.clear();
  StayOnTop = false;
  MainForm.Reset();
  LogViewer.Reset();
}

void TSettings::ReadFromIni(const TIniFile& ini) {
  UpperCaseHash = ReadBool(ini, kGeneral, QStringLiteral("UpperCaseHash"), UpperCaseHash);
  HashTypes = HashTypesFromNames(ini.ReadString(kGeneral, QStringLiteral("HashTypes"), HashTypesToNames(HashTypes)));
  ToolbarCaptions = ReadBool(ini, kGeneral, QStringLiteral("ToolbarCaptions"), ToolbarCaptions);
  CompareToAnyHash = ReadBool(ini, kGeneral, QStringLiteral("CompareToAnyHash"), CompareToAnyHash);
  LanguageCode = ini.ReadString(kGeneral, QStringLiteral("LanguageCode"), LanguageCode);
  BiDiCode = ini.ReadString(kGeneral, QStringLiteral("BiDiCode"), BiDiCode);
  StayOnTop = ReadBool(ini, kGeneral, QStringLiteral("StayOnTop"), StayOnTop);

  HashType = HashTypeFromName(ini.ReadString(kSaveLog, QStringLiteral("HashType"), HashTypeToName(HashType)));
  VerifyFormat = VerificationFormatFromID(
      ini.ReadString(kSaveLog, QStringLiteral("VerifyFormat"), VerificationFormatID(VerifyFormat)));
  FileName = ini.ReadString(kSaveLog, QStringLiteral("FileName"), FileName);
  UseFullPath = ReadBool(ini, kSaveLog, QStringLiteral("UseFullPath"), UseFullPath);

  MainForm.FromText(ini.ReadString(kLocation, QStringLiteral("MainForm"), QString()));
  LogViewer.FromText(ini.ReadString(kLocation, QStringLiteral("LogViewer"), QString()));
}

void TSettings::WriteToIni(TIniFile& ini) const {
  ini.WriteString(kGeneral, QStringLiteral("UpperCaseHash"), BoolText(UpperCaseHash));
  ini.WriteString(kGeneral, QStringLiteral("HashTypes"), HashTypesToNames(HashTypes));
  ini.WriteString(kGeneral, QStringLiteral("ToolbarCaptions"), BoolText(ToolbarCaptions));
  ini.WriteString(kGeneral, QStringLiteral("CompareToAnyHash"), BoolText(CompareToAnyHash));
  ini.WriteString(kGeneral, QStringLiteral("LanguageCode"), LanguageCode);
  ini.WriteString(kGeneral, QStringLiteral("BiDiCode"), BiDiCode);
  ini.WriteString(kGeneral, QStringLiteral("StayOnTop"), BoolText(StayOnTop));

  ini.WriteString(kSaveLog, QStringLiteral("HashType"), HashType == htNone ? QString() : HashTypeToName(HashType));
  ini.WriteString(kSaveLog, QStringLiteral("VerifyFormat"), VerificationFormatID(VerifyFormat));
  ini.WriteString(kSaveLog, QStringLiteral("FileName"), FileName);
  ini.WriteString(kSaveLog, QStringLiteral("UseFullPath"), BoolText(UseFullPath));

  ini.WriteString(kLocation, QStringLiteral("MainForm"), MainForm.AsText());
  ini.WriteString(kLocation, QStringLiteral("LogViewer"), LogViewer.AsText());
}

bool TSettings::LoadFromFile(const QString& path) {
  if (!QFileInfo(path).isFile()) return false;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  // A file far larger than any settings file counts as unreadable instead of filling memory.
  constexpr qint64 maxSize = qint64(64) << 20;
  if (file.size() > maxSize) return false;
  const QByteArray bytes = file.readAll();
  if (file.error() != QFile::NoError || bytes.size() > maxSize) return false;
  ReadFromIni(TIniFile::FromData(bytes));
  return true;
}

bool TSettings::SaveToFile(const QString& path) const {
  try {
    const qsizetype slash = path.lastIndexOf(u'/');
    const QString folder = slash < 0 ? QString() : path.left(slash);
    if (!folder.isEmpty() && !QDir().mkpath(folder)) return false;
    TIniFile ini;
    WriteToIni(ini);
    const QByteArray data = ini.ToData();
    // Unbuffered, so that a short write (disk full) shows here: QSaveFile
    // would otherwise commit a truncated file when flushing its buffer fails.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return false;
    if (file.write(data) != data.size() || !file.flush()) {
      file.cancelWriting();
      return false;
    }
    return file.commit();
  } catch (...) {
    return false;
  }
}
