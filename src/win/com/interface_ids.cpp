#include "win/com/interface_ids.h"

#include <cstring>
#include <map>
#include <mutex>
#include <tuple>

#include "win/com/com_ptr.h"

namespace nimbo::win::com {

namespace {

struct GuidLess {
  bool operator()(const GUID& a, const GUID& b) const {
    return std::tie(a.Data1, a.Data2, a.Data3) < std::tie(b.Data1, b.Data2, b.Data3) ||
           (std::tie(a.Data1, a.Data2, a.Data3) == std::tie(b.Data1, b.Data2, b.Data3) &&
            std::memcmp(a.Data4, b.Data4, sizeof a.Data4) < 0);
  }
};

bool InterfaceOf(IDispatch* object, GUID& guid) {
  UINT count = 0;
  if (FAILED(object->GetTypeInfoCount(&count)) || count == 0) return false;
  ComPtr<ITypeInfo> info;
  if (FAILED(object->GetTypeInfo(0, LOCALE_USER_DEFAULT, info.Put())) || !info) return false;
  TYPEATTR* attributes = nullptr;
  if (FAILED(info->GetTypeAttr(&attributes))) return false;
  guid = attributes->guid;
  info->ReleaseTypeAttr(attributes);
  return guid != GUID_NULL;
}

}  // namespace

std::shared_ptr<MemberIds> MemberIdsOf(IDispatch* object) {
  GUID guid{};
  if (!InterfaceOf(object, guid)) return std::make_shared<MemberIds>();
  static std::mutex guard;
  static std::map<GUID, std::shared_ptr<MemberIds>, GuidLess> tables;
  std::lock_guard lock(guard);
  std::shared_ptr<MemberIds>& table = tables[guid];
  if (!table) table = std::make_shared<MemberIds>();
  return table;
}

}  // namespace nimbo::win::com
