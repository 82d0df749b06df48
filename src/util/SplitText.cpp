#include "util/SplitText.h"

void SplitText(const QString& text, const QString& separators, QStringList& target) {
  qsizetype start = 0;
  for (qsizetype i = 0; i <= text.size(); ++i) {
    if (i == text.size() || separators.contains(text[i])) {
      if (i > start) target.append(text.mid(start, i - start));
      start = i + 1;
    }
  }
}
