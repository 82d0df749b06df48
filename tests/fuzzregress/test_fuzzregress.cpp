// Every kept fuzz input, seed or former crash, runs clean through its reader.
#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <string>

#include "fuzz/FuzzEntries.h"

namespace {

struct TInput {
  QString Path;
  QByteArray Bytes;
};

QList<TInput> InputsOf(const QString& target) {
  QList<TInput> inputs;
  for (const char* kind : {"corpus", "regressions"}) {
    const QString folder = QStringLiteral(DIGREX_FUZZ_DIR "/%1/%2").arg(QLatin1String(kind), target);
    QDirIterator it(folder, QDir::Files | QDir::Hidden);
    while (it.hasNext()) {
      QFile file(it.next());
      if (file.open(QIODevice::ReadOnly)) inputs.append({file.fileName(), file.readAll()});
      else ADD_FAILURE() << "cannot read " << file.fileName().toStdString();
    }
  }
  return inputs;
}

class FuzzInputs : public ::testing::TestWithParam<TFuzzTarget> {};

TEST_P(FuzzInputs, RunClean) {
  const TFuzzTarget target = GetParam();
  const QList<TInput> inputs = InputsOf(QString::fromLatin1(target.Name));
  // Every target keeps a seed corpus; an empty list means the folders moved.
  ASSERT_FALSE(inputs.isEmpty()) << "no inputs for " << target.Name;
  for (const TInput& input : inputs) {
    SCOPED_TRACE(input.Path.toStdString());
    try {
      target.Run(reinterpret_cast<const uint8_t*>(input.Bytes.constData()), size_t(input.Bytes.size()));
    } catch (const std::exception& e) {
      ADD_FAILURE() << e.what();
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzInputs, ::testing::ValuesIn(FuzzTargets),
                         [](const ::testing::TestParamInfo<TFuzzTarget>& info) { return std::string(info.param.Name); });

}  // namespace
