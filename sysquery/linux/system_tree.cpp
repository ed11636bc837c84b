// SPDX-License-Identifier: MIT
#include "sysquery/linux/system_tree.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>

#include "runtime/error.h"
#include "runtime/text.h"

namespace bsi::sysquery_linux {
namespace {

constexpr std::string_view kBlanks = " \t\r\n\v\f";

bool IsBlank(char c) {
  return kBlanks.find(c) != std::string_view::npos;
}

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }

 private:
  int fd_;
};

// The bytes of the file, or the errno of the failing call. O_NONBLOCK: a FIFO in a tree must not hang the reader.
int ReadFile(const std::string& path, std::size_t cap, std::string& out) {
  const Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  if (fd.get() < 0) return errno;
  out.clear();
  std::size_t used = 0;
  while (used < cap) {
    if (out.size() - used < 4096) out.resize(std::min(cap, std::max<std::size_t>(out.size() * 2, 4096)));
    const ssize_t got = ::read(fd.get(), out.data() + used, out.size() - used);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0 && errno == EAGAIN) break;
    if (got < 0) return errno;
    if (got == 0) break;
    used += static_cast<std::size_t>(got);
  }
  out.resize(used);
  return 0;
}

}  // namespace

SystemTree::SystemTree(std::string root) : root_(std::move(root)) {
  if (root_.empty() || root_.back() != '/') root_.push_back('/');
}

std::string SystemTree::Path(std::string_view relative) const {
  while (!relative.empty() && relative.front() == '/') relative.remove_prefix(1);
  std::string path = root_;
  path.append(relative);
  return path;
}

std::string SystemTree::Read(std::string_view relative, std::size_t cap) const {
  const std::string path = Path(relative);
  std::string content;
  if (const int error = ReadFile(path, cap, content); error != 0) RaiseFileError(error, path);
  return content;
}

std::optional<std::string> SystemTree::ReadIfPresent(std::string_view relative, std::size_t cap) const {
  std::string content;
  if (ReadFile(Path(relative), cap, content) != 0) return std::nullopt;
  return content;
}

namespace {

// Sysfs attributes and the /proc/sys files are one short line; a small cap keeps a hostile file cheap.
constexpr std::size_t kLineCap = 64 * 1024;

std::string FirstLineOf(std::string_view text) {
  return std::string(Trim(text.substr(0, text.find('\n'))));
}

}  // namespace

std::optional<std::string> SystemTree::FirstLine(std::string_view relative) const {
  const auto content = ReadIfPresent(relative, kLineCap);
  if (!content) return std::nullopt;
  return FirstLineOf(*content);
}

std::string SystemTree::Line(std::string_view relative) const {
  return FirstLineOf(Read(relative, kLineCap));
}

std::vector<std::string> SystemTree::List(std::string_view relative) const {
  std::vector<std::string> names;
  const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(Path(relative).c_str()), &::closedir);
  if (!dir) return names;
  while (const dirent* entry = ::readdir(dir.get())) {
    const std::string_view name(entry->d_name);
    if (name != "." && name != "..") names.emplace_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::optional<std::string> SystemTree::ReadLink(std::string_view relative) const {
  std::string target(4096, '\0');
  const ssize_t got = ::readlink(Path(relative).c_str(), target.data(), target.size());
  if (got < 0) return std::nullopt;
  target.resize(static_cast<std::size_t>(got));
  return target;
}

bool SystemTree::Exists(std::string_view relative) const {
  struct stat info {};
  return ::stat(Path(relative).c_str(), &info) == 0;
}

void RaiseFileError(int error_number, std::string_view path) {
  const Text where = FromUtf8(path);
  switch (error_number) {
    case ENOENT:
    case ENOTDIR:
      Raise(err_io::kFileNotFound, u"File not found: " + where);
    case EACCES:
    case EPERM:
      Raise(err_io::kPermissionDenied, u"Permission denied: " + where);
    default:
      Raise(err_io::kDeviceIoError,
            u"Device I/O error: " + where + u" (" + FromUtf8(std::strerror(error_number)) + u")");
  }
}

void RaiseUnusable(std::string_view what, std::string_view path) {
  Raise(err::kTypeMismatch, u"Type mismatch: no " + FromUtf8(what) + u" in " + FromUtf8(path));
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string CollapseBlanks(std::string_view text) {
  std::string out;
  for (const std::string_view word : Words(text)) {
    if (!out.empty()) out.push_back(' ');
    out.append(word);
  }
  return out;
}

std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    lines.push_back(text.substr(0, end));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    const std::size_t start = i;
    while (i < line.size() && !IsBlank(line[i])) ++i;
    if (i > start) words.push_back(line.substr(start, i - start));
  }
  return words;
}

std::optional<std::string_view> FieldValue(std::string_view text, std::string_view key, char separator) {
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    const std::size_t at = line.find(separator);
    if (at != std::string_view::npos && Trim(line.substr(0, at)) == key) return Trim(line.substr(at + 1));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return std::nullopt;
}

std::optional<std::uint64_t> ParseUnsigned(std::string_view text) {
  if (text.empty() || text.front() < '0' || text.front() > '9') return std::nullopt;
  std::uint64_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') break;
    const auto digit = static_cast<std::uint64_t>(c - '0');
    if (value > (UINT64_MAX - digit) / 10) return std::nullopt;
    value = value * 10 + digit;
  }
  return value;
}

std::optional<std::uint64_t> ParseWhole(std::string_view text) {
  if (text.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
  return ParseUnsigned(text);
}

std::uint64_t ToUnsigned(std::string_view text, std::string_view what, std::string_view path) {
  if (const auto value = ParseUnsigned(text)) return *value;
  if (text.empty() || text.front() < '0' || text.front() > '9') RaiseUnusable(what, path);
  Raise(err::kOverflow, u"Overflow: " + FromUtf8(what) + u" in " + FromUtf8(path));
}

std::uint64_t CheckedProduct(std::uint64_t a, std::uint64_t b) {
  std::uint64_t product = 0;
  if (__builtin_mul_overflow(a, b, &product)) Raise(err::kOverflow);
  return product;
}

}  // namespace bsi::sysquery_linux
