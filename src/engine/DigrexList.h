#pragma once
// One digester of every type, driven together so that one read of the data
// feeds every selected digest.
#include <QByteArray>
#include <array>
#include <memory>

#include "engine/Digrex.h"
#include "engine/HashTypes.h"

class THashList;

class TDigrexList {
 public:
  TDigrexList();
  ~TDigrexList();
  TDigrexList(const TDigrexList&) = delete;
  TDigrexList& operator=(const TDigrexList&) = delete;

  void Init(THashTypes enabled);
  void Update(const void* data, uint32_t count);
  void UpdateString(const QByteArray& text);
  void Final();
  void GetResults(THashList& target) const;

  THashTypes Enabled() const { return Enabled_; }
  // The digester of a type (1 to 10); slot 0 is empty.
  TDigrex* Digester(int type) const { return Digesters_[type].get(); }

 private:
  THashTypes Enabled_ = 0;
  std::array<std::unique_ptr<TDigrex>, HashTypeCount> Digesters_;
};
