#include "cli/DigrexSum.h"

int RunDigrexSum(const QStringList& args, const TCliStreams& streams) {
  TCliOptions options;
  try {
    options = ParseCliOptions(args);
  } catch (const ECliUsageError& e) {
    std::fprintf(streams.Err, "digrexsum: %s\nTry 'digrexsum --help' for more information.\n", e.what());
    return ceUsage;
  }
  if (options.Help || options.Version) {
    const QByteArray text = (options.Help ? CliUsageText() : CliVersionText() + u'\n').toUtf8();
    std::fwrite(text.constData(), 1, size_t(text.size()), streams.Out);
    return std::fflush(streams.Out) == 0 ? ceOk : ceFailed;
  }
  TProgressLine progress(streams.Err, streams.ErrIsTerminal);
  TCliOutput output(streams.Out, streams.Err, progress);
  int status = options.Check ? RunVerifying(options, output) : RunHashing(options, output);
  if (!output.Finish()) {
    output.Message(QStringLiteral("write error"));
    status = ceFailed;
  }
  return status;
}
