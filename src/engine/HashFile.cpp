#include "engine/HashFile.h"

#include <algorithm>

#include "engine/Digrex.h"
#include "i18n/ResourceStrings.h"

void THashFile::ReadProperties() {
  TFileProperties read;
  if (!GetFileProperties(FileName, read)) throw EDigrexError(RS(rs::udigrex_sfailedtoreadfileproperties));
  Properties = read;
}

THashFile* THashFileList::Previous(const THashFile* record) const {
  const auto it =
      std::find_if(Items_.begin(), Items_.end(), [record](const THashFilePtr& item) { return item.get() == record; });
  if (it == Items_.end() || it == Items_.begin()) return nullptr;
  return std::prev(it)->get();
}
