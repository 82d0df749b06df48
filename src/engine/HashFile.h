#pragma once
// The record of one hashed file and the log of a run.
#include <QString>
#include <memory>
#include <vector>

#include "engine/HashList.h"
#include "util/FileProperties.h"

class THashFile {
 public:
  explicit THashFile(QString fileName) : FileName(std::move(fileName)) {}

  // Fills Properties; EDigrexError "Failed to read file properties" when the entry is missing.
  void ReadProperties();

  int LogIndex = 0;
  const QString FileName;
  QString ErrorText;
  THashList Hashes;
  TFileProperties Properties;
};

using THashFilePtr = std::shared_ptr<THashFile>;

// The log: records in the order started. Records are shared with the worker,
// which may still be writing the current one when the log lets go of it.
class THashFileList {
 public:
  int Count() const { return static_cast<int>(Items_.size()); }
  void Clear() { Items_.clear(); }
  void Add(THashFilePtr record) { Items_.push_back(std::move(record)); }
  THashFile* Items(int index) const { return Items_[static_cast<size_t>(index)].get(); }
  const THashFilePtr& Item(int index) const { return Items_[static_cast<size_t>(index)]; }
  // The record just before the given one; nullptr for the first or an unknown record.
  THashFile* Previous(const THashFile* record) const;

 private:
  std::vector<THashFilePtr> Items_;
};
