#pragma once
// Start-up and shutdown of the desktop program, in this order: data folder,
// settings, language and reading direction, application title, the eight
// windows (main window first), the event loop, the settings written back, the
// windows destroyed.
#include <QStringList>
#include <memory>

class QApplication;
class TFormAbout;
class TFormCompare;
class TFormCompareFiles;
class TFormLogViewer;
class TFormMain;
class TFormSaveLog;
class TFormSettings;
class TFormText;
class TSettings;

// The program's windows, one of each. The secondary windows are children of the
// main window; they are destroyed before it, the main window last.
struct TApplicationForms {
  TApplicationForms();
  ~TApplicationForms();
  TApplicationForms(const TApplicationForms&) = delete;
  TApplicationForms& operator=(const TApplicationForms&) = delete;

  std::unique_ptr<TFormMain> FormMain;
  std::unique_ptr<TFormText> FormText;
  std::unique_ptr<TFormLogViewer> FormLogViewer;
  std::unique_ptr<TFormAbout> FormAbout;
  std::unique_ptr<TFormCompare> FormCompare;
  std::unique_ptr<TFormCompareFiles> FormCompareFiles;
  std::unique_ptr<TFormSaveLog> FormSaveLog;
  std::unique_ptr<TFormSettings> FormSettings;
};

// Before the application object exists: chooses Qt's own event dispatcher over
// GLib's unless Qt may load its GTK platform theme, whose native dialogs need GLib. GLib's wakes the main thread with a system call for every event the
// worker posts, which costs more than hashing a small file; Qt's wakes it once
// until the thread catches up.
void PrepareEventDispatcher();

// Steps before any window exists: data folder, settings, language and direction,
// title and pictures. Needs the application object.
void StartUpBeforeWindows();

// Creates the eight windows in their order and connects them. commandLine: the
// paths the main window queues once it is shown.
std::unique_ptr<TApplicationForms> CreateForms(TSettings& settings, const QStringList& commandLine);

// The whole program: start-up, event loop until the main window closes, shutdown.
// commandLine: the arguments left once the toolkit took its own, program name excluded.
int RunDigrex(QApplication& app, const QStringList& commandLine);
