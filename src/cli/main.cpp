// digrexsum: hashes files and verifies checksum files from the command line.
// No application object: nothing here needs an event loop, and starting
// without one keeps a run over a single small file short.
#include <QString>
#include <QStringList>
#include <unistd.h>

#include "cli/DigrexSum.h"

int main(int argc, char* argv[]) {
  QStringList args;
  for (int i = 1; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
  TCliStreams streams;
  streams.ErrIsTerminal = ::isatty(STDERR_FILENO) == 1;
  return RunDigrexSum(args, streams);
}
