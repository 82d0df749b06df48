#pragma once
// digrexsum as a whole: options in, exit status out. main() only hands over
// the process's arguments and streams.
#include <QStringList>
#include <cstdio>

#include "cli/CliOptions.h"
#include "cli/CliOutput.h"

enum TCliExitCode : int { ceOk = 0, ceFailed = 1, ceUsage = 2 };

struct TCliStreams {
  FILE* Out = stdout;
  FILE* Err = stderr;
  // Standard error is a terminal: the progress line may be shown there.
  bool ErrIsTerminal = false;
};

// args without the program name.
int RunDigrexSum(const QStringList& args, const TCliStreams& streams);

int RunHashing(const TCliOptions& options, TCliOutput& output);
int RunVerifying(const TCliOptions& options, TCliOutput& output);
