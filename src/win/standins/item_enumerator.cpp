#include "win/standins/item_enumerator.h"

#include <new>
#include <utility>

#include "win/com/com_object.h"
#include "win/com/error_to_caller.h"
#include "win/com/variant_conversion.h"

namespace nimbo::win::standins {

namespace {

class ItemEnumerator final : public com::ComObject<IEnumVARIANT> {
 public:
  ItemEnumerator(std::shared_ptr<const EnumeratedItems> items, size_t position)
      : items_(std::move(items)), position_(position) {}

  HRESULT STDMETHODCALLTYPE Next(ULONG count, VARIANT* out, ULONG* fetched) override {
    if (fetched != nullptr) *fetched = 0;
    if (out == nullptr || (count > 1 && fetched == nullptr)) return E_POINTER;
    if (Gone()) return RPC_E_DISCONNECTED;
    ULONG given = 0;
    HRESULT failed = com::GuardCall(nullptr, IID_IEnumVARIANT, [&]() -> HRESULT {
      while (given < count && position_ < items_->items.size()) {
        const automation::ObjectRef& item = items_->items[position_++];
        if (!items_->stillExists(*item)) continue;
        out[given] = com::ToComVariant(items_->wrap(item)).Detach();
        ++given;
      }
      return S_OK;
    });
    if (FAILED(failed)) {
      for (ULONG i = 0; i < given; ++i) VariantClear(&out[i]);
      return failed;
    }
    if (fetched != nullptr) *fetched = given;
    return given == count ? S_OK : S_FALSE;
  }
  // Skips items that still exist, as Next would have handed them out.
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
    if (Gone()) return RPC_E_DISCONNECTED;
    ULONG skipped = 0;
    while (skipped < count && position_ < items_->items.size()) {
      if (items_->stillExists(*items_->items[position_++])) ++skipped;
    }
    return skipped == count ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Reset() override {
    position_ = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** out) override {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    try {
      *out = new ItemEnumerator(items_, position_);
      return S_OK;
    } catch (const std::bad_alloc&) {
      return E_OUTOFMEMORY;
    }
  }

 private:
  bool Gone() const { return items_->ownerGone && *items_->ownerGone; }

  std::shared_ptr<const EnumeratedItems> items_;  // shared with clones
  size_t position_;
};

}  // namespace

com::ComPtr<IUnknown> MakeItemEnumerator(EnumeratedItems items) {
  auto shared = std::make_shared<const EnumeratedItems>(std::move(items));
  return com::ComPtr<IUnknown>::Adopt(new ItemEnumerator(std::move(shared), 0));
}

}  // namespace nimbo::win::standins
