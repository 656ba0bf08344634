// The library's type library and the core's member tables agree: every member of the
// four public interfaces, in order, with its name, DISPID, kind, parameters (name, type,
// by reference or not) and result. A member renamed, renumbered, reordered, added or
// dropped, or a flag changed on one side alone fails here.
#include <gtest/gtest.h>

#include <windows.h>

#include <oleauto.h>

#include <string>
#include <utility>
#include <vector>

#include "geometry/bound_members.h"
#include "geometry/extent_members.h"
#include "overlay/acad_colors_members.h"
#include "server_library.h"
#include "sync/dock_control_members.h"
#include "win/com/utf16.h"
#include "win/server/server_ids.h"

namespace nimbo::win::test {
namespace {

using automation::MemberKind;
using automation::MemberType;

const char* KindText(MemberKind kind) {
  static const char* const texts[] = {"get", "put", "putref", "method"};
  return texts[static_cast<int>(kind)];
}

const char* TypeText(MemberType type) {
  static const char* const texts[] = {"void", "double", "bool", "long", "string", "object"};
  return texts[static_cast<int>(type)];
}

// The same words for the type library's types; anything else is never in the tables.
const char* VarTypeText(VARTYPE type) {
  for (auto [vt, text] :
       {std::pair{VT_VOID, "void"}, std::pair{VT_HRESULT, "void"}, std::pair{VT_R8, "double"},
        std::pair{VT_BOOL, "bool"}, std::pair{VT_I4, "long"}, std::pair{VT_BSTR, "string"},
        std::pair{VT_DISPATCH, "object"}}) {
    if (vt == type) return text;
  }
  return "unexpected";
}

// "name id kind (parameter type &, ...) -> result"; parameter names for methods only (a
// property's get and put share their DISPID, which names only the get's).
template <class Self>
std::vector<std::string> TableLines(const automation::MemberTable<Self>& table) {
  std::vector<std::string> lines;
  for (const auto& member : table) {
    const automation::MemberSignature& s = member.signature;
    std::string line = s.name + " " + std::to_string(s.dispid) + " " + KindText(s.kind) + " (";
    for (const automation::MemberParameter& p : s.parameters) {
      if (&p != &s.parameters.front()) line += ", ";
      if (s.kind == MemberKind::Method) line += p.name + " ";
      line += std::string(TypeText(p.type)) + (p.byReference ? " &" : "");
    }
    lines.push_back(line + ") -> " + TypeText(s.result));
  }
  return lines;
}

std::vector<std::string> TypeInfoLines(ITypeLib* library, REFGUID interfaceId) {
  com::ComPtr<ITypeInfo> info;
  EXPECT_EQ(library->GetTypeInfoOfGuid(interfaceId, info.Put()), S_OK);
  std::vector<std::string> lines;
  if (!info) return lines;
  TYPEATTR* attributes = nullptr;
  info->GetTypeAttr(&attributes);
  EXPECT_EQ(attributes->typekind, TKIND_DISPATCH);
  for (UINT i = 0; i < attributes->cFuncs; ++i) {
    FUNCDESC* f = nullptr;
    info->GetFuncDesc(i, &f);
    BSTR names[16] = {};
    UINT count = 0;
    info->GetNames(f->memid, names, 16, &count);
    const MemberKind kind = f->invkind == INVOKE_PROPERTYGET      ? MemberKind::PropertyGet
                            : f->invkind == INVOKE_PROPERTYPUT    ? MemberKind::PropertyPut
                            : f->invkind == INVOKE_PROPERTYPUTREF ? MemberKind::PropertyPutRef
                                                                  : MemberKind::Method;
    std::string line =
        com::Utf8FromUtf16(names[0]) + " " + std::to_string(f->memid) + " " + KindText(kind) + " (";
    for (SHORT p = 0; p < f->cParams; ++p) {
      const ELEMDESC& e = f->lprgelemdescParam[p];
      const bool byReference = e.tdesc.vt == VT_PTR;
      const USHORT flags = e.paramdesc.wParamFlags;
      if (p > 0) line += ", ";
      // A by-reference parameter is in and out; a by-value one is in only.
      EXPECT_EQ(flags & (PARAMFLAG_FIN | PARAMFLAG_FOUT),
                byReference ? PARAMFLAG_FIN | PARAMFLAG_FOUT : PARAMFLAG_FIN)
          << line;
      if (kind == MemberKind::Method) {
        line += (static_cast<UINT>(p + 1) < count ? com::Utf8FromUtf16(names[p + 1]) : "?") + " ";
      }
      line += std::string(VarTypeText(byReference ? e.tdesc.lptdesc->vt : e.tdesc.vt)) +
              (byReference ? " &" : "");
    }
    lines.push_back(line + ") -> " + VarTypeText(f->elemdescFunc.tdesc.vt));
    for (UINT n = 0; n < count; ++n) SysFreeString(names[n]);
    info->ReleaseFuncDesc(f);
  }
  info->ReleaseTypeAttr(attributes);
  return lines;
}

TEST(ServerTypeLibrary, EveryPublicInterfaceListsExactlyItsCoreTable) {
  com::ComPtr<ITypeLib> library;
  ASSERT_EQ(LoadTypeLibEx(ServerPath().c_str(), REGKIND_NONE, library.Put()), S_OK);
  EXPECT_EQ(TypeInfoLines(library.Get(), DIID__Bound), TableLines(geometry::BoundMembers()));
  EXPECT_EQ(TypeInfoLines(library.Get(), DIID__Extent), TableLines(geometry::ExtentMembers()));
  EXPECT_EQ(TypeInfoLines(library.Get(), DIID__AcadColors),
            TableLines(overlay::AcadColorsMembers()));
  EXPECT_EQ(TypeInfoLines(library.Get(), DIID__DockControl),
            TableLines(sync::DockControlMembers()));
  EXPECT_TRUE(TypeInfoLines(library.Get(), DIID___DockControl).empty());

  // The classes: which interface is the default, which is the source, who may create.
  auto classLine = [&](REFGUID classId) {
    com::ComPtr<ITypeInfo> info;
    EXPECT_EQ(library->GetTypeInfoOfGuid(classId, info.Put()), S_OK);
    TYPEATTR* attributes = nullptr;
    info->GetTypeAttr(&attributes);
    std::string line = (attributes->wTypeFlags & TYPEFLAG_FCANCREATE) ? "creatable" : "not";
    if (attributes->wTypeFlags & TYPEFLAG_FCONTROL) line += " control";
    for (UINT i = 0; i < attributes->cImplTypes; ++i) {
      HREFTYPE reference = 0;
      INT flags = 0;
      com::ComPtr<ITypeInfo> implemented;
      info->GetRefTypeOfImplType(i, &reference);
      info->GetImplTypeFlags(i, &flags);
      info->GetRefTypeInfo(reference, implemented.Put());
      BSTR name = nullptr;
      implemented->GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr);
      line += " " + com::Utf8FromUtf16(name) + ((flags & IMPLTYPEFLAG_FSOURCE) ? " source" : "");
      SysFreeString(name);
    }
    info->ReleaseTypeAttr(attributes);
    return line;
  };
  EXPECT_EQ(classLine(CLSID_DockControl), "creatable control _DockControl __DockControl source");
  EXPECT_EQ(classLine(CLSID_Bound), "creatable _Bound");
  EXPECT_EQ(classLine(CLSID_Extent), "not _Extent");
  EXPECT_EQ(classLine(CLSID_AcadColors), "not _AcadColors");
}

}  // namespace
}  // namespace nimbo::win::test
