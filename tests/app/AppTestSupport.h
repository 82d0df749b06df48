#pragma once
// Shared pieces of the main-window tests: a window with its own settings and log
// viewer, and a worker that is stopped so that tests can play its events.
#include <QCoreApplication>
#include <QTemporaryDir>
#include <memory>

#include "app/FormLogViewer.h"
#include "app/FormMain.h"
#include "settings/Settings.h"
#include "worker/DigrexThread.h"

struct TTestWindow {
  explicit TTestWindow(const QStringList& commandLine = QStringList(), bool liveWorker = true) {
    settings.SetDefaults();
    form = std::make_unique<TFormMain>(settings, commandLine);
    logViewer = new TFormLogViewer(settings.LogViewer, form.get());
    TFormMain::TForms forms;
    forms.LogViewer = logViewer;
    form->AttachForms(forms);
    if (!liveWorker) StopWorker();
  }
  ~TTestWindow() {
    form.reset();
    SharedFileQueue.Clear();
  }

  // No real events from now on; Busy and BytesProcessed are left for the test to set.
  void StopWorker() {
    form->Worker->DetachWindow();
    form->Worker->Terminate();
    form->Worker->WaitFor();
    QCoreApplication::removePostedEvents(form.get(), WM_WORKER_EVENT);
  }

  void Post(TWorkerEventCode code, int64_t value = 0) {
    QCoreApplication::sendEvent(form.get(), std::make_unique<TWorkerEvent>(code, value).get());
  }
  void Post(TWorkerEventCode code, const THashFilePtr& file) {
    TWorkerEvent event(code, file);
    QCoreApplication::sendEvent(form.get(), &event);
  }
  void Post(TWorkerEventCode code, const QString& text) {
    TWorkerEvent event(code, text);
    QCoreApplication::sendEvent(form.get(), &event);
  }

  TSettings settings;
  std::unique_ptr<TFormMain> form;
  TFormLogViewer* logViewer = nullptr;
};
