// SPDX-License-Identifier: MIT
// The control's identity as a client reads it back: the registered type library field by field, and the
// module's resources (version record, the two interface records, the palette bitmap, the icon).
#include <windows.h>

#include <oleauto.h>
#include <olectl.h>
#include <wrl/client.h>

#include <cstring>
#include <vector>

#include "BrindtSysInfo.h"
#include "ocx_support.h"
#include "wine_test.h"

using Microsoft::WRL::ComPtr;
using ocx_test::Bstr;

namespace {

std::string Text(const std::wstring& text) {
  return wine_test::Narrow(text);
}

ComPtr<ITypeLib> LoadLibraryOfControl() {
  ComPtr<ITypeLib> library;
  // Registered under the library's own locale, 1033.
  const HRESULT hr = LoadRegTypeLib(LIBID_BrindtSysInfo, 1, 0, 1033, &library);
  ok(hr == S_OK, "LoadRegTypeLib: hr %#lx\n", hr);
  return library;
}

void test_library_attributes(ITypeLib* library) {
  TLIBATTR* attr = nullptr;
  HRESULT hr = library->GetLibAttr(&attr);
  ok(hr == S_OK, "GetLibAttr: hr %#lx\n", hr);
  if (!attr) return;
  ok(attr->guid == LIBID_BrindtSysInfo, "library guid %s\n", Text(ocx_test::GuidText(attr->guid)).c_str());
  ok(attr->lcid == 1033, "lcid %lu\n", attr->lcid);
  ok(attr->wMajorVerNum == 1 && attr->wMinorVerNum == 0, "version %u.%u\n", attr->wMajorVerNum, attr->wMinorVerNum);
  // A 64-bit module carries a Win64 library; a 32-bit build would give SYS_WIN32.
  ok(attr->syskind == (sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32), "syskind %d\n", attr->syskind);
  // The loader adds LIBFLAG_FHASDISKIMAGE for a library read from a file.
  ok((attr->wLibFlags & ~LIBFLAG_FHASDISKIMAGE) == LIBFLAG_FCONTROL, "library flags %#x\n", attr->wLibFlags);
  library->ReleaseTLibAttr(attr);

  Bstr name, help;
  hr = library->GetDocumentation(-1, name.put(), help.put(), nullptr, nullptr);
  ok(hr == S_OK, "GetDocumentation: hr %#lx\n", hr);
  ok(name.text() == L"BrindtSysInfo", "library name %s\n", Text(name.text()).c_str());
  ok(help.text() == L"Brindt SysInfo", "help string %s\n", Text(help.text()).c_str());
  // The library knows exactly the three types: the interface, the source interface and the class.
  ok(library->GetTypeInfoCount() == 3, "type count %u\n", library->GetTypeInfoCount());

  // stdole2 is imported: IDispatch, the base of the dual interface, comes from it.
  ComPtr<ITypeInfo> dual;
  library->GetTypeInfoOfGuid(IID__ctlBrindtSysInfo, &dual);
  HREFTYPE base_ref = 0;
  ComPtr<ITypeInfo> base;
  ComPtr<ITypeLib> base_library;
  UINT index = 0xdeadbeef;
  ComPtr<ITypeInfo> dual_interface;
  if (dual && SUCCEEDED(dual->GetRefTypeOfImplType(-1, &base_ref)) &&
      SUCCEEDED(dual->GetRefTypeInfo(base_ref, &dual_interface)) &&
      SUCCEEDED(dual_interface->GetRefTypeOfImplType(0, &base_ref)) &&
      SUCCEEDED(dual_interface->GetRefTypeInfo(base_ref, &base)) &&
      SUCCEEDED(base->GetContainingTypeLib(&base_library, &index))) {
    TLIBATTR* base_attr = nullptr;
    base_library->GetLibAttr(&base_attr);
    ok(base_attr && base_attr->guid == IID_StdOle, "IDispatch comes from %s\n",
       base_attr ? Text(ocx_test::GuidText(base_attr->guid)).c_str() : "nowhere");
    if (base_attr) base_library->ReleaseTLibAttr(base_attr);
  } else {
    ok(false, "the dual interface has no IDispatch base\n");
  }
}

void test_coclass(ITypeLib* library) {
  ComPtr<ITypeInfo> info;
  HRESULT hr = library->GetTypeInfoOfGuid(CLSID_ctlBrindtSysInfo, &info);
  ok(hr == S_OK, "coclass: hr %#lx\n", hr);
  if (!info) return;
  TYPEATTR* attr = nullptr;
  info->GetTypeAttr(&attr);
  ok(attr->typekind == TKIND_COCLASS, "typekind %d\n", attr->typekind);
  ok(attr->wTypeFlags == (TYPEFLAG_FCONTROL | TYPEFLAG_FCANCREATE), "type flags %#x\n", attr->wTypeFlags);
  ok(attr->wMajorVerNum == 1 && attr->wMinorVerNum == 0, "version %u.%u\n", attr->wMajorVerNum, attr->wMinorVerNum);
  ok(attr->cImplTypes == 2, "implemented types %u\n", attr->cImplTypes);
  info->ReleaseTypeAttr(attr);
  Bstr name;
  info->GetDocumentation(MEMBERID_NIL, name.put(), nullptr, nullptr, nullptr);
  ok(name.text() == L"ctlBrindtSysInfo", "class name %s\n", Text(name.text()).c_str());

  // In order: the default interface, then the default source.
  const struct {
    GUID guid;
    INT flags;
  } expected[] = {{IID__ctlBrindtSysInfo, IMPLTYPEFLAG_FDEFAULT},
                  {DIID___ctlBrindtSysInfo, IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE}};
  for (UINT i = 0; i < 2; ++i) {
    INT flags = static_cast<INT>(0xdeadbeef);
    hr = info->GetImplTypeFlags(i, &flags);
    ok(hr == S_OK && flags == expected[i].flags, "impl type %u: hr %#lx flags %#x\n", i, hr, flags);
    HREFTYPE ref = 0;
    ComPtr<ITypeInfo> implemented;
    TYPEATTR* implemented_attr = nullptr;
    if (SUCCEEDED(info->GetRefTypeOfImplType(i, &ref)) && SUCCEEDED(info->GetRefTypeInfo(ref, &implemented)) &&
        SUCCEEDED(implemented->GetTypeAttr(&implemented_attr))) {
      ok(implemented_attr->guid == expected[i].guid, "impl type %u is %s\n", i,
         Text(ocx_test::GuidText(implemented_attr->guid)).c_str());
      implemented->ReleaseTypeAttr(implemented_attr);
    } else {
      ok(false, "impl type %u cannot be read\n", i);
    }
  }
}

void test_default_interface(ITypeLib* library) {
  ComPtr<ITypeInfo> info;
  HRESULT hr = library->GetTypeInfoOfGuid(IID__ctlBrindtSysInfo, &info);
  ok(hr == S_OK, "interface: hr %#lx\n", hr);
  if (!info) return;
  TYPEATTR* attr = nullptr;
  info->GetTypeAttr(&attr);
  // A dual interface is looked up as its dispatch face.
  ok(attr->typekind == TKIND_DISPATCH, "typekind %d\n", attr->typekind);
  const WORD flags =
      TYPEFLAG_FHIDDEN | TYPEFLAG_FDUAL | TYPEFLAG_FNONEXTENSIBLE | TYPEFLAG_FOLEAUTOMATION | TYPEFLAG_FDISPATCHABLE;
  // The dispatch face carries the same flags but for oleautomation, which belongs to the vtable face.
  ok(attr->wTypeFlags == (flags & ~TYPEFLAG_FOLEAUTOMATION), "dispatch face: type flags %#x\n", attr->wTypeFlags);
  ok(attr->cFuncs == 8, "dispatch functions %u (7 of IDispatch and ShowSysInfo)\n", attr->cFuncs);
  info->ReleaseTypeAttr(attr);

  MEMBERID id = static_cast<MEMBERID>(0xdeadbeef);
  wchar_t method[] = L"ShowSysInfo";
  LPOLESTR names[] = {method};
  hr = info->GetIDsOfNames(names, 1, &id);
  ok(hr == S_OK && id == 0x60030001, "ShowSysInfo: hr %#lx id %#lx\n", hr, id);

  // The vtable face: ShowSysInfo after the seven methods of IDispatch, [out, retval] VARIANT*, HRESULT.
  HREFTYPE ref = 0;
  ComPtr<ITypeInfo> vtable;
  hr = info->GetRefTypeOfImplType(-1, &ref);
  if (SUCCEEDED(hr)) hr = info->GetRefTypeInfo(ref, &vtable);
  ok(hr == S_OK, "vtable face: hr %#lx\n", hr);
  if (!vtable) return;
  vtable->GetTypeAttr(&attr);
  ok(attr->typekind == TKIND_INTERFACE && attr->cFuncs == 1, "vtable typekind %d functions %u\n", attr->typekind,
     attr->cFuncs);
  ok(attr->wTypeFlags == flags, "vtable face: type flags %#x, expected %#x\n", attr->wTypeFlags, flags);
  vtable->ReleaseTypeAttr(attr);
  FUNCDESC* function = nullptr;
  hr = vtable->GetFuncDesc(0, &function);
  ok(hr == S_OK, "GetFuncDesc: hr %#lx\n", hr);
  if (!function) return;
  ok(function->memid == 0x60030001, "memid %#lx\n", function->memid);
  ok(function->invkind == INVOKE_FUNC, "invkind %d\n", function->invkind);
  ok(function->funckind == FUNC_PUREVIRTUAL, "funckind %d\n", function->funckind);
  ok(function->oVft == 7 * static_cast<SHORT>(sizeof(void*)), "vtable offset %d\n", function->oVft);
  ok(function->elemdescFunc.tdesc.vt == VT_HRESULT, "return type %u\n", function->elemdescFunc.tdesc.vt);
  ok(function->cParams == 1, "parameters %d\n", function->cParams);
  if (function->cParams == 1) {
    const ELEMDESC& parameter = function->lprgelemdescParam[0];
    ok(parameter.tdesc.vt == VT_PTR && parameter.tdesc.lptdesc->vt == VT_VARIANT, "parameter type %u -> %u\n",
       parameter.tdesc.vt, parameter.tdesc.vt == VT_PTR ? parameter.tdesc.lptdesc->vt : 0);
    ok(parameter.paramdesc.wParamFlags == (PARAMFLAG_FOUT | PARAMFLAG_FRETVAL), "parameter flags %#x\n",
       parameter.paramdesc.wParamFlags);
  }
  vtable->ReleaseFuncDesc(function);
}

void test_source_interface(ITypeLib* library) {
  ComPtr<ITypeInfo> info;
  HRESULT hr = library->GetTypeInfoOfGuid(DIID___ctlBrindtSysInfo, &info);
  ok(hr == S_OK, "source: hr %#lx\n", hr);
  if (!info) return;
  TYPEATTR* attr = nullptr;
  info->GetTypeAttr(&attr);
  ok(attr->typekind == TKIND_DISPATCH, "typekind %d\n", attr->typekind);
  // widl cannot write nonextensible on a dispinterface: hidden (and dispatchable) is what it carries.
  ok((attr->wTypeFlags & TYPEFLAG_FHIDDEN) && !(attr->wTypeFlags & TYPEFLAG_FDUAL), "type flags %#x\n",
     attr->wTypeFlags);
  // No events and no properties.
  ok(attr->cFuncs == 0 && attr->cVars == 0, "functions %u properties %u\n", attr->cFuncs, attr->cVars);
  info->ReleaseTypeAttr(attr);
  Bstr name;
  info->GetDocumentation(MEMBERID_NIL, name.put(), nullptr, nullptr, nullptr);
  ok(name.text() == L"__ctlBrindtSysInfo", "name %s\n", Text(name.text()).c_str());
}

class Module {
 public:
  Module() : module_(LoadLibraryExW(ocx_test::OcxPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
  ~Module() {
    if (module_) FreeLibrary(module_);
  }
  HMODULE get() const { return module_; }

 private:
  HMODULE module_;
};

constexpr WORD kAnyLanguage = 0xFFFF;

std::vector<BYTE> Resource(HMODULE module, const wchar_t* type, const wchar_t* name, WORD language) {
  // kAnyLanguage: whichever language the resource was written in.
  HRSRC found =
      language == kAnyLanguage ? FindResourceW(module, name, type) : FindResourceExW(module, type, name, language);
  if (!found) return {};
  const DWORD size = SizeofResource(module, found);
  const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
  return data ? std::vector<BYTE>(data, data + size) : std::vector<BYTE>{};
}

std::wstring VersionString(const std::vector<BYTE>& block, const wchar_t* name, bool* found) {
  std::wstring path = std::wstring(L"\\StringFileInfo\\040704B0\\") + name;
  void* value = nullptr;
  UINT length = 0;
  *found = VerQueryValueW(block.data(), path.c_str(), &value, &length) != FALSE;
  return *found && value ? std::wstring(static_cast<const wchar_t*>(value)) : std::wstring();
}

void test_type_library_resource(HMODULE module) {
  const std::vector<BYTE> data = Resource(module, L"TYPELIB", MAKEINTRESOURCEW(1), kAnyLanguage);
  // A type library file starts with "MSFT".
  ok(data.size() > 4 && std::memcmp(data.data(), "MSFT", 4) == 0, "TYPELIB 1: %zu bytes\n", data.size());
}

void test_version_record(HMODULE module) {
  std::vector<BYTE> block =
      Resource(module, MAKEINTRESOURCEW(16), MAKEINTRESOURCEW(1), MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN));
  ok(!block.empty(), "no version record in language 1031\n");
  if (block.empty()) return;
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ok(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) && fixed, "no fixed part\n");
  if (fixed) {
    ok(fixed->dwFileVersionMS == 0x00020001 && fixed->dwFileVersionLS == 0x00000008, "file version %#lx.%#lx\n",
       fixed->dwFileVersionMS, fixed->dwFileVersionLS);
    ok(fixed->dwProductVersionMS == 0x00020001 && fixed->dwProductVersionLS == 0x00000008,
       "product version %#lx.%#lx\n", fixed->dwProductVersionMS, fixed->dwProductVersionLS);
  }
  DWORD* translation = nullptr;
  ok(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length) &&
         length == 4 && translation && LOWORD(*translation) == 1031,
     "translation %#lx\n", translation ? *translation : 0);
  bool found = false;
  const std::wstring file_version = VersionString(block, L"FileVersion", &found);
  ok(file_version == L"2.01.0008", "FileVersion %s\n", Text(file_version).c_str());
  const std::wstring product_version = VersionString(block, L"ProductVersion", &found);
  ok(product_version == L"2.01.0008", "ProductVersion %s\n", Text(product_version).c_str());
  VersionString(block, L"OLESelfRegister", &found);
  ok(found, "no OLESelfRegister marker\n");
}

void test_interface_records(HMODULE module) {
  const struct {
    const wchar_t* type;
    GUID guid;
  } records[] = {{L"_IID_CTLBRINDTSYSINFO", IID__ctlBrindtSysInfo},
                 {L"_SRCIID_CTLBRINDTSYSINFO", DIID___ctlBrindtSysInfo}};
  for (const auto& record : records) {
    const std::vector<BYTE> data =
        Resource(module, record.type, MAKEINTRESOURCEW(1), MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL));
    ok(data.size() == 20, "%s: %zu bytes\n", Text(record.type).c_str(), data.size());
    if (data.size() != 20) continue;
    // A 32-bit little-endian 16, then the GUID byte for byte as it is stored.
    const BYTE length[4] = {16, 0, 0, 0};
    ok(std::memcmp(data.data(), length, 4) == 0, "%s: length %02x %02x %02x %02x\n", Text(record.type).c_str(), data[0],
       data[1], data[2], data[3]);
    GUID stored;
    std::memcpy(&stored, data.data() + 4, 16);
    ok(stored == record.guid, "%s: guid %s\n", Text(record.type).c_str(), Text(ocx_test::GuidText(stored)).c_str());
  }
}

void test_toolbox_bitmap(HMODULE module) {
  const std::vector<BYTE> data =
      Resource(module, MAKEINTRESOURCEW(2), MAKEINTRESOURCEW(30000), MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL));
  ok(data.size() >= sizeof(BITMAPINFOHEADER), "bitmap 30000: %zu bytes\n", data.size());
  if (data.size() < sizeof(BITMAPINFOHEADER)) return;
  BITMAPINFOHEADER header;
  std::memcpy(&header, data.data(), sizeof(header));
  ok(header.biWidth == 16 && header.biHeight == 15 && header.biBitCount == 24, "bitmap %ldx%ld at %u bits\n",
     header.biWidth, header.biHeight, header.biBitCount);
}

void test_icon(HMODULE module) {
  const std::vector<BYTE> group =
      Resource(module, MAKEINTRESOURCEW(14), MAKEINTRESOURCEW(1), MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL));
  // GRPICONDIR: reserved, type 1, count; then entries of 14 bytes: width, height, colours ...
  ok(group.size() >= 20 && group[2] == 1 && group[4] >= 1, "icon group: %zu bytes\n", group.size());
  if (group.size() >= 20)
    ok(group[6] == 32 && group[7] == 32 && group[8] == 16, "icon %ux%u, %u colours\n", group[6], group[7], group[8]);
}

}  // namespace

int main() {
  CoInitialize(nullptr);
  {
    ComPtr<ITypeLib> library = LoadLibraryOfControl();
    if (library) {
      test_library_attributes(library.Get());
      test_coclass(library.Get());
      test_default_interface(library.Get());
      test_source_interface(library.Get());
    }
  }
  Module module;
  ok(module.get() != nullptr, "cannot load %s: %lu\n", Text(ocx_test::OcxPath()).c_str(), GetLastError());
  if (module.get()) {
    test_type_library_resource(module.get());
    test_version_record(module.get());
    test_interface_records(module.get());
    test_toolbox_bitmap(module.get());
    test_icon(module.get());
  }
  CoUninitialize();
  return wine_test::Summary("ocx_identity");
}
