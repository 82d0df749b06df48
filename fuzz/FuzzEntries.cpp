#include "fuzz/FuzzEntries.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QRect>
#include <QTemporaryDir>
#include <memory>

#include "cli/ChecksumFile.h"
#include "i18n/AsciiText.h"
#include "i18n/Catalogue.h"
#include "i18n/Languages.h"
#include "i18n/ResourceStrings.h"
#include "i18n/Translator.h"
#include "settings/DataFolder.h"
#include "settings/FormLocation.h"
#include "settings/IniFile.h"
#include "settings/Settings.h"

namespace {

void Require(bool condition, const char* what) {
  if (!condition) throw EFuzzInvariant(QString::fromLatin1(what));
}

// The input without a copy, so that reading past its end is caught.
QByteArray Bytes(const uint8_t* data, size_t size) {
  return QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
}

// One scratch folder per process for the readers that take a path.
const QString& ScratchFolder() {
  static const auto dir = std::make_unique<QTemporaryDir>();
  static const QString path = dir->path() + u'/';
  return path;
}

void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  Require(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "scratch file cannot be written");
  Require(file.write(bytes) == bytes.size(), "scratch file written short");
}

bool IsTrimmedLine(const QString& text) {
  return text == TrimBlanks(text) && !text.contains(u'\r') && !text.contains(u'\n');
}

// ---- Settings.ini ----------------------------------------------------------

QByteArray Written(const TSettings& settings) {
  TIniFile ini;
  settings.WriteToIni(ini);
  return ini.ToData();
}

bool SameSettings(const TSettings& a, const TSettings& b) {
  // A name that matches no hash type ticks no row and is not written back.
  const THashTypes known = ~HashTypeBit(htNone);
  return a.UpperCaseHash == b.UpperCaseHash && (a.HashTypes & known) == (b.HashTypes & known) &&
         a.HashType == b.HashType && a.VerifyFormat == b.VerifyFormat && a.FileName == b.FileName &&
         a.UseFullPath == b.UseFullPath && a.ToolbarCaptions == b.ToolbarCaptions &&
         a.CompareToAnyHash == b.CompareToAnyHash && a.LanguageCode == b.LanguageCode &&
         a.BiDiCode == b.BiDiCode && a.StayOnTop == b.StayOnTop && a.MainForm.AsText() == b.MainForm.AsText() &&
         a.LogViewer.AsText() == b.LogViewer.AsText();
}

// ---- Location text ---------------------------------------------------------

bool SameLocation(const TFormLocation& a, const TFormLocation& b) {
  if (a.Remember != b.Remember || a.Valid != b.Valid) return false;
  return !a.Valid || (a.Left == b.Left && a.Top == b.Top && a.Width == b.Width && a.Height == b.Height);
}

bool Inside(const QRect& window, const QRect& desktop) {
  const int64_t left = window.x(), top = window.y(), width = window.width(), height = window.height();
  return left >= desktop.x() && top >= desktop.y() && left + width <= int64_t(desktop.x()) + desktop.width() &&
         top + height <= int64_t(desktop.y()) + desktop.height();
}

// ---- Checksum files --------------------------------------------------------

bool IsHexText(const QString& text) {
  for (QChar c : text)
    if (!((c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F'))) return false;
  return true;
}

int CountLines(QByteArrayView bytes) {
  if (bytes.startsWith("\xEF\xBB\xBF")) bytes = bytes.sliced(3);
  const int breaks = int(bytes.count('\n'));
  return breaks + (!bytes.isEmpty() && !bytes.endsWith('\n') ? 1 : 0);
}

}  // namespace

void FuzzSettingsIni(const uint8_t* data, size_t size) {
  TSettings first;
  first.ReadFromIni(TIniFile::FromData(Bytes(data, size)));
  for (const QString* text : {&first.FileName, &first.LanguageCode, &first.BiDiCode})
    Require(IsTrimmedLine(*text), "a value read from Settings.ini is not one trimmed line");

  const QByteArray written = Written(first);
  TSettings second;
  second.ReadFromIni(TIniFile::FromData(written));
  // A value that ends with a backslash joins the next line when read again;
  // that is how the file format reads, not a fault.
  for (const QString* text : {&first.FileName, &first.LanguageCode, &first.BiDiCode})
    if (text->endsWith(u'\\')) return;
  Require(SameSettings(first, second), "Settings.ini written by the program reads back differently");
  Require(Written(second) == written, "writing the settings read back gives another file");
}

void FuzzCatalogue(const uint8_t* data, size_t size) {
  TCatalogue catalogue;
  catalogue.LoadFromData(Bytes(data, size));
  qsizetype checked = 0;
  for (const TCatalogueEntry& entry : catalogue.Entries()) {
    Require(!entry.Source.isEmpty() && !entry.Translation.isEmpty(), "an entry without source or translation was kept");
    if (++checked > 64) continue;  // the lookups below are the same for every entry
    for (const QString& id : entry.Identifiers)
      Require(!catalogue.Translate(id, entry.Source).isEmpty(), "a lookup by identifier gave an empty text");
    Require(!catalogue.Translate(QString(), entry.Source).isEmpty(), "a lookup by source gave an empty text");
    catalogue.FindInContext(entry.Context, entry.Source);
  }
  Require(!catalogue.Translate(QStringLiteral("fmain.sstatusfinished"), QStringLiteral("Finished")).isEmpty(),
          "a lookup gave an empty text");
}

void FuzzLanguageHeader(const uint8_t* data, size_t size) {
  const QString folder = ScratchFolder() + QStringLiteral("Languages/");
  QDir().mkpath(folder);
  const QString path = folder + QStringLiteral("digrex.xx.po");
  WriteFile(path, Bytes(data, size));

  QStringList lines;
  const bool header = TLanguages::ReadHeaderLines(path, lines);
  TLanguageInfo info;
  const bool listed = TLanguages::ReadLanguageInfo(path, info);
  Require(header == listed, "the header reader and the language reader disagree");
  Require(info.Code == u"xx", "the code does not come from the file name");
  for (const QString* field : {&info.Country, &info.CountryName, &info.Language, &info.LanguageName,
                               &info.LanguageNameNative, &info.Translators})
    Require(IsTrimmedLine(*field), "a header field is not one trimmed line");
  Require(!TLanguages::GetMenuCaption(info).isEmpty(), "a language without a menu caption");

  TLanguages languages;
  languages.ProgramBaseName = QStringLiteral("digrex");
  languages.Scan(folder, folder + QStringLiteral("Flags/"));
  Require(languages.Languages.size() == (listed ? 1 : 0), "the scan does not list the catalogue as read");
  languages.LanguageCode = QStringLiteral("xx");
  languages.BuildMenu();

  // Installed as the program's catalogue, every text stays usable.
  SetupTranslation(path);
  for (int i = 0; i < rs::Count; ++i) {
    const auto id = static_cast<rs::Id>(i);
    RSFormat(id, {QStringLiteral("a"), QStringLiteral("1"), QStringLiteral("b")});
  }
  TranslateFormText(QStringLiteral("TFORMMAIN.ACTIONADDFILES.CAPTION"), QStringLiteral("Add files"));
  RemoveTranslations();
  ResetResourceStrings();
}

void FuzzFormLocation(const uint8_t* data, size_t size) {
  TFormLocation location;
  location.FromText(QString::fromUtf8(Bytes(data, size)));
  const QString text = location.AsText();
  TFormLocation again;
  again.FromText(text);
  Require(SameLocation(location, again), "a location text does not read back to the same location");
  Require(again.AsText() == text, "a location text is not written back unchanged");

  const QRect desktops[] = {QRect(0, 0, 1920, 1080), QRect(-1920, -200, 5760, 1440), QRect(100, 100, 1, 1)};
  for (const QRect& desktop : desktops) {
    const std::optional<QRect> fitted = location.RestoreGeometry(desktop);
    Require(fitted.has_value() == (location.Remember && location.Valid && location.ApplyGeometry().has_value()),
            "a remembered location is restored without being applied");
    if (fitted && fitted->width() >= 0 && fitted->height() >= 0)
      Require(Inside(*fitted, desktop), "a restored window lies outside the desktop");
  }
}

void FuzzStorageFile(const uint8_t* data, size_t size) {
  static const bool environment = [] {
    qputenv("DIGREX_FUZZ_A", "/srv/a");
    qputenv("DIGREX_FUZZ_PCT", "%DIGREX_FUZZ_A%");
    return true;
  }();
  (void)environment;

  const QString program = ScratchFolder() + QStringLiteral("program/");
  QDir().mkpath(program);
  const QByteArray bytes = Bytes(data, size);
  WriteFile(program + QStringLiteral("Storage.ini"), bytes);

  const TDocumentFolders documents[] = {{QString(), QStringLiteral("/home/u/Documents")},
                                        {QStringLiteral("/srv/shared/"), QString()}};
  for (const TDocumentFolders& folders : documents) {
    const TDataFolderChoice choice =
        ChooseDataFolder(program, QStringLiteral("Storage.ini"), QStringLiteral("Velnor"), QStringLiteral("Digrex"), folders);
    Require(choice.StorageFileFound, "the storage file was not found");
    Require(choice.DataFolder.endsWith(u'/'), "the data folder does not end with a separator");
    if (size == 0) Require(choice.Kind == skProgramFolder && choice.DataFolder == program, "an empty file does not pick the program folder");
    if (choice.Kind == skProgramFolder) Require(choice.DataFolder == program, "the program folder kind names another folder");
  }
  const QString text = QString::fromUtf8(bytes);
  Require(text.contains(u'%') || ExpandPercentVariables(text) == text, "a text without references was changed");
}

void FuzzChecksumFile(const uint8_t* data, size_t size) {
  const QByteArray bytes = Bytes(data, size);
  const int lines = CountLines(bytes);
  const struct {
    THashTypes Chosen;
    THashType FromFileName;
  } ways[] = {{0, htNone}, {0, htCRC32}, {0, htMD5}, {HashTypeBit(htSHA1) | HashTypeBit(htMD5), htNone}};
  for (const auto& way : ways) {
    const TChecksumList list = ParseChecksumText(bytes, way.Chosen, way.FromFileName);
    Require(list.Entries.size() + list.UnparsedLines.size() <= size_t(lines), "more lines read than the file has");
    int previous = 0;
    for (const TChecksumEntry& entry : list.Entries) {
      Require(entry.LineNumber > previous && entry.LineNumber <= lines, "line numbers out of order");
      previous = entry.LineNumber;
      Require(entry.Candidates != 0, "an entry of no hash type");
      Require((entry.Candidates & ~HashTypesOfDigestLength(entry.Digest.size())) == 0,
              "an entry whose digest length does not fit its types");
      // A tag line names its own type, whatever was asked for.
      if (way.Chosen != 0 && (entry.Candidates & ~way.Chosen) != 0)
        Require(CountHashTypes(entry.Candidates) == 1, "an untagged entry of a type not asked for");
      Require(IsHexText(entry.Digest), "a digest that is not hexadecimal");
      Require(!entry.Name.isEmpty(), "an entry without a file name");
    }
    previous = 0;
    for (int number : list.UnparsedLines) {
      Require(number > previous && number <= lines, "unread line numbers out of order");
      previous = number;
    }
  }
}
