#include "cli/CliOutput.h"

void TCliOutput::Line(const QString& text) {
  Progress_.Clear();
  const QByteArray bytes = text.toUtf8() + LineEnd;
  std::fwrite(bytes.constData(), 1, size_t(bytes.size()), Out_);
}

void TCliOutput::Message(const QString& text) {
  Progress_.Clear();
  std::fflush(Out_);
  const QByteArray bytes = QByteArrayLiteral("digrexsum: ") + text.toUtf8() + '\n';
  std::fwrite(bytes.constData(), 1, size_t(bytes.size()), Err_);
  std::fflush(Err_);
}

bool TCliOutput::Finish() {
  Progress_.Clear();
  return std::fflush(Out_) == 0 && !std::ferror(Out_);
}
