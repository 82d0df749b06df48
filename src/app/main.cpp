#include <QApplication>

#include "app/Application.h"
#include "util/PathCodec.h"

int main(int argc, char* argv[]) {
  PrepareEventDispatcher();
  QApplication app(argc, argv);
  // From argv's bytes rather than arguments(), whose decoding loses names that are not
  // UTF-8; the toolkit has removed its own options from argv by now.
  return RunDigrex(app, DecodeArguments(argc, argv));
}
