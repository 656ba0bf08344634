#include "win/server/registration.h"

#include <olectl.h>

#include "win/com/utf16.h"
#include "win/server/server_ids.h"
#include "win/server/server_module.h"

namespace nimbo::win::server {

namespace {

struct RegisteredClass {
  const CLSID* classId;
  const wchar_t* name;
  bool control;
};

constexpr RegisteredClass kRegisteredClasses[] = {
    {&CLSID_DockControl, L"DockControl", true},
    {&CLSID_Bound, L"Bound", false},
};

std::wstring GuidText(REFGUID guid) {
  wchar_t text[40] = {};
  StringFromGUID2(guid, text, 40);
  return text;
}

std::wstring ProgId(const RegisteredClass& registered) {
  return std::wstring(L"VeskNimboDock17.") + registered.name;
}

std::wstring ClassKey(const RegisteredClass& registered) {
  return L"CLSID\\" + GuidText(*registered.classId);
}

HRESULT WriteValue(const RegistryValue& value) {
  HKEY key = nullptr;
  LONG status = RegCreateKeyExW(HKEY_CLASSES_ROOT, value.key.c_str(), 0, nullptr, 0, KEY_WRITE,
                                nullptr, &key, nullptr);
  if (status != ERROR_SUCCESS) return HRESULT_FROM_WIN32(status);
  status = RegSetValueExW(key, value.name.empty() ? nullptr : value.name.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(value.data.c_str()),
                          static_cast<DWORD>((value.data.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
  return status == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(status);
}

SYSKIND OwnSystemKind() {
  return sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32;
}

}  // namespace

std::vector<RegistryValue> RegistrationValues(const std::wstring& modulePath) {
  const std::wstring library = GuidText(LIBID_VeskNimboDock17);
  const std::wstring version =
      std::to_wstring(kLibraryMajorVersion) + L"." + std::to_wstring(kLibraryMinorVersion);
  std::vector<RegistryValue> values;
  for (const RegisteredClass& registered : kRegisteredClasses) {
    const std::wstring key = ClassKey(registered);
    const std::wstring progId = ProgId(registered);
    values.push_back({key, L"", progId});
    values.push_back({key + L"\\InprocServer32", L"", modulePath});
    values.push_back({key + L"\\InprocServer32", L"ThreadingModel", L"Apartment"});
    values.push_back({key + L"\\ProgID", L"", progId});
    values.push_back({key + L"\\TypeLib", L"", library});
    values.push_back({key + L"\\Version", L"", version});
    if (registered.control) {
      values.push_back({key + L"\\Control", L"", L""});
      values.push_back({key + L"\\MiscStatus", L"", L"0"});
      values.push_back({key + L"\\MiscStatus\\1", L"", std::to_wstring(kDockControlMiscStatus)});
    }
    values.push_back({progId, L"", progId});
    values.push_back({progId + L"\\CLSID", L"", GuidText(*registered.classId)});
  }
  return values;
}

std::vector<std::wstring> RegistrationKeys() {
  std::vector<std::wstring> keys;
  for (const RegisteredClass& registered : kRegisteredClasses) {
    keys.push_back(ClassKey(registered));
    keys.push_back(ProgId(registered));
  }
  return keys;
}

HRESULT RegisterServer() {
  HRESULT result = S_OK;
  try {
    const std::wstring path = ModulePath();
    for (const RegistryValue& value : RegistrationValues(path)) {
      result = WriteValue(value);
      if (FAILED(result)) break;
    }
    if (SUCCEEDED(result)) {
      // The folder of the file is the help folder: the library has no help file of its own.
      std::wstring file = path;
      std::wstring folder = path.substr(0, path.find_last_of(L"\\/") + 1);
      result = RegisterTypeLib(ServerTypeLibrary().Get(), file.data(), folder.data());
    }
  } catch (...) {
    result = SELFREG_E_CLASS;
  }
  if (FAILED(result)) UnregisterServer();
  return result;
}

HRESULT UnregisterServer() {
  HRESULT result = S_OK;
  for (const std::wstring& key : RegistrationKeys()) {
    LONG status = RegDeleteTreeW(HKEY_CLASSES_ROOT, key.c_str());
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) {
      result = HRESULT_FROM_WIN32(status);
    }
  }
  HRESULT library = UnRegisterTypeLib(LIBID_VeskNimboDock17, kLibraryMajorVersion,
                                      kLibraryMinorVersion, LOCALE_NEUTRAL, OwnSystemKind());
  // A library that was never registered (or already taken away) is not a failure.
  if (FAILED(library) && library != TYPE_E_REGISTRYACCESS && library != TYPE_E_CANTLOADLIBRARY &&
      library != HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND)) {
    result = library;
  }
  return result;
}

}  // namespace nimbo::win::server
