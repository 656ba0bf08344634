// A COM object of ours answering IDispatch from a table of members: each a name, a DISPID
// and a handler that takes the arguments as the core's Variants in call order (a
// by-reference one refers to the caller's variable and is written back to it, also when
// the handler fails). What a handler throws reaches the caller as DISP_E_EXCEPTION with
// EXCEPINFO and as the thread's IErrorInfo. Optionally the object is an event source too,
// with one connection point, and describes itself through IProvideClassInfo2.
//
// The stand-ins of the outside parts are such objects, and so are the event sinks that
// the Windows build advises on an outside part's connection point.
#pragma once

#include <windows.h>

#include <ocidl.h>
#include <olectl.h>

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "automation/variant.h"
#include "win/com/com_ptr.h"
#include "win/com/connection_point.h"
#include "win/com/reference_count.h"

namespace nimbo::win::com {

struct DispatchMember {
  std::string name;  // found case-insensitively, as GetIDsOfNames is specified
  DISPID id = DISPID_UNKNOWN;
  using Handler = std::function<automation::Variant(std::span<automation::Variant> arguments)>;
  // A method call or a property get; empty for a property that can only be put.
  Handler handler;
  // Whether `handler` reads a property rather than calling a method, as the type library
  // tells them apart (a call answers to both flags alike).
  bool property = false;
  // A property put, its value last; empty: the member cannot be put.
  Handler put = {};
  // _NewEnum: the enumerator, answered as VT_UNKNOWN (a Variant holds no such value);
  // when set, `handler` is not used.
  std::function<ComPtr<IUnknown>()> enumerate = {};
};

struct DispatchDescription {
  // The interface that QueryInterface answers besides IUnknown and IDispatch (the
  // object's dispinterface, or the event interface a sink implements); IID_NULL for none.
  IID interfaceId = IID_NULL;
  std::vector<DispatchMember> members;
  ComPtr<ITypeInfo> typeInfo;   // what GetTypeInfo answers; may be null
  ComPtr<ITypeInfo> classInfo;  // the coclass, for IProvideClassInfo; null: no such interface
  // Not IID_NULL: the object is a connection point container with one point for it.
  IID eventInterface = IID_NULL;
  // Answers a call of any DISPID not in `members`, for an object that reports such calls
  // itself; when empty they are refused with DISP_E_MEMBERNOTFOUND.
  std::function<automation::Variant(DISPID id, std::span<automation::Variant> arguments)>
      otherMember;
  // The core's object that this one stands for, handed back by InnerOf when a client
  // passes this object in again; may be null.
  automation::ObjectRef inner;
  // Shared by every object of one owner: once it is true, they all answer
  // RPC_E_DISCONNECTED, as Disconnect makes one object do. May be null.
  std::shared_ptr<const bool> ownerGone;
  // Told of each sink advised and unadvised on the connection point (see ConnectionHooks).
  ConnectionHooks connectionHooks;
  // Held for as long as the object lives: a server's count of its live objects.
  std::shared_ptr<const void> lifetime;
  // Interfaces beyond these, implemented elsewhere with the object's identity and count
  // (an OLE control's window interfaces): the pointer for `iid`, or null. May be empty.
  std::function<void*(REFIID iid)> otherInterface;
};

class TableDispatch final : public IDispatch,
                            public ISupportErrorInfo,
                            public IProvideClassInfo2,
                            public IConnectionPointContainer {
 public:
  static ComPtr<TableDispatch> Create(DispatchDescription description);

  // Raises an event through the connection point; see ConnectionPoint::Fire. An object
  // without one raises nothing.
  void Fire(DISPID id, std::span<const automation::Variant> arguments);
  // Raises an event into the one sink of that cookie; see ConnectionPoint::FireAt.
  void FireAt(DWORD cookie, DISPID id, std::span<const automation::Variant> arguments);
  size_t ConnectedSinks() const { return point_ ? point_->Count() : 0; }

  // Cuts the object off from what its handlers use, for an owner that goes while clients
  // may still hold the object: every later call answers RPC_E_DISCONNECTED and the sinks
  // are released.
  void Disconnect();

  // The object that `dispatch` stands for when it is a TableDispatch of this process
  // made with an inner object; null for any other object.
  static automation::ObjectRef InnerOf(IDispatch* dispatch);
  // The TableDispatch behind `dispatch`, or null when it is another object.
  static TableDispatch* Of(IDispatch* dispatch);
  const DispatchDescription& Description() const { return description_; }

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return references_.Add(); }
  ULONG STDMETHODCALLTYPE Release() override;
  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** out) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* info, UINT* badArgument) override;
  // ISupportErrorInfo
  HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override;
  // IProvideClassInfo2
  HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo** out) override;
  // The default source is the event interface; an object without one answers E_FAIL.
  HRESULT STDMETHODCALLTYPE GetGUID(DWORD kind, GUID* out) override;
  // IConnectionPointContainer
  HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** out) override;
  HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** out) override;

 private:
  explicit TableDispatch(DispatchDescription description);
  ~TableDispatch();

  const DispatchMember* Find(DISPID id) const;
  bool Connected() const {
    return connected_ && !(description_.ownerGone && *description_.ownerGone);
  }

  ReferenceCount references_;
  DispatchDescription description_;
  std::vector<std::wstring> wideNames_;  // the members' names, for GetIDsOfNames
  ComPtr<ConnectionPoint> point_;        // null when the object raises no events
  bool connected_ = true;
};

}  // namespace nimbo::win::com
