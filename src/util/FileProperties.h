#pragma once
// Size, times and attributes of one file-system entry.
#include <QString>
#include <cstdint>

#include "util/DateTime.h"
#include "util/PathCodec.h"

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

struct TFileProperties {
  int64_t Size = 0;
  TDateTime Created = 0;
  TDateTime Modified = 0;
  uint32_t Attributes = 0;
  bool Valid = false;
};

// Fills info from the entry named by path (in the form of PathCodec.h); false, with info
// untouched, when there is no such entry. The attribute bits are derived: R when the
// permission bits of the class the user falls in (owner, group, other) grant no write, or
// the file system is mounted read-only; H for a name with a leading dot; D for a folder;
// L for a symbolic link; S, V and A stay clear. A symbolic link reports its target's size,
// times and bits plus L; a link whose target is missing is still found, with size 0 and
// the link's own times. Folders report size 0. Created is 0 where the file system keeps no birth time.
bool GetFileProperties(const QString& path, TFileProperties& info);
