// The container's eighth member is reached through the vtable of its interface: a
// container of ours with eight members after IDispatch's records which one was called.
#include "win/host/com_dock_container.h"

#include <gtest/gtest.h>

#include <vector>

#include "automation/error.h"
#include "win/com/com_ptr.h"
#include "win/com/reference_count.h"

namespace nimbo::win::host {
namespace {

class RecordingContainer final : public IDispatch {
 public:
  std::vector<std::pair<int, LONG>> calls;
  HRESULT answer = S_OK;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (iid != IID_IUnknown && iid != IID_IDispatch && iid != kDockContainerInterface) {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    *out = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return references_.Add(); }
  ULONG STDMETHODCALLTYPE Release() override { return references_.Drop(); }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return E_NOTIMPL;
  }
  virtual HRESULT STDMETHODCALLTYPE Member1(LONG v) { return Record(1, v); }
  virtual HRESULT STDMETHODCALLTYPE Member2(LONG v) { return Record(2, v); }
  virtual HRESULT STDMETHODCALLTYPE Member3(LONG v) { return Record(3, v); }
  virtual HRESULT STDMETHODCALLTYPE Member4(LONG v) { return Record(4, v); }
  virtual HRESULT STDMETHODCALLTYPE Member5(LONG v) { return Record(5, v); }
  virtual HRESULT STDMETHODCALLTYPE Member6(LONG v) { return Record(6, v); }
  virtual HRESULT STDMETHODCALLTYPE Member7(LONG v) { return Record(7, v); }
  virtual HRESULT STDMETHODCALLTYPE Member8(LONG v) { return Record(8, v); }

 private:
  HRESULT Record(int member, LONG value) {
    calls.emplace_back(member, value);
    return answer;
  }
  com::ReferenceCount references_;
};

TEST(ComDockContainerTest, CallsTheEighthMemberAfterDispatchAndRaisesWhatItAnswers) {
  RecordingContainer container;
  {
    ComDockContainer adapter{com::ComPtr<IUnknown>(static_cast<IDispatch*>(&container))};
    adapter.Member8(20480);
    ASSERT_EQ(container.calls.size(), 1U);
    EXPECT_EQ(container.calls[0], std::make_pair(8, LONG{20480}));

    container.answer = E_ACCESSDENIED;
    try {
      adapter.Member8(1);
      FAIL() << "a failed member must raise";
    } catch (const automation::AutomationError& error) {
      EXPECT_EQ(error.number(), static_cast<int32_t>(E_ACCESSDENIED));
    }
  }

  // An object that is not the container is refused when it is handed over.
  class Other final : public IUnknown {
   public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
      *out = iid == IID_IUnknown ? this : nullptr;
      return *out != nullptr ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
  } other;
  try {
    ComDockContainer refused{com::ComPtr<IUnknown>(&other)};
    FAIL() << "an object without the container interface must be refused";
  } catch (const automation::AutomationError& error) {
    EXPECT_EQ(error.number(), automation::errors::kTypeMismatch);
  }
}

}  // namespace
}  // namespace nimbo::win::host
