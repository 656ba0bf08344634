#include "win/com/table_dispatch.h"

#include <new>
#include <utility>

#include "win/com/error_to_caller.h"
#include "win/com/server_arguments.h"
#include "win/com/snapshot_enumerator.h"
#include "win/com/utf16.h"
#include "win/com/variant_conversion.h"

namespace nimbo::win::com {

namespace {
// Answered by QueryInterface alone, so that an object of ours passed back in by a client
// can be told from any other and unwrapped; never leaves the process.
// {5d0c4b0e-93a7-4f5e-8a61-2f0be6c1d4a9}
constexpr IID kTableDispatchSelf = {
    0x5d0c4b0e, 0x93a7, 0x4f5e, {0x8a, 0x61, 0x2f, 0x0b, 0xe6, 0xc1, 0xd4, 0xa9}};
}  // namespace

ComPtr<TableDispatch> TableDispatch::Create(DispatchDescription description) {
  return ComPtr<TableDispatch>::Adopt(new TableDispatch(std::move(description)));
}

TableDispatch::TableDispatch(DispatchDescription description)
    : description_(std::move(description)) {
  for (const DispatchMember& member : description_.members) {
    wideNames_.push_back(Utf16FromUtf8(member.name));
  }
  if (description_.eventInterface != IID_NULL) {
    point_ =
        ConnectionPoint::Create(description_.eventInterface, this, description_.connectionHooks);
  }
}

TableDispatch::~TableDispatch() {
  if (point_) point_->DetachContainer();
}

void TableDispatch::Fire(DISPID id, std::span<const automation::Variant> arguments) {
  if (point_ && Connected()) point_->Fire(id, arguments);
}

void TableDispatch::FireAt(DWORD cookie, DISPID id,
                           std::span<const automation::Variant> arguments) {
  if (point_ && Connected()) point_->FireAt(cookie, id, arguments);
}

TableDispatch* TableDispatch::Of(IDispatch* dispatch) {
  if (dispatch == nullptr) return nullptr;
  void* self = nullptr;
  if (FAILED(dispatch->QueryInterface(kTableDispatchSelf, &self)) || self == nullptr) {
    return nullptr;
  }
  auto* object = static_cast<TableDispatch*>(static_cast<IDispatch*>(self));
  object->Release();  // the caller's reference on `dispatch` keeps it
  return object;
}

automation::ObjectRef TableDispatch::InnerOf(IDispatch* dispatch) {
  TableDispatch* object = Of(dispatch);
  return object != nullptr ? object->description_.inner : nullptr;
}

void TableDispatch::Disconnect() {
  connected_ = false;
  if (point_) point_->DropAll();
}

const DispatchMember* TableDispatch::Find(DISPID id) const {
  for (const DispatchMember& member : description_.members) {
    if (member.id == id) return &member;
  }
  return nullptr;
}

HRESULT TableDispatch::QueryInterface(REFIID iid, void** out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (iid == IID_IUnknown || iid == IID_IDispatch || iid == kTableDispatchSelf ||
      (iid == description_.interfaceId && iid != IID_NULL)) {
    *out = static_cast<IDispatch*>(this);
  } else if (iid == IID_ISupportErrorInfo) {
    *out = static_cast<ISupportErrorInfo*>(this);
  } else if ((iid == IID_IProvideClassInfo || iid == IID_IProvideClassInfo2) &&
             description_.classInfo) {
    *out = static_cast<IProvideClassInfo2*>(this);
  } else if (iid == IID_IConnectionPointContainer && point_) {
    *out = static_cast<IConnectionPointContainer*>(this);
  } else if (void* other =
                 description_.otherInterface ? description_.otherInterface(iid) : nullptr) {
    *out = other;
  } else {
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

ULONG TableDispatch::Release() {
  ULONG left = references_.Drop();
  if (left == 0) delete this;
  return left;
}

HRESULT TableDispatch::GetTypeInfoCount(UINT* count) {
  if (count == nullptr) return E_POINTER;
  *count = description_.typeInfo ? 1 : 0;
  return S_OK;
}

HRESULT TableDispatch::GetTypeInfo(UINT index, LCID, ITypeInfo** out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (index != 0 || !description_.typeInfo) return DISP_E_BADINDEX;
  *out = ComPtr<ITypeInfo>(description_.typeInfo).Detach();
  return S_OK;
}

HRESULT TableDispatch::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
  if (count == 0) return S_OK;
  if (names == nullptr || ids == nullptr) return E_POINTER;
  // Only members are named here; argument names (names[1..]) are not known.
  for (UINT n = 0; n < count; ++n) ids[n] = DISPID_UNKNOWN;
  for (size_t m = 0; m < wideNames_.size(); ++m) {
    if (names[0] != nullptr && _wcsicmp(names[0], wideNames_[m].c_str()) == 0) {
      ids[0] = description_.members[m].id;
    }
  }
  return ids[0] != DISPID_UNKNOWN && count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
}

HRESULT TableDispatch::Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params,
                              VARIANT* result, EXCEPINFO* info, UINT* badArgument) {
  if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
  if (!Connected()) return RPC_E_DISCONNECTED;
  if (params == nullptr) return E_POINTER;
  if (badArgument != nullptr) *badArgument = 0;
  const DispatchMember* member = Find(id);
  const bool put = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
  const bool call = (flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET)) != 0;
  if (member == nullptr && !description_.otherMember) return DISP_E_MEMBERNOTFOUND;
  if (member != nullptr && !(put ? static_cast<bool>(member->put)
                                 : call && (static_cast<bool>(member->handler) ||
                                            static_cast<bool>(member->enumerate)))) {
    return DISP_E_MEMBERNOTFOUND;
  }
  if (member == nullptr && !call) return DISP_E_MEMBERNOTFOUND;
  if (result != nullptr) VariantInit(result);
  ComPtr<IDispatch> keep(this);  // a handler may drop the caller's last reference
  const IID& reported =
      description_.interfaceId != IID_NULL ? description_.interfaceId : IID_IDispatch;
  if (member != nullptr && member->enumerate && !put) {
    auto enumerate = member->enumerate;
    return GuardCall(info, reported, [&]() -> HRESULT {
      if (params->cArgs != 0) return DISP_E_BADPARAMCOUNT;
      ComPtr<IUnknown> enumerator = enumerate();
      if (result != nullptr) {
        result->vt = VT_UNKNOWN;
        result->punkVal = enumerator.Detach();
      }
      return S_OK;
    });
  }
  // A copy: a handler may disconnect the object, which must not pull its code away.
  DispatchMember::Handler handler =
      member != nullptr
          ? (put ? member->put : member->handler)
          : [other = description_.otherMember, id](auto values) { return other(id, values); };
  return GuardCall(info, reported, [&]() -> HRESULT {
    ServerArguments arguments(*params);
    automation::Variant value;
    try {
      value = handler(arguments.Values());
    } catch (...) {
      arguments.WriteBack();
      throw;
    }
    arguments.WriteBack();
    if (result != nullptr) *result = ToComVariant(value).Detach();
    return S_OK;
  });
}

HRESULT TableDispatch::InterfaceSupportsErrorInfo(REFIID iid) {
  return iid == IID_IDispatch || (iid == description_.interfaceId && iid != IID_NULL) ? S_OK
                                                                                      : S_FALSE;
}

HRESULT TableDispatch::GetClassInfo(ITypeInfo** out) {
  if (out == nullptr) return E_POINTER;
  *out = ComPtr<ITypeInfo>(description_.classInfo).Detach();
  return *out != nullptr ? S_OK : E_NOTIMPL;
}

HRESULT TableDispatch::GetGUID(DWORD kind, GUID* out) {
  if (out == nullptr) return E_POINTER;
  *out = GUID_NULL;
  if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) return E_INVALIDARG;
  if (description_.eventInterface == IID_NULL) return E_FAIL;
  *out = description_.eventInterface;
  return S_OK;
}

HRESULT TableDispatch::EnumConnectionPoints(IEnumConnectionPoints** out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  try {
    std::vector<IConnectionPoint*> points;
    if (point_) points.push_back(point_.Get());
    *out = SnapshotEnumerator<IEnumConnectionPoints, IConnectionPoint*>::Create(std::move(points))
               .Detach();
    return S_OK;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

HRESULT TableDispatch::FindConnectionPoint(REFIID iid, IConnectionPoint** out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (!point_ || iid != point_->EventInterface()) return CONNECT_E_NOCONNECTION;
  *out = ComPtr<IConnectionPoint>(point_.Get()).Detach();
  return S_OK;
}

}  // namespace nimbo::win::com
