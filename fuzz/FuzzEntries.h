#pragma once
// The entry functions behind the fuzz targets. Each feeds one input through a
// parser of outside text exactly as the program reads it, then checks what
// must hold for every input. The libFuzzer executables call them, and so does
// the regression test, which replays the kept corpus and crashing inputs.
#include <cstddef>
#include <cstdint>

#include "util/Exception.h"

// A property that must hold for every input did not.
DIGREX_DECLARE_ERROR(EFuzzInvariant, Exception);

// "Settings.ini": the INI reader, the settings read from it, and the file
// written back, which must read back to the same settings.
void FuzzSettingsIni(const uint8_t* data, size_t size);
// A PO catalogue as the translator loads it, and its lookups.
void FuzzCatalogue(const uint8_t* data, size_t size);
// A PO file's header as the language scan reads it, and installing the file
// as the program's catalogue.
void FuzzLanguageHeader(const uint8_t* data, size_t size);
// A window location text (keys MainForm and LogViewer), and fitting the
// window it describes into a desktop.
void FuzzFormLocation(const uint8_t* data, size_t size);
// "Storage.ini" beside the program: the data folder chosen from it.
void FuzzStorageFile(const uint8_t* data, size_t size);
// A checksum file as `digrexsum -c` reads it.
void FuzzChecksumFile(const uint8_t* data, size_t size);

struct TFuzzTarget {
  const char* Name;  // the folder name below fuzz/corpus and fuzz/regressions
  void (*Run)(const uint8_t* data, size_t size);
};

// Every target, in a fixed order.
inline constexpr TFuzzTarget FuzzTargets[] = {
    {"settings_ini", FuzzSettingsIni},       {"catalogue", FuzzCatalogue},
    {"language_header", FuzzLanguageHeader}, {"form_location", FuzzFormLocation},
    {"storage_file", FuzzStorageFile},       {"checksum_file", FuzzChecksumFile},
};
