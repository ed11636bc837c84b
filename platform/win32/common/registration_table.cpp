// SPDX-License-Identifier: MIT
#include "registration_table.h"

#include <objbase.h>

#include <cwchar>
#include <iterator>
#include <utility>

namespace bsi::win32::com {
namespace {

std::wstring VersionText(const TypeLibraryEntry& library) {
  return std::to_wstring(library.major) + L"." + std::to_wstring(library.minor);
}

void AddProgIdRows(std::vector<RegistryRow>& rows, const wchar_t* prog_id, const ClassEntry& entry,
                   const std::wstring& clsid, const wchar_t* current_version) {
  const std::wstring key = prog_id;
  rows.push_back({KeyScope::kShared, key + L"\\CLSID", nullptr, clsid});
  if (current_version != nullptr) rows.push_back({KeyScope::kShared, key + L"\\CurVer", nullptr, current_version});
  rows.push_back({KeyScope::kShared, key, nullptr, entry.description});
}

}  // namespace

std::vector<RegistryRow> ClassRows(const ClassEntry& entry, const TypeLibraryEntry& library) {
  const std::wstring clsid = GuidText(*entry.clsid);
  const std::wstring key = L"CLSID\\" + clsid;
  std::vector<RegistryRow> rows = {
      {KeyScope::kOwnView, key, nullptr, entry.description},
      {KeyScope::kOwnView, key + L"\\InprocServer32", nullptr, kModulePath},
      {KeyScope::kOwnView, key + L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
      {KeyScope::kOwnView, key + L"\\ProgID", nullptr, entry.prog_id},
  };
  if (entry.version_independent_prog_id != nullptr) {
    rows.push_back(
        {KeyScope::kOwnView, key + L"\\VersionIndependentProgID", nullptr, entry.version_independent_prog_id});
  }
  rows.push_back({KeyScope::kOwnView, key + L"\\TypeLib", nullptr, GuidText(*library.libid)});
  rows.push_back({KeyScope::kOwnView, key + L"\\Version", nullptr, VersionText(library)});
  for (const ClassValue& extra : entry.extra) {
    RegistryRow row{KeyScope::kOwnView, key, extra.name, std::nullopt};
    if (extra.subkey != nullptr && *extra.subkey != L'\0') row.path += std::wstring(L"\\") + extra.subkey;
    if (extra.value != nullptr) row.value = extra.value;
    rows.push_back(std::move(row));
  }
  AddProgIdRows(rows, entry.prog_id, entry, clsid, nullptr);
  if (entry.version_independent_prog_id != nullptr) {
    AddProgIdRows(rows, entry.version_independent_prog_id, entry, clsid, entry.prog_id);
  }
  return rows;
}

std::wstring TypeLibraryVersionKey(const TypeLibraryEntry& library) {
  return L"TypeLib\\" + GuidText(*library.libid) + L"\\" + VersionText(library);
}

std::wstring TypeLibraryKey(const TypeLibraryEntry& library, SYSKIND kind) {
  wchar_t lcid[16] = {};
  std::swprintf(lcid, std::size(lcid), L"%lx", static_cast<unsigned long>(library.lcid));
  return TypeLibraryVersionKey(library) + L"\\" + lcid + (kind == SYS_WIN64 ? L"\\win64" : L"\\win32");
}

std::wstring GuidText(REFGUID guid) {
  wchar_t text[40] = {};
  StringFromGUID2(guid, text, 40);
  return text;
}

}  // namespace bsi::win32::com
