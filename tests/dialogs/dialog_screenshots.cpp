// Renders every secondary window with sample contents into <folder>/dialog-<name>.png.
// Run on any platform plugin, e.g. QT_QPA_PLATFORM=offscreen dialog_screenshots docs
// With --lang <code> the windows are translated by Languages/digrex.<code>.po and
// the names end in -<code> (dialog-about-de.png).
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTimer>
#include <QEventLoop>
#include <cstdio>

#include "dialogs/FormAbout.h"
#include "dialogs/FormCompare.h"
#include "dialogs/FormCompareFiles.h"
#include "dialogs/FormSaveLog.h"
#include "dialogs/FormSettings.h"
#include "dialogs/FormText.h"
#include "dialogs/ProgramIcon.h"
#include "engine/HashFile.h"
#include "i18n/Languages.h"
#include "settings/LanguageChoice.h"
#include "settings/Settings.h"
#include "support/ScreenshotLanguage.h"

namespace {

QString Suffix;  // "-de" with --lang de

bool Save(QWidget& window, const QDir& folder, const char* name) {
  window.show();
  window.activateWindow();
  QEventLoop settle;
  QTimer::singleShot(50, &settle, &QEventLoop::quit);
  settle.exec();
  const QString path = folder.filePath(QStringLiteral("dialog-%1%2.png").arg(QLatin1String(name), Suffix));
  const bool ok = window.grab().save(path);
  std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
  window.hide();
  return ok;
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Digrex"));
  QApplication::setWindowIcon(ProgramIcon());
  QStringList args = QApplication::arguments().mid(1);
  Suffix = ApplyScreenshotLanguage(args);
  const QDir folder(!args.isEmpty() ? args.first() : QStringLiteral("."));
  TSettings settings;
  settings.SetDefaults();
  bool ok = true;

  {
    settings.VerifyFormat = vfSUM;
    settings.HashType = htMD5;
    settings.FileName = QStringLiteral("/home/user/Downloads/checksums.md5sum");
    TFormSaveLog form(settings);
    ok &= Save(form, folder, "savelog");
  }
  {
    const QString sha1 = QStringLiteral("a9993e364706816aba3e25717850c26c9cd0d89d");
    TFormCompare form(settings);
    form.AvailableHashes.SetHash(htMD5, QStringLiteral("900150983cd24fb0d6963f7d28e17f72"));
    form.AvailableHashes.SetHash(htSHA1, sha1);
    QGuiApplication::clipboard()->setText(sha1.toUpper() + QStringLiteral("\r\n"));
    form.CompareDigest(htSHA1, sha1);
    ok &= Save(form, folder, "compare-match");
    QGuiApplication::clipboard()->clear();
    form.EditHashUser->setText(QStringLiteral("900150983cd24fb0d6963f7d28e17f73"));
    form.CompareDigest(htMD5, QStringLiteral("900150983cd24fb0d6963f7d28e17f72"));
    ok &= Save(form, folder, "compare-mismatch");
  }
  {
    THashFile a(QStringLiteral("/home/user/Downloads/debian-12.iso"));
    THashFile b(QStringLiteral("/media/usb/debian-12.iso"));
    a.Hashes.SetHash(htCRC32, QStringLiteral("352441C2"));
    b.Hashes.SetHash(htCRC32, QStringLiteral("352441C2"));
    a.Hashes.SetHash(htMD5, QStringLiteral("900150983cd24fb0d6963f7d28e17f72"));
    b.Hashes.SetHash(htMD5, QStringLiteral("d41d8cd98f00b204e9800998ecf8427e"));
    TFormCompareFiles form;
    form.CompareFiles(a, b);
    ok &= Save(form, folder, "comparefiles");
  }
  {
    TFormText form;
    form.MemoText->setPlainText(QStringLiteral("The quick brown fox\njumps over the lazy dog.\nCaf\u00e9"));
    ok &= Save(form, folder, "text");
  }
  {
    settings.UpperCaseHash = true;
    settings.MainForm.Remember = true;
    TFormSettings form(settings);
    ok &= Save(form, folder, "settings");
  }
  {
    TFormAbout form;
    ok &= Save(form, folder, "about");
  }
  return ok ? 0 : 1;
}
