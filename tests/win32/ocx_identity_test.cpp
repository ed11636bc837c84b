// SPDX-License-Identifier: MIT
// The control's identity as a client reads it, compared with tests/data/win32/ocx_identity.txt: the registered type
// library type by type (vtable slots in pointers), and the module's resources (version, interface records, icons).
#include <windows.h>

#include <oleauto.h>
#include <wrl/client.h>

#include <cstdarg>
#include <cstring>
#include <string>
#include <vector>

#include "BrindtSysInfo.h"
#include "ocx_support.h"
#include "support/golden.h"
#include "wine_test.h"

using Microsoft::WRL::ComPtr;
using wine_test::Narrow;

namespace {

std::string out;

void Line(const char* format, ...) {
  char text[512];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  out += text;
  out += '\n';
}

std::string Guid(REFGUID guid) {
  return Narrow(ocx_test::GuidText(guid));
}

std::string Name(ITypeInfo* info, MEMBERID id = MEMBERID_NIL) {
  BSTR name = nullptr;
  info->GetDocumentation(id, &name, nullptr, nullptr, nullptr);
  return Narrow(ocx_test::TakeBstr(name));
}

void DescribeType(ITypeInfo* info, const char* indent) {
  TYPEATTR* attr = nullptr;
  if (FAILED(info->GetTypeAttr(&attr))) return Line("%s<no attributes>", indent);
  Line("%skind %d %s %s flags %#x version %u.%u functions %u variables %u implements %u", indent, attr->typekind,
       Name(info).c_str(), Guid(attr->guid).c_str(), attr->wTypeFlags, attr->wMajorVerNum, attr->wMinorVerNum,
       attr->cFuncs, attr->cVars, attr->cImplTypes);
  for (UINT i = 0; i < attr->cImplTypes; ++i) {
    INT flags = 0;
    HREFTYPE ref = 0;
    ComPtr<ITypeInfo> implemented;
    info->GetImplTypeFlags(i, &flags);
    if (SUCCEEDED(info->GetRefTypeOfImplType(i, &ref))) info->GetRefTypeInfo(ref, &implemented);
    Line("%s  implements %s (flags %#x)", indent, implemented ? Name(implemented.Get()).c_str() : "?", flags);
  }
  for (UINT i = 0; i < attr->cFuncs; ++i) {
    FUNCDESC* function = nullptr;
    if (FAILED(info->GetFuncDesc(i, &function))) continue;
    std::string parameters;
    for (SHORT p = 0; p < function->cParams; ++p) {
      const ELEMDESC& parameter = function->lprgelemdescParam[p];
      const TYPEDESC& type = parameter.tdesc;
      parameters += " vt " + std::to_string(type.vt) +
                    (type.vt == VT_PTR ? "->" + std::to_string(type.lptdesc->vt) : "") + " flags " +
                    std::to_string(parameter.paramdesc.wParamFlags);
    }
    Line("%s  function %s id %#lx invoke %d kind %d slot %d returns vt %u%s", indent,
         Name(info, function->memid).c_str(), function->memid, function->invkind, function->funckind,
         function->oVft / static_cast<int>(sizeof(void*)), function->elemdescFunc.tdesc.vt, parameters.c_str());
    info->ReleaseFuncDesc(function);
  }
  // A dual interface is looked up as its dispatch face; its vtable face follows.
  HREFTYPE vtable_ref = 0;
  ComPtr<ITypeInfo> vtable;
  if ((attr->wTypeFlags & TYPEFLAG_FDUAL) && attr->typekind == TKIND_DISPATCH &&
      SUCCEEDED(info->GetRefTypeOfImplType(-1, &vtable_ref)) && SUCCEEDED(info->GetRefTypeInfo(vtable_ref, &vtable))) {
    DescribeType(vtable.Get(), "  ");
  }
  info->ReleaseTypeAttr(attr);
}

void DescribeLibrary() {
  ComPtr<ITypeLib> library;
  // Registered under the library's own locale, 1033.
  const HRESULT hr = LoadRegTypeLib(LIBID_BrindtSysInfo, 1, 0, 1033, &library);
  if (FAILED(hr)) return Line("LoadRegTypeLib: %#lx", hr);
  TLIBATTR* attr = nullptr;
  library->GetLibAttr(&attr);
  BSTR name = nullptr, help = nullptr;
  library->GetDocumentation(-1, &name, &help, nullptr, nullptr);
  // The loader adds LIBFLAG_FHASDISKIMAGE for a library read from a file.
  Line("library %s \"%s\" %s lcid %lu version %u.%u flags %#x %s, %u types", Narrow(ocx_test::TakeBstr(name)).c_str(),
       Narrow(ocx_test::TakeBstr(help)).c_str(), Guid(attr->guid).c_str(), attr->lcid, attr->wMajorVerNum,
       attr->wMinorVerNum, attr->wLibFlags & ~LIBFLAG_FHASDISKIMAGE,
       attr->syskind == (sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32) ? "of this bitness" : "of another bitness",
       library->GetTypeInfoCount());
  library->ReleaseTLibAttr(attr);
  for (UINT i = 0; i < library->GetTypeInfoCount(); ++i) {
    ComPtr<ITypeInfo> info;
    if (SUCCEEDED(library->GetTypeInfo(i, &info))) DescribeType(info.Get(), "");
  }
}

std::vector<BYTE> Resource(HMODULE module, const wchar_t* type, const wchar_t* name, WORD language) {
  // 0xFFFF: whichever language the resource was written in.
  HRSRC found = language == 0xFFFF ? FindResourceW(module, name, type) : FindResourceExW(module, type, name, language);
  if (!found) return {};
  const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
  return data ? std::vector<BYTE>(data, data + SizeofResource(module, found)) : std::vector<BYTE>{};
}

void DescribeResources(HMODULE module) {
  const WORD neutral = MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL);
  const std::vector<BYTE> library = Resource(module, L"TYPELIB", MAKEINTRESOURCEW(1), 0xFFFF);
  Line("TYPELIB 1: starts with %.4s", library.size() > 4 ? reinterpret_cast<const char*>(library.data()) : "<none>");

  std::vector<BYTE> block =
      Resource(module, MAKEINTRESOURCEW(16), MAKEINTRESOURCEW(1), MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN));
  VS_FIXEDFILEINFO* fixed = nullptr;
  DWORD* translation = nullptr;
  UINT length = 0;
  if (!block.empty() && VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) &&
      VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length)) {
    Line("version 1031: file %#lx.%#lx product %#lx.%#lx translation %#lx", fixed->dwFileVersionMS,
         fixed->dwFileVersionLS, fixed->dwProductVersionMS, fixed->dwProductVersionLS, *translation);
    for (const wchar_t* name : {L"FileVersion", L"ProductVersion", L"OLESelfRegister"}) {
      void* value = nullptr;
      const bool found =
          VerQueryValueW(block.data(), (std::wstring(L"\\StringFileInfo\\040704B0\\") + name).c_str(), &value, &length);
      Line("  %s: %s", Narrow(name).c_str(), found ? Narrow(static_cast<const wchar_t*>(value)).c_str() : "<none>");
    }
  } else {
    Line("version 1031: <none>");
  }
  // A 32-bit little-endian 16, then the GUID byte for byte as it is stored.
  for (const wchar_t* type : {L"_IID_CTLBRINDTSYSINFO", L"_SRCIID_CTLBRINDTSYSINFO"}) {
    const std::vector<BYTE> data = Resource(module, type, MAKEINTRESOURCEW(1), neutral);
    GUID stored{};
    if (data.size() == 20) std::memcpy(&stored, data.data() + 4, 16);
    Line("%s 1: %zu bytes, length %u, %s", Narrow(type).c_str(), data.size(), data.size() == 20 ? data[0] : 0u,
         Guid(stored).c_str());
  }
  const std::vector<BYTE> bitmap = Resource(module, MAKEINTRESOURCEW(2), MAKEINTRESOURCEW(30000), neutral);
  BITMAPINFOHEADER header{};
  if (bitmap.size() >= sizeof(header)) std::memcpy(&header, bitmap.data(), sizeof(header));
  Line("bitmap 30000: %ldx%ld at %u bits", header.biWidth, header.biHeight, header.biBitCount);
  // GRPICONDIR: reserved, type, count; then entries of 14 bytes: width, height, colours ...
  const std::vector<BYTE> group = Resource(module, MAKEINTRESOURCEW(14), MAKEINTRESOURCEW(1), neutral);
  if (group.size() >= 20) {
    Line("icon group 1: type %u, %u icons, the first %ux%u with %u colours", group[2], group[4], group[6], group[7],
         group[8]);
  }
}

}  // namespace

int main() {
  CoInitialize(nullptr);
  DescribeLibrary();
  HMODULE module = LoadLibraryExW(ocx_test::OcxPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ok(module != nullptr, "expected to load %s, got error %lu\n", Narrow(ocx_test::OcxPath()).c_str(), GetLastError());
  if (module) DescribeResources(module);
  const std::string difference = bsi::test::CompareGolden("win32/ocx_identity.txt", out);
  ok(difference.empty(), "expected the golden identity, got %s", difference.c_str());
  if (module) FreeLibrary(module);
  CoUninitialize();
  return wine_test::Summary("ocx_identity");
}
