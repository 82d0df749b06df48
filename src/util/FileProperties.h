#pragma once
// Size, times and attributes of one file-system entry.
#include <QString>
#include <cstdint>

// Attribute bits as shown by the attribute letters RHSVDAL.
enum : uint32_t {
  faReadOnly = 0x01,
  faHidden = 0x02,
  faSysFile = 0x04,
  faVolumeId = 0x08,
  faDirectory = 0x10,
  faArchive = 0x20,
  faSymLink = 0x40,
};

// Date-time value: days since 30 December 1899, local time, time of day as the fraction.
using TDateTime = double;

struct TFileProperties {
  int64_t Size = 0;
  TDateTime Created = 0;
  TDateTime Modified = 0;
  uint32_t Attributes = 0;
  bool Valid = false;
};

// Fills info from the entry named by path (links are not followed, so a link
// reports itself); false, with info untouched, when there is no such entry.
bool GetFileProperties(const QString& path, TFileProperties& info);
