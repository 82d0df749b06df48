#pragma once
// The translation template (Languages/Digrex.pot): every resource string and
// every form text of the eight windows, each with its key and English text.
//
// Form texts are collected by building the real windows untranslated and
// watching what they ask TranslateFormText for, so the template holds exactly
// the keys the running program looks up, including those that windows
// translate themselves (list columns, the Save Log button's own hint).
#include <QByteArray>
#include <QList>
#include <QString>

struct TTemplateEntry {
  QString Key;     // "fmain.sstatusfinished" or "TFORMMAIN.ACTIONADDFILES.CAPTION"
  QString Source;  // the English text
};

// The resource strings in their declared order, then the form texts in the
// order the windows are created and ask for them; each key once. Needs the
// application object; installs no translation.
QList<TTemplateEntry> CollectTranslatableTexts();

// The template file's content: a header entry without dates, then one entry per
// text with the key (lower case) as reference and context.
QByteArray FormatTemplate(const QList<TTemplateEntry>& entries);

// Text in PO string form, without the surrounding quotes.
QString EscapeCatalogueString(const QString& text);
