#include "util/FileProperties.h"
// Placeholder until the helpers land: reports every entry as missing.
bool GetFileProperties(const QString&, TFileProperties&) { return false; }
