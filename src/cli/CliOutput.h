#pragma once
// Where digrexsum's lines go: results to one stream, messages (prefixed
// "digrexsum: ") to the other, the progress line taken off first.
#include <QByteArray>
#include <QString>
#include <cstdio>

#include "cli/ProgressLine.h"

class TCliOutput {
 public:
  TCliOutput(FILE* out, FILE* err, TProgressLine& progress) : Out_(out), Err_(err), Progress_(progress) {}

  void Line(const QString& text);
  void Message(const QString& text);
  // Flushes the results; false when they could not all be written.
  bool Finish();

  TProgressLine& Progress() { return Progress_; }
  QByteArray LineEnd = "\n";

 private:
  FILE* Out_;
  FILE* Err_;
  TProgressLine& Progress_;
};
