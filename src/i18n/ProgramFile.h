#pragma once
// The running executable, with symbolic links resolved. Works before and
// after the application object exists.
#include <QString>

// Full path of the executable.
QString GetProgramFilePath();
// The executable's file name without folder and extension ("digrex").
QString GetProgramBaseName();
