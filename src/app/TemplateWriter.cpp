#include "app/TemplateWriter.h"

#include <QSet>

#include "app/Application.h"
#include "i18n/AsciiText.h"
#include "i18n/ResourceStrings.h"
#include "i18n/Translator.h"
#include "settings/Settings.h"

namespace {

// Printf-style placeholders that RSFormat fills in; they tell gettext's tools to check them.
bool HasFormatPlaceholder(const QString& text) {
  return text.contains(QStringLiteral("%s")) || text.contains(QStringLiteral("%d"));
}

}  // namespace

QList<TTemplateEntry> CollectTranslatableTexts() {
  QList<TTemplateEntry> entries;
  QSet<QString> seen;
  auto add = [&](const QString& key, const QString& source) {
    // A window translated twice asks again for the same key: the first answer stands.
    if (key.isEmpty() || source.isEmpty() || seen.contains(AsciiUpper(key))) return;
    seen.insert(AsciiUpper(key));
    entries.append({key, source});
  };
  for (int i = 0; i < rs::Count; ++i) {
    const TResourceStringInfo& info = ResourceStringInfo(static_cast<rs::Id>(i));
    add(QString::fromLatin1(info.Key), QString::fromUtf8(info.Source));
  }

  RemoveTranslations();
  SetFormTextObserver(add);
  {
    TSettings settings;
    settings.SetDefaults();
    std::unique_ptr<TApplicationForms> forms = CreateForms(settings, {});
  }
  SetFormTextObserver(nullptr);
  return entries;
}

QString EscapeCatalogueString(const QString& text) {
  QString out;
  out.reserve(text.size() + 8);
  for (const QChar c : text) {
    switch (c.unicode()) {
      case u'\\': out += QStringLiteral("\\\\"); break;
      case u'"': out += QStringLiteral("\\\""); break;
      case u'\n': out += QStringLiteral("\\n"); break;
      case u'\t': out += QStringLiteral("\\t"); break;
      case u'\r': out += QStringLiteral("\\r"); break;
      default: out += c;
    }
  }
  return out;
}

QByteArray FormatTemplate(const QList<TTemplateEntry>& entries) {
  // No creation date and no version: the file changes only when the texts do.
  QString out = QStringLiteral(
      "# Translation template of Digrex: every text of the program with its key.\n"
      "# Generated from the program itself; refresh with: cmake --build build --target pot\n"
      "# A catalogue is a copy named digrex.<code>.po with the msgstr lines filled in\n"
      "# and the header fields below set (X-Country names the flag Flags/<country>.png).\n"
      "msgid \"\"\n"
      "msgstr \"\"\n"
      "\"Project-Id-Version: Digrex\\n\"\n"
      "\"MIME-Version: 1.0\\n\"\n"
      "\"Content-Type: text/plain; charset=UTF-8\\n\"\n"
      "\"Content-Transfer-Encoding: 8bit\\n\"\n"
      "\"Language: \\n\"\n"
      "\"X-Language-Name: \\n\"\n"
      "\"X-Language-Name-Native: \\n\"\n"
      "\"X-Country: \\n\"\n"
      "\"X-Country-Name: \\n\"\n"
      "\"X-Translators: \\n\"\n");
  for (const TTemplateEntry& entry : entries) {
    const QString key = AsciiLower(entry.Key);
    out += QStringLiteral("\n#: ") + key + u'\n';
    if (HasFormatPlaceholder(entry.Source)) out += QStringLiteral("#, c-format\n");
    out += QStringLiteral("msgctxt \"") + EscapeCatalogueString(key) + QStringLiteral("\"\n");
    out += QStringLiteral("msgid \"") + EscapeCatalogueString(entry.Source) + QStringLiteral("\"\n");
    out += QStringLiteral("msgstr \"\"\n");
  }
  return out.toUtf8();
}
