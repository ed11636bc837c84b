// SPDX-License-Identifier: MIT
// registration_export.exe OUT_DIR [MODULE_DIR]: what this bitness's two modules register, written out for the
// installer and for registration-free use, from the same tables that DllRegisterServer writes and from the type
// libraries inside the modules (MODULE_DIR, default this program's folder). Into OUT_DIR:
//   <module>.wxi   WiX <Include> of RegistryValue rows in this bitness's registry view: the class keys, the
//                  library's win32 or win64 key and its Interface keys, as RegisterServer and RegisterTypeLib
//                  write them; the module's path is [#<module>.<x64|x86>], the Id its File must have
//   shared.wxi     the rows that both bitnesses share: the ProgIDs and each library's version key with its name,
//                  FLAGS and an empty HELPDIR
//   <assembly>.manifest   one side-by-side assembly manifest per module (file, typelib, comClass with every
//                  ProgID, the interfaces' proxy stubs), named after its assembly (BSI_*_ASSEMBLY); the
//                  control's depends on the query library's
//   application.manifest  what a host embeds to use the control and through it the query library
//                  (packaging/application.manifest.in, built into this program as data)
// Exit 0 on success; 1 with a message on standard error when a module, its library or a table value cannot be
// expressed.
#include <windows.h>
// After windows.h:
#include <oleauto.h>
#include <wrl/client.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <fstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "com/registration.h"
#include "resources/version.h"
#include "server_table.h"
#include "utf8.h"

namespace {

using bsi::win32::Utf8;
using bsi::win32::com::ClassEntry;
using bsi::win32::com::GuidText;
using bsi::win32::com::KeyScope;
using bsi::win32::com::RegistryRow;
using bsi::win32::com::ServerTable;
using Microsoft::WRL::ComPtr;

constexpr bool kWin64 = sizeof(void*) == 8;
constexpr wchar_t kArch[] = L"x64";
constexpr wchar_t kArch32[] = L"x86";
// The proxies of oleaut32: the type library marshaler for dual and oleautomation interfaces, the IDispatch one for
// a plain dispinterface. RegisterTypeLib picks them by the same rule.
constexpr wchar_t kTypeLibProxy[] = L"{00020424-0000-0000-C000-000000000046}";
constexpr wchar_t kDispatchProxy[] = L"{00020420-0000-0000-C000-000000000046}";

struct Module {
  const ServerTable& table;
  const wchar_t* file;
  const wchar_t* assembly;
  const wchar_t* depends_on;  // the assembly whose classes this module creates, or nullptr
};

[[noreturn]] void Fail(const std::wstring& message) {
  throw std::runtime_error(Utf8(message));
}

// The assemblies carry the product's version, major.minor.build.revision.
std::wstring AssemblyVersion() {
  return std::to_wstring(BSI_VERSION_MAJOR) + L"." + std::to_wstring(BSI_VERSION_MINOR) + L"." +
         std::to_wstring(BSI_VERSION_BUILD) + L"." + std::to_wstring(BSI_VERSION_REVISION);
}

std::wstring Xml(std::wstring_view text) {
  std::wstring out;
  for (const wchar_t c : text) {
    switch (c) {
      case L'&':
        out += L"&amp;";
        break;
      case L'<':
        out += L"&lt;";
        break;
      case L'>':
        out += L"&gt;";
        break;
      case L'"':
        out += L"&quot;";
        break;
      default:
        if (c < L' ') Fail(L"a control character in '" + std::wstring(text) + L"'");
        out += c;
    }
  }
  return out;
}

// A value as Windows Installer formats it: brackets are escaped, a leading # would name a type, and the module's
// placeholder becomes the full path of the module's file. Braces stay as they are while they hold no bracket (a
// GUID); braces and brackets together would be a conditional group.
std::wstring Formatted(std::wstring_view value, const std::wstring& file_id) {
  if (value.find_first_of(L"{}") != std::wstring_view::npos && value.find_first_of(L"[]") != std::wstring_view::npos) {
    Fail(L"braces and brackets in one value: " + std::wstring(value));
  }
  std::wstring out;
  if (!value.empty() && value.front() == L'#') out += L'#';
  constexpr std::wstring_view placeholder = bsi::win32::com::kModulePath;
  for (std::size_t at = 0; at < value.size();) {
    if (value.substr(at, placeholder.size()) == placeholder) {
      if (file_id.empty()) Fail(L"a shared row names the module: " + std::wstring(value));
      out += L"[#" + file_id + L"]";
      at += placeholder.size();
    } else if (value[at] == L'[' || value[at] == L']') {
      out += std::wstring(L"[\\") + value[at++] + L"]";
    } else {
      out += value[at++];
    }
  }
  return out;
}

// One RegistryValue. A key without a value is "*": created on install, removed on uninstall ("+" would leave it);
// an empty string is a property that no one sets, because an empty Value column would mean "no value".
std::wstring WixRow(const RegistryRow& row, const std::wstring& file_id) {
  std::wstring line = L"  <RegistryValue Root=\"HKCR\" Key=\"" + Xml(Formatted(row.path, L"")) + L"\"";
  if (!row.value) {
    if (row.name != nullptr) Fail(L"a named value without data under " + row.path);
    return line + L" Name=\"*\" Type=\"string\"/>\n";
  }
  if (row.name != nullptr) {
    if (*row.name == L'\0' || std::wstring_view(row.name) == L"+" || std::wstring_view(row.name) == L"-" ||
        std::wstring_view(row.name) == L"*") {
      Fail(L"a value name Windows Installer reads as an action under " + row.path);
    }
    line += L" Name=\"" + Xml(row.name) + L"\"";
  }
  const std::wstring value = row.value->empty() ? L"[BSI_EMPTY_STRING]" : Formatted(*row.value, file_id);
  return line + L" Type=\"string\" Value=\"" + Xml(value) + L"\"/>\n";
}

struct Library {
  ComPtr<ITypeLib> typelib;
  TLIBATTR attributes{};
  std::wstring name;  // what RegisterTypeLib writes as the version key's default: the help string, else the name
};

Library OpenLibrary(const std::wstring& path, const ServerTable& table) {
  Library library;
  if (FAILED(LoadTypeLibEx(path.c_str(), REGKIND_NONE, &library.typelib))) {
    Fail(L"cannot load the type library of " + path);
  }
  TLIBATTR* attributes = nullptr;
  if (FAILED(library.typelib->GetLibAttr(&attributes))) Fail(L"no library attributes in " + path);
  library.attributes = *attributes;
  library.typelib->ReleaseTLibAttr(attributes);
  const TLIBATTR& got = library.attributes;
  if (got.guid != *table.library.libid || got.wMajorVerNum != table.library.major ||
      got.wMinorVerNum != table.library.minor || got.lcid != table.library.lcid ||
      got.syskind != (kWin64 ? SYS_WIN64 : SYS_WIN32)) {
    Fail(L"the type library of " + path + L" is not the one its table names (" + GuidText(*table.library.libid) +
         L") for this bitness");
  }
  BSTR name = nullptr, help = nullptr;
  library.typelib->GetDocumentation(-1, &name, &help, nullptr, nullptr);
  library.name = help != nullptr && *help != L'\0' ? help : (name != nullptr ? name : L"");
  SysFreeString(name);
  SysFreeString(help);
  return library;
}

struct Interface {
  std::wstring iid;
  std::wstring name;
  const wchar_t* proxy;
};

// The interfaces RegisterTypeLib gives Interface keys: every dispinterface (a dual interface is one too) and
// every oleautomation interface.
std::vector<Interface> Interfaces(const Library& library) {
  std::vector<Interface> found;
  const UINT count = library.typelib->GetTypeInfoCount();
  for (UINT i = 0; i < count; ++i) {
    ComPtr<ITypeInfo> info;
    TYPEATTR* type = nullptr;
    if (FAILED(library.typelib->GetTypeInfo(i, &info)) || FAILED(info->GetTypeAttr(&type))) {
      Fail(L"cannot read type " + std::to_wstring(i) + L" of " + GuidText(library.attributes.guid));
    }
    const TYPEKIND kind = type->typekind;
    const WORD flags = type->wTypeFlags;
    const GUID iid = type->guid;
    info->ReleaseTypeAttr(type);
    if (kind != TKIND_DISPATCH && !(kind == TKIND_INTERFACE && (flags & TYPEFLAG_FOLEAUTOMATION))) continue;
    BSTR name = nullptr;
    library.typelib->GetDocumentation(static_cast<INT>(i), &name, nullptr, nullptr, nullptr);
    found.push_back({GuidText(iid), name != nullptr ? name : L"",
                     kind == TKIND_INTERFACE || (flags & TYPEFLAG_FDUAL) ? kTypeLibProxy : kDispatchProxy});
    SysFreeString(name);
  }
  return found;
}

std::wstring HexVersion(const TLIBATTR& attributes) {
  wchar_t text[16] = {};
  std::swprintf(text, 16, L"%x.%x", attributes.wMajorVerNum, attributes.wMinorVerNum);
  return text;
}

// The class rows of every class of the module that live in `scope`.
std::vector<RegistryRow> ClassRowsIn(const Module& module, KeyScope scope) {
  std::vector<RegistryRow> rows;
  for (const ClassEntry& entry : module.table.classes) {
    for (RegistryRow& row : bsi::win32::com::ClassRows(entry, module.table.library)) {
      if (row.scope == scope) rows.push_back(std::move(row));
    }
  }
  return rows;
}

// The rows of this bitness's view: the class keys, the library's own key and the Interface keys.
std::vector<RegistryRow> OwnRows(const Module& module, const Library& library) {
  std::vector<RegistryRow> rows = ClassRowsIn(module, KeyScope::kOwnView);
  rows.push_back({KeyScope::kOwnView, bsi::win32::com::TypeLibraryKey(module.table.library, library.attributes.syskind),
                  nullptr, bsi::win32::com::kModulePath});
  const std::wstring libid = GuidText(library.attributes.guid);
  for (const Interface& item : Interfaces(library)) {
    const std::wstring key = L"Interface\\" + item.iid;
    rows.push_back({KeyScope::kOwnView, key, nullptr, item.name});
    rows.push_back({KeyScope::kOwnView, key + L"\\ProxyStubClsid", nullptr, item.proxy});
    rows.push_back({KeyScope::kOwnView, key + L"\\ProxyStubClsid32", nullptr, item.proxy});
    rows.push_back({KeyScope::kOwnView, key + L"\\TypeLib", nullptr, libid});
    rows.push_back({KeyScope::kOwnView, key + L"\\TypeLib", L"Version", HexVersion(library.attributes)});
  }
  return rows;
}

// The rows both bitnesses share: the ProgIDs and the library's version key.
std::vector<RegistryRow> SharedRows(const Module& module, const Library& library) {
  std::vector<RegistryRow> rows = ClassRowsIn(module, KeyScope::kShared);
  const std::wstring key = bsi::win32::com::TypeLibraryVersionKey(module.table.library);
  rows.push_back({KeyScope::kShared, key, nullptr, library.name});
  rows.push_back({KeyScope::kShared, key + L"\\FLAGS", nullptr, std::to_wstring(library.attributes.wLibFlags)});
  rows.push_back({KeyScope::kShared, key + L"\\HELPDIR", nullptr, std::wstring()});  // as RegisterServer passes it
  return rows;
}

std::wstring WixInclude(const std::vector<RegistryRow>& rows, const std::wstring& file_id) {
  std::wstring text =
      L"<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!-- Written by registration_export.exe from "
      L"the registration tables; do not edit. -->\n<Include>\n";
  for (const RegistryRow& row : rows) text += WixRow(row, file_id);
  return text + L"</Include>\n";
}

// miscStatus names of the OLEMISC bits, in bit order.
constexpr const wchar_t* kMiscNames[] = {L"recomposeonresize",
                                         L"onlyiconic",
                                         L"insertnotreplace",
                                         L"static",
                                         L"cantlinkinside",
                                         L"canlinkbyole1",
                                         L"islinkobject",
                                         L"insideout",
                                         L"activatewhenvisible",
                                         L"renderingisdeviceindependent",
                                         L"invisibleatruntime",
                                         L"alwaysrun",
                                         L"actslikebutton",
                                         L"actslikelabel",
                                         L"nouiactivate",
                                         L"alignable",
                                         L"simpleframe",
                                         L"setclientsitefirst",
                                         L"imemode",
                                         L"ignoreactivatewhenvisible",
                                         L"wantstomenumerge",
                                         L"supportsmultilevelundo"};

std::wstring MiscNames(const wchar_t* value) {
  wchar_t* end = nullptr;
  const unsigned long bits = std::wcstoul(value, &end, 10);
  if (end == value || *end != L'\0') Fail(L"MiscStatus is no number: " + std::wstring(value));
  std::wstring names;
  for (unsigned bit = 0; bit < 32; ++bit) {
    if (!(bits & (1ul << bit))) continue;
    if (bit >= std::size(kMiscNames)) Fail(L"MiscStatus has a bit no manifest can name: " + std::wstring(value));
    names += (names.empty() ? L"" : L",") + std::wstring(kMiscNames[bit]);
  }
  return names;
}

// The manifest's comClass attributes that the class's extra values stand for; the others have no place in a
// manifest (the control's category and palette bitmap serve design time, which needs registration anyway).
std::wstring MiscAttributes(const ClassEntry& entry) {
  std::wstring attributes;
  for (const bsi::win32::com::ClassValue& extra : entry.extra) {
    const std::wstring_view subkey = extra.subkey != nullptr ? extra.subkey : L"";
    if (subkey == L"MiscStatus" && extra.name == nullptr && extra.value != nullptr) {
      attributes += L" miscStatus=\"" + MiscNames(extra.value) + L"\"";
    } else if (subkey == L"MiscStatus\\1" && extra.name == nullptr && extra.value != nullptr) {
      attributes += L" miscStatusContent=\"" + MiscNames(extra.value) + L"\"";
    } else if (subkey != L"Control" && subkey != L"ToolboxBitmap32" &&
               !subkey.starts_with(L"Implemented Categories\\")) {
      Fail(L"no manifest form for the class value " + std::wstring(subkey) + L" of " + GuidText(*entry.clsid));
    }
  }
  return attributes;
}

std::wstring LibraryFlags(WORD flags) {
  std::wstring names;
  const std::pair<WORD, const wchar_t*> known[] = {{LIBFLAG_FRESTRICTED, L"RESTRICTED"},
                                                   {LIBFLAG_FCONTROL, L"CONTROL"},
                                                   {LIBFLAG_FHIDDEN, L"HIDDEN"},
                                                   {LIBFLAG_FHASDISKIMAGE, L"HASDISKIMAGE"}};
  for (const auto& [bit, name] : known) {
    if (flags & bit) names += (names.empty() ? L"" : L",") + std::wstring(name);
  }
  return names;
}

std::wstring AssemblyIdentity(const wchar_t* name) {
  return L"<assemblyIdentity type=\"win32\" name=\"" + Xml(name) + L"\" version=\"" + AssemblyVersion() +
         L"\" processorArchitecture=\"" + (kWin64 ? L"amd64" : L"x86") + L"\"/>\n";
}

std::wstring Manifest(const Module& module, const Library& library) {
  const std::wstring libid = GuidText(library.attributes.guid);
  std::wstring text =
      L"<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<!-- Written by registration_export.exe from "
      L"the registration tables; do not edit. -->\n<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" "
      L"manifestVersion=\"1.0\">\n  " +
      AssemblyIdentity(module.assembly);
  // The assembly this one needs joins every activation context that names this one, so a host's manifest names
  // the control alone.
  if (module.depends_on != nullptr) {
    text += L"  <dependency>\n    <dependentAssembly>\n      " + AssemblyIdentity(module.depends_on) +
            L"    </dependentAssembly>\n  </dependency>\n";
  }
  text += L"  <file name=\"" + Xml(module.file) + L"\">\n    <typelib tlbid=\"" + libid + L"\" version=\"" +
          std::to_wstring(library.attributes.wMajorVerNum) + L"." + std::to_wstring(library.attributes.wMinorVerNum) +
          L"\" helpdir=\"\"";
  const std::wstring flags = LibraryFlags(library.attributes.wLibFlags);
  if (!flags.empty()) text += L" flags=\"" + flags + L"\"";
  text += L"/>\n";
  for (const ClassEntry& entry : module.table.classes) {
    std::wstring threading;
    for (const RegistryRow& row : bsi::win32::com::ClassRows(entry, module.table.library)) {
      if (row.name != nullptr && std::wstring_view(row.name) == L"ThreadingModel") threading = *row.value;
    }
    text += L"    <comClass clsid=\"" + GuidText(*entry.clsid) + L"\" progid=\"" + Xml(entry.prog_id) +
            L"\" threadingModel=\"" + Xml(threading) + L"\" tlbid=\"" + libid + L"\" description=\"" +
            Xml(entry.description) + L"\"" + MiscAttributes(entry);
    if (entry.version_independent_prog_id != nullptr) {
      text += L">\n      <progid>" + Xml(entry.version_independent_prog_id) + L"</progid>\n    </comClass>\n";
    } else {
      text += L"/>\n";
    }
  }
  text += L"  </file>\n";
  for (const Interface& item : Interfaces(library)) {
    text += L"  <comInterfaceExternalProxyStub name=\"" + Xml(item.name) + L"\" iid=\"" + item.iid +
            L"\" proxyStubClsid32=\"" + item.proxy + L"\" tlbid=\"" + libid + L"\"/>\n";
  }
  return text + L"</assembly>\n";
}

void Write(const std::wstring& path, const std::string& bytes) {
  std::ofstream out(path.c_str(), std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out.flush()) Fail(L"cannot write " + path);
}

// The application manifest that the build made from packaging/application.manifest.in, as it is.
std::string ApplicationManifest() {
  HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(10));  // RT_RCDATA
  HGLOBAL loaded = found != nullptr ? LoadResource(nullptr, found) : nullptr;
  const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (data == nullptr) Fail(L"the application manifest is missing from this program's resources");
  return std::string(static_cast<const char*>(data), SizeofResource(nullptr, found));
}

std::wstring Folder(std::wstring path) {
  if (!path.empty() && path.back() != L'\\' && path.back() != L'/') path += L'\\';
  return path;
}

std::wstring ProgramFolder() {
  wchar_t path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, length);
  return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: registration_export.exe OUT_DIR [MODULE_DIR]\n");
    return 2;
  }
  const std::wstring out = Folder(argv[1]);
  const std::wstring modules = argc == 3 ? Folder(argv[2]) : ProgramFolder();
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  int status = 0;
  try {
    const Module servers[] = {
        {bsq::kServer, L"BrindtSysQuery.dll", BSI_QUERY_ASSEMBLY, nullptr},
        {bsi::win32::com::kControlServer, L"BrindtSysInfo.ocx", BSI_CONTROL_ASSEMBLY, BSI_QUERY_ASSEMBLY}};
    std::vector<RegistryRow> shared;
    for (const Module& module : servers) {
      const Library library = OpenLibrary(modules + module.file, module.table);
      const std::wstring file_id = std::wstring(module.file) + L"." + (kWin64 ? kArch : kArch32);
      Write(out + module.file + L".wxi", Utf8(WixInclude(OwnRows(module, library), file_id)));
      for (RegistryRow& row : SharedRows(module, library)) shared.push_back(std::move(row));
      Write(out + module.assembly + L".manifest", Utf8(Manifest(module, library)));
    }
    Write(out + L"shared.wxi", Utf8(WixInclude(shared, L"")));
    Write(out + L"application.manifest", ApplicationManifest());
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "registration_export: %s\n", failure.what());
    status = 1;
  }
  CoUninitialize();
  return status;
}
