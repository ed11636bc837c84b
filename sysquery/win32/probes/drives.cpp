// SPDX-License-Identifier: MIT
// The available drives as texts: root, kind, label in quotes and free of total space, two spaces between parts,
// for example  C:\  Festplatte  "System"  12,3 GB frei von 100,0 GB.
// Only fixed disks and RAM disks are asked for label and space: a removable or optical drive may have no medium
// (the call would spin it up or wait for it), and a network drive may hang for seconds when its server is gone.
#include <string>
#include <vector>

#include "probe_util.h"
#include "probes.h"
#include "unique_handle.h"
#include "words.h"

namespace bsq {
namespace {

Word KindWord(UINT type) {
  switch (type) {
    case DRIVE_REMOVABLE:
      return Word::kRemovableDrive;
    case DRIVE_FIXED:
      return Word::kFixedDrive;
    case DRIVE_REMOTE:
      return Word::kNetworkDrive;
    case DRIVE_CDROM:
      return Word::kCdDvdDrive;
    case DRIVE_RAMDISK:
      return Word::kRamDisk;
    default:
      return Word::kUnknownDrive;
  }
}

DriveFacts ReadDrive(const std::wstring& root) {
  DriveFacts drive;
  drive.root = root;
  drive.type = GetDriveTypeW(root.c_str());
  if (drive.type != DRIVE_FIXED && drive.type != DRIVE_RAMDISK) return drive;
  wchar_t label[MAX_PATH + 1] = {};
  if (GetVolumeInformationW(root.c_str(), label, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0)) {
    drive.label = detail::FromBuffer(label, MAX_PATH + 1);
  }
  ULARGE_INTEGER free_to_caller{}, total{};
  if (GetDiskFreeSpaceExW(root.c_str(), &free_to_caller, &total, nullptr)) {
    drive.has_space = true;
    drive.total_bytes = total.QuadPart;
    drive.free_bytes = free_to_caller.QuadPart < total.QuadPart ? free_to_caller.QuadPart : total.QuadPart;
  }
  return drive;
}

}  // namespace

std::wstring ByteAmountText(std::uint64_t bytes, bsi::UiLanguage language) {
  return Wide(bsi::sysquery::ByteAmountText(bytes, language));
}

std::wstring DriveText(const DriveFacts& drive, bsi::UiLanguage language) {
  std::wstring text = drive.root + L"  " + WideWord(KindWord(drive.type), language);
  if (!drive.label.empty()) text += L"  \"" + drive.label + L"\"";
  if (drive.has_space) {
    text += L"  " + ByteAmountText(drive.free_bytes, language) + L" " + WideWord(Word::kFreeOf, language) + L" " +
            ByteAmountText(drive.total_bytes, language);
  }
  return text;
}

std::vector<std::wstring> DriveTexts(bsi::UiLanguage language) {
  // One "X:\" and a NUL per drive, and the closing NUL; asked again if drives arrived in between.
  std::vector<wchar_t> roots(4 * 26 + 1);
  for (int attempt = 0;; ++attempt) {
    const DWORD length = GetLogicalDriveStringsW(static_cast<DWORD>(roots.size()), roots.data());
    if (length == 0) detail::ThrowLastError("cannot list the drives");
    if (length < roots.size()) break;
    if (attempt == 3) detail::ThrowWin32(ERROR_INSUFFICIENT_BUFFER, "cannot list the drives");
    roots.assign(length + 1, L'\0');
  }
  const bsi::win32::ThreadErrorModeGuard no_dialogs;  // "no disk in drive" must not ask the user
  std::vector<std::wstring> texts;
  for (const wchar_t* p = roots.data(); p < roots.data() + roots.size() && *p != L'\0';) {
    const std::wstring root = detail::FromBuffer(p, roots.data() + roots.size() - p);
    texts.push_back(DriveText(ReadDrive(root), language));
    p += root.size() + 1;
  }
  return texts;
}

}  // namespace bsq
