#include "win/com/process_classes.h"

#include <map>
#include <mutex>
#include <new>
#include <utility>

#include "automation/error.h"
#include "win/com/com_object.h"
#include "win/com/error_from_call.h"
#include "win/com/utf16.h"

namespace nimbo::win::com {

namespace {

class ClassFactory final : public ComObject<IClassFactory> {
 public:
  explicit ClassFactory(ProcessClass::Factory factory) : factory_(std::move(factory)) {}

  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    try {
      ComPtr<IUnknown> object = factory_();
      if (!object) return E_UNEXPECTED;
      return object->QueryInterface(iid, out);
    } catch (const std::bad_alloc&) {
      return E_OUTOFMEMORY;
    } catch (...) {
      return E_UNEXPECTED;
    }
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

 private:
  ProcessClass::Factory factory_;
};

// ProgID -> class, for this process. Guarded: a class may be made known on any thread.
std::mutex& TableLock() {
  static std::mutex lock;
  return lock;
}
std::map<std::string, CLSID, std::less<>>& ProgIdTable() {
  static std::map<std::string, CLSID, std::less<>> table;
  return table;
}

void TakeProgId(const std::string& progId, const CLSID& classId) {
  std::lock_guard<std::mutex> hold(TableLock());
  if (!ProgIdTable().emplace(progId, classId).second) {
    throw automation::AutomationError(automation::errors::kInvalidCall,
                                      "The class " + progId + " is already known");
  }
}

void DropProgId(const std::string& progId) {
  std::lock_guard<std::mutex> hold(TableLock());
  ProgIdTable().erase(progId);
}

}  // namespace

ProcessProgId::ProcessProgId(const CLSID& classId, std::string progId)
    : progId_(std::move(progId)) {
  TakeProgId(progId_, classId);
}

ProcessProgId::~ProcessProgId() {
  DropProgId(progId_);
}

ProcessClass::ProcessClass(const CLSID& classId, std::string progId, Factory factory)
    : progId_(std::move(progId)) {
  TakeProgId(progId_, classId);
  ComPtr<IClassFactory> object = ComPtr<IClassFactory>::Adopt(new ClassFactory(std::move(factory)));
  HRESULT result = CoRegisterClassObject(classId, object.Get(), CLSCTX_INPROC_SERVER,
                                         REGCLS_MULTIPLEUSE, &cookie_);
  if (FAILED(result)) {
    DropProgId(progId_);
    throw ErrorFromFailedCall(result, nullptr, nullptr, IID_NULL);
  }
}

ProcessClass::~ProcessClass() {
  CoRevokeClassObject(cookie_);
  DropProgId(progId_);
}

CLSID ClassIdFromProgId(std::string_view progId) {
  {
    std::lock_guard<std::mutex> hold(TableLock());
    auto found = ProgIdTable().find(progId);
    if (found != ProgIdTable().end()) return found->second;
  }
  std::wstring wide = Utf16FromUtf8(progId);
  CLSID classId{};
  HRESULT result = CLSIDFromProgID(wide.c_str(), &classId);
  if (FAILED(result)) throw ErrorFromFailedCall(result, nullptr, nullptr, IID_NULL);
  return classId;
}

ComPtr<IDispatch> CreateObject(std::string_view progId) {
  CLSID classId = ClassIdFromProgId(progId);
  ComPtr<IDispatch> object;
  HRESULT result = CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                    IID_IDispatch, object.PutVoid());
  if (FAILED(result)) throw ErrorFromFailedCall(result, nullptr, nullptr, IID_NULL);
  return object;
}

}  // namespace nimbo::win::com
