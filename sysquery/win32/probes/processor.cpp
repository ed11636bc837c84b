// SPDX-License-Identifier: MIT
// The processor name string. Windows copies it from the CPU into the registry at start-up; older Intel parts pad
// it with leading blanks and some put runs of blanks inside, so blanks are trimmed and runs collapsed.
#include <intrin.h>

#include <cstring>
#include <string>

#include "probes.h"

namespace bsq {
namespace {

std::wstring BrandFromCpuid() {
  int regs[4] = {};
  __cpuid(regs, static_cast<int>(0x80000000u));
  if (static_cast<unsigned>(regs[0]) < 0x80000004u) return {};
  char brand[49] = {};
  for (unsigned leaf = 0; leaf < 3; ++leaf) {
    __cpuid(regs, static_cast<int>(0x80000002u + leaf));
    std::memcpy(brand + leaf * 16, regs, 16);
  }
  std::wstring text;
  for (const char* p = brand; *p != '\0'; ++p) text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(*p)));
  return text;
}

std::wstring Tidy(const std::wstring& raw) {
  std::wstring text;
  for (wchar_t c : raw) {
    const bool blank = c == L' ' || c == L'\t' || c == L'\0';
    if (blank) {
      if (!text.empty() && text.back() != L' ') text.push_back(L' ');
    } else {
      text.push_back(c);
    }
  }
  if (!text.empty() && text.back() == L' ') text.pop_back();
  return text;
}

}  // namespace

std::wstring ProcessorDescription() {
  std::wstring name = Tidy(ReadRegistryValue(HKEY_LOCAL_MACHINE, L"HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0",
                                             L"ProcessorNameString")
                               .text);
  if (name.empty()) name = Tidy(BrandFromCpuid());
  return name;
}

}  // namespace bsq
