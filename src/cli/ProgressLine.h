#pragma once
// The progress line on a terminal's standard error: file, percentage and
// speed, redrawn in place a few times a second once the work has taken more
// than a second. Disabled, it does nothing at all.
#include <QElapsedTimer>
#include <QString>
#include <cstdint>
#include <cstdio>

class TProgressLine {
 public:
  static constexpr int64_t ShowAfterMs = 1000;
  static constexpr int64_t RedrawEveryMs = 200;

  TProgressLine(FILE* stream, bool enabled, int64_t showAfterMs = ShowAfterMs);
  ~TProgressLine();

  void FileStarted(const QString& name);
  // Bytes of the current file read so far and its size (0 when unknown).
  void Advance(uint64_t done, uint64_t total);
  // Takes the line off the screen before other output is written.
  void Clear();

  bool Enabled() const { return Enabled_; }
  bool Visible() const { return Visible_; }

 private:
  void Draw(uint64_t done, uint64_t total);

  FILE* Stream_;
  bool Enabled_;
  int64_t ShowAfterMs_;
  bool Visible_ = false;
  QElapsedTimer Clock_;
  int64_t LastDrawMs_ = -RedrawEveryMs;
  uint64_t FinishedBytes_ = 0;  // of the files before the current one
  uint64_t CurrentBytes_ = 0;
  QString Name_;
};
