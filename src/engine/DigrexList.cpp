#include "engine/DigrexList.h"

#include "engine/HashList.h"

TDigrexList::TDigrexList() {
  for (int t = FirstHashType; t <= LastHashType; ++t) Digesters_[t] = TDigrex::CreateByType(t);
}

TDigrexList::~TDigrexList() {
  for (auto& digester : Digesters_) digester.reset();
}

void TDigrexList::Init(THashTypes enabled) {
  // Slot 0 has no digester: a stray htNone bit (from an unknown name in the
  // settings) or bits beyond the ten types are dropped rather than followed.
  Enabled_ = enabled & AllHashTypes();
  for (int t = FirstHashType; t <= LastHashType; ++t)
    if (HasHashType(Enabled_, t)) Digesters_[t]->Init();
}

void TDigrexList::Update(const void* data, uint32_t count) {
  for (int t = FirstHashType; t <= LastHashType; ++t)
    if (HasHashType(Enabled_, t)) Digesters_[t]->Update(data, count);
}

void TDigrexList::UpdateString(const QByteArray& text) {
  for (int t = FirstHashType; t <= LastHashType; ++t)
    if (HasHashType(Enabled_, t)) Digesters_[t]->UpdateString(text);
}

void TDigrexList::Final() {
  for (int t = FirstHashType; t <= LastHashType; ++t)
    if (HasHashType(Enabled_, t)) Digesters_[t]->Final();
}

void TDigrexList::GetResults(THashList& target) const {
  for (int t = FirstHashType; t <= LastHashType; ++t)
    if (HasHashType(Enabled_, t)) target.SetHash(t, Digesters_[t]->DigestText());
}
