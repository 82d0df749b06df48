// Renders the main window and the log viewer with sample contents into
// <folder>/mainwindow.png, <folder>/mainwindow-start.png and <folder>/logviewer.png.
// Run on any platform plugin, e.g. QT_QPA_PLATFORM=offscreen app_screenshots docs
// With --lang <code> the windows are translated by Languages/digrex.<code>.po and
// the names end in -<code> (docs/mainwindow-de.png).
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QTimer>
#include <cstdio>

#include "app/Application.h"
#include "app/FormLogViewer.h"
#include "app/FormMain.h"
#include "app/Icons.h"
#include "app/StatusBar.h"
#include "i18n/Languages.h"
#include "i18n/ResourceStrings.h"
#include "settings/LanguageChoice.h"
#include "settings/Settings.h"
#include "support/ScreenshotLanguage.h"
#include "worker/DigrexThread.h"
#include "worker/FileQueue.h"

namespace {

void Settle(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

QString Suffix;  // "-de" with --lang de

bool Save(QWidget& window, const QDir& folder, const char* name) {
  Settle(100);
  QString fileName = QString::fromLatin1(name);
  fileName.insert(fileName.lastIndexOf(u'.'), Suffix);
  const QString path = folder.filePath(fileName);
  const bool ok = window.grab().save(path);
  std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
  return ok;
}

void WaitFinished(TFormMain& form, int files) {
  for (int i = 0; i < 600; ++i) {
    if (form.FileLog.Count() >= files && SharedFileQueue.Count() == 0 && !form.Worker->Busy.load() &&
        form.StatusBar->PanelText(5) == RS(rs::fmain_sstatusfinished)) {
      break;
    }
    Settle(20);
  }
  form.FlushDisplay();
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Digrex"));
  SetupIconTheme();
  QStringList args = QApplication::arguments().mid(1);
  Suffix = ApplyScreenshotLanguage(args);
  const QDir out(!args.isEmpty() ? args.first() : QStringLiteral("."));
  QDir samples(QDir::temp().filePath(QStringLiteral("Digrex samples")));
  samples.mkpath(QStringLiteral("."));
  const struct {
    const char* name;
    int size;
  } files[] = {{"holiday-photos.zip", 3481215}, {"setup-2.4.1.exe", 1228800}, {"notes.txt", 1874}, {"report.pdf", 254310}};
  QStringList paths;
  uint32_t x = 12345;
  for (const auto& f : files) {
    QByteArray data(f.size, Qt::Uninitialized);
    for (auto& c : data) c = static_cast<char>(x = x * 1103515245u + 12345u);
    QFile file(samples.filePath(QString::fromLatin1(f.name)));
    if (file.open(QIODevice::WriteOnly)) file.write(data);
    paths << file.fileName();
  }

  bool ok = true;
  {
    TSettings settings;
    settings.SetDefaults();
    TFormMain start(settings);
    start.show();
    ok &= Save(start, out, "mainwindow-start.png");
  }

  TSettings settings;
  settings.SetDefaults();
  std::unique_ptr<TApplicationForms> windows = CreateForms(settings, {});
  TFormMain& form = *windows->FormMain;
  TFormLogViewer* viewer = windows->FormLogViewer.get();
  form.show();
  Settle(100);
  form.AddPathList(paths);
  WaitFinished(form, static_cast<int>(paths.size()));
  form.AddPathList({samples.filePath(QStringLiteral("missing.iso"))});
  form.SetStatusText(RS(rs::fmain_sstatusfinished));
  ok &= Save(form, out, "mainwindow.png");

  viewer->resize(760, 260);
  viewer->show();
  ok &= Save(*viewer, out, "logviewer.png");
  samples.removeRecursively();
  return ok ? 0 : 1;
}
