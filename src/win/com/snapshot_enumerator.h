// IEnumConnections and IEnumConnectionPoints over a copy of the items taken when the
// enumerator was made, as both are specified: later Advise and Unadvise calls do not
// change an enumeration in progress. Each item handed out carries its own reference.
#pragma once

#include <windows.h>

#include <ocidl.h>

#include <algorithm>
#include <new>
#include <vector>

#include "win/com/com_object.h"
#include "win/com/com_ptr.h"

namespace nimbo::win::com {

inline void AddItemReference(CONNECTDATA& item) {
  if (item.pUnk != nullptr) item.pUnk->AddRef();
}
inline void DropItemReference(CONNECTDATA& item) {
  if (item.pUnk != nullptr) item.pUnk->Release();
}
inline void AddItemReference(IConnectionPoint* item) {
  item->AddRef();
}
inline void DropItemReference(IConnectionPoint* item) {
  item->Release();
}

template <class Enum, class Item>
class SnapshotEnumerator final : public ComObject<Enum> {
 public:
  // Takes a reference of its own on every item.
  static ComPtr<Enum> Create(std::vector<Item> items, ULONG position = 0) {
    return ComPtr<Enum>::Adopt(new SnapshotEnumerator(std::move(items), position));
  }

  HRESULT STDMETHODCALLTYPE Next(ULONG count, Item* out, ULONG* fetched) override {
    if (out == nullptr || (count > 1 && fetched == nullptr)) return E_POINTER;
    ULONG given = 0;
    while (given < count && position_ < items_.size()) {
      out[given] = items_[position_++];
      AddItemReference(out[given++]);
    }
    if (fetched != nullptr) *fetched = given;
    return given == count ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
    ULONG left = static_cast<ULONG>(items_.size()) - position_;
    position_ += std::min(count, left);
    return count <= left ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Reset() override {
    position_ = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Clone(Enum** out) override {
    if (out == nullptr) return E_POINTER;
    try {
      *out = Create(items_, position_).Detach();
      return S_OK;
    } catch (const std::bad_alloc&) {
      *out = nullptr;
      return E_OUTOFMEMORY;
    }
  }

 private:
  SnapshotEnumerator(std::vector<Item> items, ULONG position)
      : items_(std::move(items)), position_(position) {
    for (Item& item : items_) AddItemReference(item);
  }
  ~SnapshotEnumerator() override {
    for (Item& item : items_) DropItemReference(item);
  }

  std::vector<Item> items_;  // each holds a reference of this enumerator's
  ULONG position_;
};

}  // namespace nimbo::win::com
