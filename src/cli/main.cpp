// digrexsum: hashes files and verifies checksum files from the command line.
// No application object: nothing here needs an event loop, and starting
// without one keeps a run over a single small file short.
#include <QString>
#include <QStringList>
#include <unistd.h>

#include "cli/DigrexSum.h"
#include "util/PathCodec.h"

int main(int argc, char* argv[]) {
  // Names that are not UTF-8 keep their bytes (PathCodec.h).
  const QStringList args = DecodeArguments(argc, argv);
  TCliStreams streams;
  streams.ErrIsTerminal = ::isatty(STDERR_FILENO) == 1;
  return RunDigrexSum(args, streams);
}
