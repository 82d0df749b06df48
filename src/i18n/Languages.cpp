#include "i18n/Languages.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

#include "i18n/AsciiText.h"
#include "i18n/Catalogue.h"
#include "i18n/ProgramFile.h"
#include "i18n/Translator.h"

TLanguages LanguageCatalogue;

namespace {
const QString kAutomatic = QStringLiteral("AUTOMATIC");
const QString kDefault = QStringLiteral("DEFAULT");

QString WithSeparator(const QString& folder) { return folder.endsWith(u'/') ? folder : folder + u'/'; }
}  // namespace

QString TLanguages::BaseName() const { return ProgramBaseName.isEmpty() ? GetProgramBaseName() : ProgramBaseName; }

std::optional<Qt::LayoutDirection> TLanguages::InitLanguage(const QString& folder, const QString& languageCode,
                                                            const QString& biDiCode) {
  LanguageCode = languageCode.isEmpty() ? kAutomatic : languageCode;
  BiDiCode = biDiCode.isEmpty() ? QStringLiteral("AUTO") : biDiCode;

  Qt::LayoutDirection implied = Qt::LeftToRight;
  if (SameTextAscii(LanguageCode, kDefault)) {
    // the built-in English texts
  } else if (SameTextAscii(LanguageCode, kAutomatic)) {
    QString code, fallback;
    if (GetLanguageCodes(code, fallback)) {
      LoadTranslation(folder, code, fallback);
      implied = GetLanguageDirection(code);
    }
  } else {
    LoadTranslation(folder, LanguageCode, QString());
    implied = GetLanguageDirection(LanguageCode);
  }

  if (SameTextAscii(BiDiCode, u"AUTO")) return implied;
  if (SameTextAscii(BiDiCode, u"LTR")) return Qt::LeftToRight;
  if (SameTextAscii(BiDiCode, u"RTL")) return Qt::RightToLeft;
  return std::nullopt;
}

QString TLanguages::CatalogueFileName(const QString& folder, const QString& baseName, const QString& code) {
  return WithSeparator(folder) + baseName + u'.' + code + QStringLiteral(".po");
}

bool TLanguages::LoadTranslation(const QString& folder, const QString& code, const QString& fallback) {
  bool installed = false;
  const QString base = BaseName();
  for (const QString& c : {code, fallback}) {
    const QString path = CatalogueFileName(folder, base, c);
    if (QFileInfo(path).isFile()) {
      SetupTranslation(path);
      installed = true;
      break;
    }
  }
  const QString toolkitFolder = WithSeparator(folder) + QString::fromUtf16(ToolkitCatalogueFolder);
  bool toolkit = false;
  for (const QString& c : {code, fallback}) {
    const QString path = CatalogueFileName(toolkitFolder, QString::fromUtf16(ToolkitCatalogueBaseName), c);
    if (QFileInfo(path).isFile()) {
      toolkit = TranslateToolkitCatalogue(path);
      break;
    }
  }
  // Without a catalogue of our own for the toolkit, Qt's shipped one serves, but only when
  // the program itself is translated: English windows keep English buttons.
  if (!toolkit && installed)
    for (const QString& c : {code, fallback})
      if (TranslateToolkitFromQt(c)) break;
  return installed;
}

Qt::LayoutDirection TLanguages::GetLanguageDirection(const QString& code) {
  QString lang = code.toLower();
  qsizetype cut = lang.indexOf(u'-');
  if (cut < 0) cut = lang.indexOf(u'_');
  if (cut >= 0) lang.truncate(cut);
  static const char16_t* const rightToLeft[] = {u"ar", u"he", u"yi", u"dv", u"ps", u"az", u"fa",
                                                u"ks", u"ku", u"pa", u"sd", u"tk", u"ug", u"ur"};
  for (const char16_t* rtl : rightToLeft)
    if (lang == QStringView(rtl)) return Qt::RightToLeft;
  return Qt::LeftToRight;
}

QString TLanguages::CodeFromFileName(const QString& fileName) {
  QString name = QFileInfo(fileName).fileName();
  if (name.size() >= 3 && SameTextAscii(QStringView(name).right(3), u".po")) name.chop(3);
  const qsizetype dot = name.lastIndexOf(u'.');
  return dot < 0 ? QString() : name.mid(dot + 1);
}

bool TLanguages::ReadHeaderLines(const QString& path, QStringList& lines) {
  lines.clear();
  QByteArray bytes;
  if (!ReadCatalogueFile(path, bytes)) return false;
  const QStringList all = SplitCatalogueLines(DecodeCatalogueText(bytes));
  qsizetype i = 0;
  while (i < all.size() && !all[i].startsWith(u"msgid \"\"")) ++i;
  if (i >= all.size()) return false;
  for (++i; i < all.size() && !all[i].startsWith(u"msgstr \""); ++i) {
  }
  if (i >= all.size()) return false;
  const QString& first = all[i];
  lines << UnescapeCatalogueText(QStringView(first).sliced(8, std::max<qsizetype>(0, first.size() - 9)));
  for (++i; i < all.size() && all[i].startsWith(u'"'); ++i) {
    const QString& line = all[i];
    lines << UnescapeCatalogueText(QStringView(line).sliced(1, std::max<qsizetype>(0, line.size() - 2)));
  }
  return true;
}

bool TLanguages::ReadLanguageInfo(const QString& path, TLanguageInfo& info) {
  info = TLanguageInfo{};
  info.FileName = path;
  info.Code = CodeFromFileName(path);
  if (info.Code.isEmpty()) return false;
  QStringList lines;
  if (!ReadHeaderLines(path, lines)) return false;

  const std::pair<QStringView, QString TLanguageInfo::*> fields[] = {
      {u"Language:", &TLanguageInfo::Language},
      {u"X-Language-Name:", &TLanguageInfo::LanguageName},
      {u"X-Language-Name-Native:", &TLanguageInfo::LanguageNameNative},
      {u"X-Country:", &TLanguageInfo::Country},
      {u"X-Country-Name:", &TLanguageInfo::CountryName},
      {u"X-Translators:", &TLanguageInfo::Translators},
  };
  for (const QString& line : lines) {
    for (const auto& [prefix, field] : fields) {
      if (!StartsWithTextAscii(line, prefix)) continue;
      QString value = line.sliced(prefix.size());
      // A quoted line holding several fields gives only its first.
      const auto lineEnd = std::find_if(value.cbegin(), value.cend(), [](QChar c) { return c == u'\r' || c == u'\n'; });
      value.truncate(lineEnd - value.cbegin());
      info.*field = TrimBlanks(value);
      break;
    }
  }
  return true;
}

bool TLanguages::CompareLanguages(const TLanguageInfo& a, const TLanguageInfo& b) {
  for (auto field : {&TLanguageInfo::LanguageName, &TLanguageInfo::CountryName, &TLanguageInfo::Code}) {
    const int c = (a.*field).toLower().compare((b.*field).toLower());
    if (c != 0) return c < 0;
  }
  return false;
}

void TLanguages::Scan(const QString& languagesFolder, const QString& flagsFolder) {
  Languages.clear();
  QDir dir(languagesFolder);
  const QStringList names = dir.entryList({QStringLiteral("*.po")}, QDir::Files | QDir::Hidden, QDir::Unsorted);
  for (const QString& name : names) {
    TLanguageInfo info;
    if (!ReadLanguageInfo(dir.filePath(name), info)) continue;
    if (!info.Country.isEmpty()) info.FlagFile = WithSeparator(flagsFolder) + AsciiLower(info.Country) + QStringLiteral(".png");
    Languages.append(info);
  }
  if (Languages.size() >= 2) std::stable_sort(Languages.begin(), Languages.end(), CompareLanguages);
}

QList<TLanguageMenuEntry> TLanguages::BuildMenu() {
  MenuCodes.clear();
  QList<TLanguageMenuEntry> entries;
  auto add = [&](const QString& code, const QString& caption, const QString& flagFile, bool separator) {
    TLanguageMenuEntry entry;
    entry.Tag = int(MenuCodes.size());
    MenuCodes << code;
    entry.Code = code;
    entry.Caption = caption;
    entry.Separator = separator;
    entry.Checked = !separator && SameTextAscii(code, LanguageCode);
    if (!entry.Checked && !flagFile.isEmpty() && QFileInfo::exists(flagFile)) entry.FlagFile = flagFile;
    entries << entry;
  };
  add(kDefault, QStringLiteral("Original (English)"), QString(), false);
  if (!Languages.isEmpty()) {
    add(kAutomatic, QStringLiteral("Autodetect"), QString(), false);
    add(QString(), QStringLiteral("-"), QString(), true);
    for (const TLanguageInfo& info : Languages) add(info.Code, GetMenuCaption(info), info.FlagFile, false);
  }
  return entries;
}

void TLanguages::LanguageItemClick(int tag) const {
  if (tag < 0 || tag >= MenuCodes.size()) return;
  if (OnLanguageSelected) OnLanguageSelected(MenuCodes[tag]);
}

bool TLanguages::FindLanguage(const QString& code, TLanguageInfo& info) const {
  if (SameTextAscii(code, kAutomatic) || SameTextAscii(code, kDefault)) return false;
  for (const TLanguageInfo& language : Languages) {
    if (SameTextAscii(language.Code, code)) {
      info = language;
      return true;
    }
  }
  return false;
}

QString TLanguages::GetMenuCaption(const TLanguageInfo& info) {
  if (info.LanguageName.isEmpty()) return u'[' + info.Code + u']';
  if (info.LanguageNameNative.isEmpty()) return info.LanguageName;
  return info.LanguageName + QStringLiteral(" - ") + info.LanguageNameNative;
}
