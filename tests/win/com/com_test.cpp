// The COM foundation end to end: values through VARIANT and a real IDispatch::Invoke and
// back, late-bound calls with by-reference arguments, and errors in both directions.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "automation/error.h"
#include "fake_server.h"
#include "win/com/bstr.h"
#include "win/com/dispatch_object.h"
#include "win/com/error_from_call.h"
#include "win/com/error_to_caller.h"
#include "win/com/utf16.h"
#include "win/com/variant_conversion.h"

namespace nimbo::win::com {
namespace {

using automation::AutomationError;
using automation::Variant;
namespace errors = automation::errors;

AutomationError Raised(auto&& body) {
  try {
    body();
  } catch (const AutomationError& error) {
    return error;
  }
  ADD_FAILURE() << "no error raised";
  return AutomationError(0, "");
}

TEST(ComVariant, EveryKindRoundTripsThroughVariantAndInvoke) {
  testing::FakeServer server;
  {
    auto object = std::make_shared<DispatchObject>(ComPtr<IDispatch>(&server));
    const std::vector<Variant> values = {
        Variant(),
        Variant(automation::Null{}),
        Variant(int16_t{-7}),
        Variant(int32_t{123456}),
        Variant(2.5),
        Variant("Stra\xc3\x9f"
                "e \xe2\x9c\x93 \xf0\x9f\x98\x80"),
        Variant(""),
        Variant::Bool(true),
        Variant::Bool(false),
        Variant(automation::Missing{}),
        Variant(automation::DoubleArray{1, {10.5, -2, 3}}),
        Variant(automation::DoubleArray{0, {}}),
        Variant(automation::VariantArray{
            -1,
            {Variant("a"), Variant(int16_t{3}),
             Variant(automation::VariantArray{0, {Variant(1.0), Variant()}})}}),
        Variant(automation::ObjectRef())};
    for (const Variant& value : values) {
      SCOPED_TRACE(automation::VarTypeName(value.Type()));
      EXPECT_EQ(FromComVariant(ToComVariant(value).Get()), value);
      EXPECT_EQ(object->Call("Echo", {value}), value);
    }

    // What the outside sees: 16-bit Booleans, the array's own lower bound, the omitted
    // argument, and the same object again.
    EXPECT_EQ(ToComVariant(Variant::Bool(true)).Get().boolVal, VARIANT_TRUE);
    UniqueVariant doubles = ToComVariant(Variant(automation::DoubleArray{1, {1, 2, 3}}));
    LONG lower = 0;
    SafeArrayGetLBound(doubles.Get().parray, 1, &lower);
    EXPECT_EQ(doubles.Get().vt, VT_ARRAY | VT_R8);
    EXPECT_EQ(lower, 1);
    EXPECT_EQ(ToComVariant(Variant(automation::Missing{})).Get().scode, DISP_E_PARAMNOTFOUND);
    Variant echoed = object->Call("Echo", {Variant(automation::ObjectRef(object))});
    EXPECT_EQ(std::dynamic_pointer_cast<DispatchObject>(echoed.AsObject())->Dispatch(), &server);

    // Types the core has no exact match for are widened, or refused with a clear error.
    VARIANT narrow{};
    narrow.vt = VT_UI1;
    narrow.bVal = 200;
    EXPECT_EQ(FromComVariant(narrow), Variant(int16_t{200}));
    narrow.vt = VT_UI4;
    narrow.ulVal = 4000000000u;
    EXPECT_EQ(Raised([&] { FromComVariant(narrow); }).number(), errors::kOverflow);
    narrow.vt = VT_DATE;
    EXPECT_EQ(Raised([&] { FromComVariant(narrow); }).number(), errors::kTypeMismatch);
    SAFEARRAY* codes = SafeArrayCreateVector(VT_I2, 0, 2);
    LONG index = 1;
    SHORT code = 8;
    SafeArrayPutElement(codes, &index, &code);
    VARIANT groupCodes{};
    groupCodes.vt = VT_ARRAY | VT_I2;
    groupCodes.parray = codes;
    EXPECT_EQ(FromComVariant(groupCodes),
              Variant(automation::VariantArray{0, {Variant(int16_t{0}), Variant(int16_t{8})}}));
    VariantClear(&groupCodes);

    // Text from outside comes back unchanged even when it is not well-formed UTF-16.
    const std::wstring loneSurrogate = {L'a', static_cast<wchar_t>(0xD800), L'b'};
    EXPECT_EQ(Utf16FromUtf8(Utf8FromUtf16(loneSurrogate)), loneSurrogate);
    EXPECT_EQ(Raised([] { Utf16FromUtf8("\xc3"); }).number(), errors::kInvalidCall);
  }
  EXPECT_EQ(server.references, 1) << "every reference taken was released";
}

TEST(ComCall, ByNameByDispidAndByReference) {
  testing::FakeServer server;
  {
    DispatchObject object{ComPtr<IDispatch>(&server)};
    EXPECT_EQ(object.Call("Concat", {Variant("left "), Variant("right")}), Variant("left right"));
    EXPECT_EQ(object.Call("Concat", {Variant("a"), Variant("b")}), Variant("ab"));

    std::string name = "Layer 1";
    int32_t count = 41;
    object.Call("Rename", {Variant::Ref(name), Variant::Ref(count)});
    EXPECT_EQ(name, "Layer 1 (renamed)");
    EXPECT_EQ(count, 42);

    object.Put("Caption", Variant("Dock"));
    EXPECT_EQ(object.Get("Caption"), Variant("Dock"));
    std::vector<Variant> none;
    EXPECT_EQ(object.Invoke(5, CallKind::PropertyGet, none), Variant("Dock"));
    EXPECT_EQ(server.nameLookups, 3) << "one lookup per member: Concat, Rename, Caption";

    AutomationError unknown = Raised([&] { object.Call("NoSuchMember"); });
    EXPECT_EQ(unknown.number(), errors::kNotSupported);
    EXPECT_EQ(unknown.description(), errors::StandardDescription(errors::kNotSupported));
  }
  EXPECT_EQ(server.references, 1);
}

TEST(ComError, TravelsBothWaysWithNumberDescriptionAndSource) {
  for (int32_t number :
       {errors::kInvalidCall, errors::kOverflow, errors::kOutOfMemory, errors::kSubscriptOutOfRange,
        errors::kTypeMismatch, errors::kObjectNotSet, errors::kInvalidUseOfNull,
        errors::kNotSupported, errors::kUserCancelled, errors::kCannotCreateObject}) {
    SCOPED_TRACE(number);
    EXCEPINFO info{};
    AutomationError sent = errors::Standard(number, "Sender");
    ASSERT_EQ(ReportErrorToCaller(sent, &info, IID_IDispatch), DISP_E_EXCEPTION);
    AutomationError received = ErrorFromFailedCall(DISP_E_EXCEPTION, &info, nullptr, IID_IDispatch);
    EXPECT_EQ(received.number(), number);
    EXPECT_EQ(received.description(), sent.description());
    EXPECT_EQ(received.source(), "Sender");
  }

  testing::FakeServer server;
  {
    DispatchObject object{ComPtr<IDispatch>(&server)};
    auto fail = [&](int32_t number, bool deferred) {
      return Raised([&] {
        object.Call("Fail", {Variant(number), Variant("Layer is frozen"), Variant::Bool(deferred)});
      });
    };
    AutomationError direct = fail(1001, false);
    EXPECT_EQ(direct.number(), 1001);
    EXPECT_EQ(direct.description(), "Layer is frozen");
    EXPECT_EQ(direct.source(), "FakeServer.Fail");
    AutomationError deferred = fail(0, true);
    EXPECT_EQ(deferred.number(), errors::kObjectNotSet);
    EXPECT_EQ(deferred.description(), "Filled in later");

    // A plain failed HRESULT takes its text from IErrorInfo, which the object vouches for.
    AutomationError refused = Raised([&] { object.Call("Refuse"); });
    EXPECT_EQ(refused.number(), static_cast<int32_t>(E_ACCESSDENIED));
    EXPECT_EQ(refused.description(), "The drawing is locked");
    EXPECT_EQ(refused.source(), "FakeServer.Refuse");
  }
  EXPECT_EQ(server.references, 1);

  // Without a word from the object, the thread's pending error information is stale.
  ReportErrorToCaller(AutomationError(7, "stale", "Old"), nullptr, IID_IDispatch);
  AutomationError plain = ErrorFromFailedCall(0x800A01AD, nullptr, nullptr, IID_IDispatch);
  EXPECT_EQ(plain.number(), errors::kCannotCreateObject);
  EXPECT_EQ(plain.description(), "ActiveX component can't create object");
  EXPECT_EQ(plain.source(), "");
}

}  // namespace
}  // namespace nimbo::win::com
