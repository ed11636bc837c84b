// SPDX-License-Identifier: MIT
#include "module.h"

#include <atomic>

namespace bsi::com {
namespace {
HINSTANCE g_module = nullptr;
std::atomic<long> g_references{0};
}  // namespace

void SetModuleHandle(HINSTANCE module) noexcept {
  g_module = module;
}
HINSTANCE ModuleHandle() noexcept {
  return g_module;
}

std::wstring ModulePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD size = GetModuleFileNameW(g_module, path.data(), static_cast<DWORD>(path.size()));
    if (size == 0) return {};
    // A full buffer may mean a truncated path: try again with a larger one.
    if (size < path.size()) {
      path.resize(size);
      return path;
    }
    if (path.size() >= 32768) return {};
    path.resize(path.size() * 2);
  }
}

void AddModuleReference() noexcept {
  ++g_references;
}
void ReleaseModuleReference() noexcept {
  --g_references;
}
long ModuleReferences() noexcept {
  return g_references.load();
}

}  // namespace bsi::com
