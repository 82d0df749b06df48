#include "i18n/Translator.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

#include "i18n/AsciiText.h"
#include "i18n/ResourceStrings.h"

namespace {
// Serves the toolkit's QCoreApplication::translate calls from a PO catalogue.
class TToolkitTranslator : public QTranslator {
 public:
  explicit TToolkitTranslator(TCatalogue catalogue) : Catalogue_(std::move(catalogue)) {}
  QString translate(const char* context, const char* sourceText, const char* disambiguation,
                    int n) const override {
    Q_UNUSED(disambiguation);
    Q_UNUSED(n);
    if (!sourceText) return {};
    return Catalogue_.FindInContext(QString::fromUtf8(context), QString::fromUtf8(sourceText));
  }
  bool isEmpty() const override { return Catalogue_.IsEmpty(); }

 private:
  TCatalogue Catalogue_;
};

// The form-text translator slot and the toolkit's translator.
struct TTranslationSlot {
  std::unique_ptr<TTranslator> Forms;
  std::unique_ptr<QTranslator> Toolkit;
  TFormTextObserver Observer;
};

TTranslationSlot& Slot() {
  static TTranslationSlot slot;
  return slot;
}
}  // namespace

TTranslator::TTranslator(const QString& path) : Catalogue_(path) {}
TTranslator::TTranslator(TCatalogue catalogue) : Catalogue_(std::move(catalogue)) {}

QString TTranslator::TranslateFormText(const QString& key, const QString& text) const {
  if (key.isEmpty()) return text;
  const QString answer = Catalogue_.Translate(key, text);
  return answer.isEmpty() ? text : answer;
}

QString FormTextKey(const QStringList& names) { return AsciiUpper(names.join(u'.')); }

const TTranslator* InstalledTranslator() { return Slot().Forms.get(); }

void SetFormTextObserver(TFormTextObserver observer) { Slot().Observer = std::move(observer); }

QString TranslateFormText(const QString& key, const QString& text) {
  if (Slot().Observer) Slot().Observer(key, text);
  const TTranslator* translator = InstalledTranslator();
  return translator ? translator->TranslateFormText(key, text) : text;
}

void SetupTranslation(const QString& path) {
  Slot().Forms.reset();
  TCatalogue catalogue(path);
  for (int i = 0; i < rs::Count; ++i) {
    const auto id = static_cast<rs::Id>(i);
    SetResourceString(id, catalogue.Translate(QString::fromLatin1(ResourceStringInfo(id).Key), RS(id)));
  }
  // The form translator answers from the same catalogue; reading it twice
  // would give the same entries.
  Slot().Forms = std::make_unique<TTranslator>(std::move(catalogue));
}

bool TranslateToolkitCatalogue(const QString& path) {
  if (!QFileInfo(path).isFile() || !QCoreApplication::instance()) return false;
  TCatalogue catalogue;
  if (!catalogue.LoadFromFile(path)) return false;
  auto translator = std::make_unique<TToolkitTranslator>(std::move(catalogue));
  if (!QCoreApplication::installTranslator(translator.get())) return false;
  Slot().Toolkit = std::move(translator);  // the previous one removes itself when freed
  return true;
}

bool TranslateToolkitFromQt(const QString& code) {
  if (code.isEmpty() || !QCoreApplication::instance()) return false;
  auto translator = std::make_unique<QTranslator>();
  // Qt's catalogues are named after the language with "_" ("qtbase_de", "qtbase_pt_BR");
  // QTranslator::load also tries the shorter names of the code.
  QString name = code;
  name.replace(u'-', u'_');
  const qsizetype dot = name.indexOf(u'.');
  if (dot >= 0) name.truncate(dot);
  if (!translator->load(QStringLiteral("qtbase_") + name, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    return false;
  if (!QCoreApplication::installTranslator(translator.get())) return false;
  Slot().Toolkit = std::move(translator);
  return true;
}

void RemoveTranslations() {
  Slot().Forms.reset();
  Slot().Toolkit.reset();
}

bool GetLanguageCodes(const QStringList& arguments, const QString& langVariable, const QLocale& locale,
                      QString& code, QString& fallback) {
  code.clear();
  fallback.clear();
  for (qsizetype i = 0; i + 1 < arguments.size(); ++i)
    if (arguments[i] == u"--LANG" || arguments[i] == u"--lang") code = arguments[i + 1];
  if (code.isEmpty()) code = langVariable;
  if (code.isEmpty()) {
    const QLocale::Language language = locale.language();
    if (language != QLocale::C && language != QLocale::AnyLanguage) {
      fallback = AsciiLower(QLocale::languageToCode(language));
      const QLocale::Territory territory = locale.territory();
      if (territory != QLocale::AnyTerritory)
        code = fallback + u'_' + AsciiUpper(QLocale::territoryToCode(territory));
    }
  }
  return !code.isEmpty() || !fallback.isEmpty();
}

bool GetLanguageCodes(QString& code, QString& fallback) {
  QStringList arguments;
  if (QCoreApplication::instance()) arguments = QCoreApplication::arguments().mid(1);
  return GetLanguageCodes(arguments, qEnvironmentVariable("LANG"), QLocale::system(), code, fallback);
}
