// SPDX-License-Identifier: MIT
// DefaultBrowserInfo: the XDG default application for x-scheme-handler/http, found as the XDG MIME applications
// rules find it: the "[Default Applications]" of the mimeapps.list files (desktop-specific ones first) in
// $XDG_CONFIG_HOME (~/.config), $XDG_CONFIG_DIRS (/etc/xdg), $XDG_DATA_HOME/applications (~/.local/share/...) and
// $XDG_DATA_DIRS/applications (/usr/local/share, /usr/share); the first listed handler whose .desktop file exists
// wins. Name is that file's Name, Detail and Executable the program of its Exec line, searched in $PATH when it is
// no full path. Files only: no process is started and no D-Bus service asked.
#include <optional>
#include <string>
#include <vector>

#include "sysquery/linux/accounts.h"

namespace bsi::sysquery_linux {
namespace {

constexpr std::string_view kHttpHandler = "x-scheme-handler/http";

// The absolute folders of a colon-separated list, or the default list when it names none.
std::vector<std::string> Folders(const std::string& list, std::string_view fallback) {
  std::vector<std::string> folders;
  std::string_view rest(list.empty() ? fallback : std::string_view(list));
  while (!rest.empty()) {
    const std::size_t colon = rest.find(':');
    const std::string_view folder = rest.substr(0, colon);
    if (!folder.empty() && folder.front() == '/') folders.emplace_back(folder);
    if (colon == std::string_view::npos) break;
    rest.remove_prefix(colon + 1);
  }
  return folders;
}

// The value of `key` in the group `[group]` of a desktop-entry style file.
std::optional<std::string_view> GroupValue(std::string_view text, std::string_view group, std::string_view key) {
  bool in_group = false;
  for (const std::string_view raw : Lines(text)) {
    const std::string_view line = Trim(raw);
    if (!line.empty() && line.front() == '[') {
      in_group = line.size() == group.size() + 2 && line.substr(1, group.size()) == group && line.back() == ']';
    } else if (in_group) {
      const std::size_t at = line.find('=');
      if (at != std::string_view::npos && Trim(line.substr(0, at)) == key) return Trim(line.substr(at + 1));
    }
  }
  return std::nullopt;
}

// The program of an Exec line: its first word, quotes removed, after any "env NAME=value" prefix.
std::string ProgramOf(std::string_view exec) {
  for (;;) {
    exec = Trim(exec);
    std::string word;
    std::size_t i = 0;
    if (!exec.empty() && exec.front() == '"') {
      for (i = 1; i < exec.size() && exec[i] != '"'; ++i) {
        if (exec[i] == '\\' && i + 1 < exec.size()) ++i;
        word.push_back(exec[i]);
      }
      ++i;
    } else {
      for (; i < exec.size() && exec[i] != ' ' && exec[i] != '\t'; ++i) word.push_back(exec[i]);
    }
    exec.remove_prefix(std::min(i, exec.size()));
    const bool env_part = word == "env" || word == "/usr/bin/env" ||
                          (!word.empty() && word.front() != '/' && word.find('=') != std::string::npos);
    if (!env_part || exec.empty()) return word;
  }
}

struct Facts {
  Text name;
  Text executable;
};

class LinuxDefaultBrowserInfo final : public DefaultBrowserInfo {
 public:
  explicit LinuxDefaultBrowserInfo(HostPtr host) : host_(std::move(host)) {}

  Text Detail() override { return Read().executable; }
  Text Executable() override { return Read().executable; }
  Text Name() override { return Read().name; }

 private:
  const Facts& Read() {
    if (!facts_) facts_ = Find();
    return *facts_;
  }

  Facts Find() const {
    const std::string home = HomeFolder(*host_);
    const auto env = [&](const char* name) { return host_->env(name); };
    std::vector<std::string> data = Folders(env("XDG_DATA_HOME"), home.empty() ? "" : home + "/.local/share");
    for (std::string& folder : Folders(env("XDG_DATA_DIRS"), "/usr/local/share:/usr/share"))
      data.push_back(std::move(folder));
    for (std::string& folder : data) folder += "/applications";
    std::vector<std::string> lists = Folders(env("XDG_CONFIG_HOME"), home.empty() ? "" : home + "/.config");
    for (std::string& folder : Folders(env("XDG_CONFIG_DIRS"), "/etc/xdg")) lists.push_back(std::move(folder));
    lists.insert(lists.end(), data.begin(), data.end());

    // Desktop-specific lists first: "kde-mimeapps.list" for XDG_CURRENT_DESKTOP=KDE.
    const std::string desktops = ToLower(env("XDG_CURRENT_DESKTOP"));
    std::vector<std::string> names;
    for (const std::string_view desktop : Split(desktops)) {
      if (desktop.find('/') == std::string_view::npos) names.push_back(std::string(desktop) + "-mimeapps.list");
    }
    names.push_back("mimeapps.list");
    for (const std::string& folder : lists) {
      for (const std::string& name : names) {
        const auto content = host_->tree.ReadIfPresent(folder + "/" + name);
        if (!content) continue;
        const auto handlers = GroupValue(*content, "Default Applications", kHttpHandler);
        if (!handlers) continue;
        for (const std::string_view id : Split(*handlers, ';')) {
          if (auto facts = Desktop(data, id)) return *facts;
        }
      }
    }
    return {};
  }

  std::optional<Facts> Desktop(const std::vector<std::string>& data, std::string_view id) const {
    if (id.empty() || id.find('/') != std::string_view::npos || id == "." || id == "..") return std::nullopt;
    for (const std::string& folder : data) {
      const auto entry = host_->tree.ReadIfPresent(folder + "/" + std::string(id), 256 * 1024);
      if (!entry) continue;
      const std::string program = ProgramOf(GroupValue(*entry, "Desktop Entry", "Exec").value_or(""));
      return Facts{FromUtf8(GroupValue(*entry, "Desktop Entry", "Name").value_or("")), FromUtf8(Resolve(program))};
    }
    return std::nullopt;
  }

  // A bare program name as the shell would find it in $PATH; the name itself when no folder holds it.
  std::string Resolve(const std::string& program) const {
    if (program.empty() || program.find('/') != std::string::npos) return program;
    for (const std::string& folder : Folders(host_->env("PATH"), "/usr/local/bin:/usr/bin:/bin")) {
      const std::string path = folder + "/" + program;
      if (host_->tree.Exists(path)) return path;
    }
    return program;
  }

  static std::string ToLower(std::string text) {
    for (char& c : text) c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    return text;
  }

  static std::vector<std::string_view> Split(std::string_view text, char separator = ':') {
    std::vector<std::string_view> parts;
    for (;;) {
      const std::size_t at = text.find(separator);
      if (const auto part = Trim(text.substr(0, at)); !part.empty()) parts.push_back(part);
      if (at == std::string_view::npos) return parts;
      text.remove_prefix(at + 1);
    }
  }

  HostPtr host_;
  std::optional<Facts> facts_;
};

}  // namespace

std::unique_ptr<QueryObject> NewDefaultBrowserInfo(HostPtr host) {
  return std::make_unique<LinuxDefaultBrowserInfo>(std::move(host));
}

}  // namespace bsi::sysquery_linux
