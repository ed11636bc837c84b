// SPDX-License-Identifier: MIT
// Reading below the folder that stands for "/": whole small files with a size cap, first lines, folder listings
// and links, and the few parsing steps every reader shares. Nothing here trusts what it reads: a file may be
// empty, endless, binary or not UTF-8.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace bsi::sysquery_linux {

/// The most any file is read: /proc files can be huge or never end.
inline constexpr std::size_t kReadCap = 1 << 20;

// The form run time's numbers for file failures, raised when a fact cannot be read at all.
namespace err_io {
inline constexpr std::int32_t kFileNotFound = 53;
inline constexpr std::int32_t kDeviceIoError = 57;
inline constexpr std::int32_t kPermissionDenied = 70;
}  // namespace err_io

class SystemTree {
 public:
  explicit SystemTree(std::string root = "/");

  /// The folder that stands for "/", ending in '/'.
  const std::string& root() const { return root_; }
  /// `relative` below the root; a leading '/' is taken as the root's ("/etc/passwd" and "etc/passwd" agree).
  std::string Path(std::string_view relative) const;

  /// The file's bytes, at most `cap` of them. Raises 53 (missing), 70 (no permission) or 57 (any other failure).
  std::string Read(std::string_view relative, std::size_t cap = kReadCap) const;
  /// As Read, but nothing when the file cannot be read for any reason: for facts that may simply be absent.
  std::optional<std::string> ReadIfPresent(std::string_view relative, std::size_t cap = kReadCap) const;
  /// The first line of the file, trimmed; nothing when it cannot be read.
  std::optional<std::string> FirstLine(std::string_view relative) const;
  /// As FirstLine, but raising as Read does when the file cannot be read.
  std::string Line(std::string_view relative) const;
  /// The names in a folder, sorted, without "." and ".."; empty when it cannot be listed.
  std::vector<std::string> List(std::string_view relative) const;
  /// The target of a symbolic link as stored; nothing when it is no link.
  std::optional<std::string> ReadLink(std::string_view relative) const;
  bool Exists(std::string_view relative) const;

 private:
  std::string root_;
};

/// Raises the file error of `error_number` (an errno) for `path`.
[[noreturn]] void RaiseFileError(int error_number, std::string_view path);
/// Raises 13 (type mismatch): `what` in `path` holds no usable value.
[[noreturn]] void RaiseUnusable(std::string_view what, std::string_view path);

/// Without leading and trailing blanks (space, tab, CR, LF, vertical tab, form feed).
std::string_view Trim(std::string_view text);
/// Runs of blanks inside collapsed to one space, none at either end.
std::string CollapseBlanks(std::string_view text);
/// The lines of a text, without their line ends; a last line without one counts.
std::vector<std::string_view> Lines(std::string_view text);
/// The whitespace-separated words of a line.
std::vector<std::string_view> Words(std::string_view line);
/// The value of the first line "key<blanks><separator>value" (the value trimmed); nothing when no line has it.
std::optional<std::string_view> FieldValue(std::string_view text, std::string_view key, char separator);

/// The leading decimal digits of `text` as a number; nothing when it starts with no digit or overflows 64 bits.
std::optional<std::uint64_t> ParseUnsigned(std::string_view text);
/// The whole text as a decimal number: digits only, at most 64 bits; nothing otherwise.
std::optional<std::uint64_t> ParseWhole(std::string_view text);
/// As ParseUnsigned, but raises 13 for no digits and 6 for a number beyond 64 bits (naming `what` and `path`).
std::uint64_t ToUnsigned(std::string_view text, std::string_view what, std::string_view path);
/// a * b, raising 6 (overflow) when it does not fit in 64 bits.
std::uint64_t CheckedProduct(std::uint64_t a, std::uint64_t b);

}  // namespace bsi::sysquery_linux
