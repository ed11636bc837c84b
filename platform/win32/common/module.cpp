// SPDX-License-Identifier: MIT
#include "module.h"

#include <atomic>

namespace bsi::win32::com {
namespace {
HINSTANCE g_module = nullptr;
std::atomic<long> g_references{0};
std::atomic<long> g_server_locks{0};
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
void AddServerLock() noexcept {
  ++g_server_locks;
}
void ReleaseServerLock() noexcept {
  // An unlock without a lock is ignored: it must not drive the count below zero, after which the module could
  // never be unloaded again.
  long locks = g_server_locks.load();
  while (locks > 0 && !g_server_locks.compare_exchange_weak(locks, locks - 1)) {
  }
}
long ModuleReferences() noexcept {
  return g_references.load() + g_server_locks.load();
}

}  // namespace bsi::win32::com
