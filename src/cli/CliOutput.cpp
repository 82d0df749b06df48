#include "cli/CliOutput.h"

#include "util/PathCodec.h"

void TCliOutput::Line(const QString& text) {
  Progress_.Clear();
  // File names go out as the bytes they came in as.
  const QByteArray bytes = EncodePath(text) + LineEnd;
  std::fwrite(bytes.constData(), 1, size_t(bytes.size()), Out_);
}

void TCliOutput::Message(const QString& text) {
  Progress_.Clear();
  std::fflush(Out_);
  const QByteArray bytes = QByteArrayLiteral("digrexsum: ") + EncodePath(text) + '\n';
  std::fwrite(bytes.constData(), 1, size_t(bytes.size()), Err_);
  std::fflush(Err_);
}

bool TCliOutput::Finish() {
  Progress_.Clear();
  return std::fflush(Out_) == 0 && !std::ferror(Out_);
}
