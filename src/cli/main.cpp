// digrexsum: hashes files and verifies checksum files from the command line.
#include <QCoreApplication>
#include <unistd.h>

#include "cli/DigrexSum.h"

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  QStringList args = QCoreApplication::arguments();
  args.removeFirst();
  TCliStreams streams;
  streams.ErrIsTerminal = ::isatty(STDERR_FILENO) == 1;
  return RunDigrexSum(args, streams);
}
