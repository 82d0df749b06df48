#include "app/Application.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>

#include "app/FormLogViewer.h"
#include "app/FormMain.h"
#include "app/Icons.h"
#include "i18n/Languages.h"
#include "settings/DataFolder.h"
#include "settings/LanguageChoice.h"
#include "settings/Settings.h"

#ifdef DIGREX_HAVE_DIALOGS
#include "dialogs/FormAbout.h"
#include "dialogs/FormCompare.h"
#include "dialogs/FormCompareFiles.h"
#include "dialogs/FormSaveLog.h"
#include "dialogs/FormSettings.h"
#include "dialogs/FormText.h"
#include "dialogs/ProgramIcon.h"
#endif

TApplicationForms::TApplicationForms() = default;

TApplicationForms::~TApplicationForms() {
  // Children first, each one explicitly; the main window (their parent) last.
  FormSettings.reset();
  FormSaveLog.reset();
  FormCompareFiles.reset();
  FormCompare.reset();
  FormAbout.reset();
  FormLogViewer.reset();
  FormText.reset();
  FormMain.reset();
}

void PrepareEventDispatcher() {
  if (qEnvironmentVariableIsSet("QT_NO_GLIB")) return;  // the user's choice stands
  // Qt takes the GTK theme when asked to, or on the desktops that declare
  // themselves other than KDE; its native dialogs then run on GLib.
  const QByteArray theme = qgetenv("QT_QPA_PLATFORMTHEME").toLower();
  const QByteArray desktop = qgetenv("XDG_CURRENT_DESKTOP").toLower();
  const bool mayUseGtk = theme.contains("gtk") || (theme.isEmpty() && !desktop.isEmpty() && desktop != "kde");
  if (mayUseGtk) {
    const QDir themes(QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/platformthemes"));
    if (!themes.entryList({QStringLiteral("*gtk*")}, QDir::Files).isEmpty()) return;
  }
  qputenv("QT_NO_GLIB", "1");
}

void StartUpBeforeWindows() {
  ResolveDataFolder(QStringLiteral("Storage.ini"), QStringLiteral("Velnor"), QStringLiteral("Digrex"));
  Settings.SetDefaults();
  Settings.LoadFromFile(GetSettingsFilePath());
  if (const std::optional<Qt::LayoutDirection> direction = InitProgramLanguage(Settings, LanguageCatalogue)) {
    QGuiApplication::setLayoutDirection(*direction);
  }
  QApplication::setApplicationName(QStringLiteral("Digrex"));
  SetupIconTheme();
#ifdef DIGREX_HAVE_DIALOGS
  QApplication::setWindowIcon(ProgramIcon());
#endif
  // Names the installed desktop entry, whose icon the desktop then shows for our windows.
  QGuiApplication::setDesktopFileName(QStringLiteral("digrex"));
}

std::unique_ptr<TApplicationForms> CreateForms(TSettings& settings, const QStringList& commandLine) {
  auto forms = std::make_unique<TApplicationForms>();
  forms->FormMain = std::make_unique<TFormMain>(settings, commandLine);
  TFormMain* main = forms->FormMain.get();
  TFormMain::TForms attached;
#ifdef DIGREX_HAVE_DIALOGS
  forms->FormText = std::make_unique<TFormText>(main);
  attached.Text = forms->FormText.get();
#endif
  forms->FormLogViewer = std::make_unique<TFormLogViewer>(settings.LogViewer, main);
  attached.LogViewer = forms->FormLogViewer.get();
#ifdef DIGREX_HAVE_DIALOGS
  forms->FormAbout = std::make_unique<TFormAbout>(main);
  attached.About = forms->FormAbout.get();
  forms->FormCompare = std::make_unique<TFormCompare>(settings, main);
  attached.Compare = forms->FormCompare.get();
  forms->FormCompareFiles = std::make_unique<TFormCompareFiles>(main);
  attached.CompareFiles = forms->FormCompareFiles.get();
  forms->FormSaveLog = std::make_unique<TFormSaveLog>(settings, main);
  attached.SaveLog = forms->FormSaveLog.get();
  forms->FormSettings = std::make_unique<TFormSettings>(settings, main);
  attached.Settings = forms->FormSettings.get();
  QObject::connect(forms->FormSettings.get(), &TFormSettings::SettingsApplied, main,
                   [main] { main->ApplySettings(false); });
#endif
  main->AttachForms(attached);
  return forms;
}

int RunDigrex(QApplication& app, const QStringList& commandLine) {
  StartUpBeforeWindows();
  std::unique_ptr<TApplicationForms> forms = CreateForms(Settings, WithoutLanguageOptions(commandLine));
  // Closing the main window ends the loop, whatever other window is still open.
  QApplication::setQuitOnLastWindowClosed(false);
  QObject::connect(forms->FormMain.get(), &TFormMain::Closed, &app, &QCoreApplication::quit, Qt::QueuedConnection);
  forms->FormMain->show();
  const int result = app.exec();
  Settings.SaveToFile(GetSettingsFilePath());
  forms.reset();
  return result;
}
