// SPDX-License-Identifier: MIT
#include "fake_tree.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace bsi::sysquery_linux::test {
namespace {

std::string Utf8(const Text& text) {
  return ToUtf8(text);
}

}  // namespace

std::string CallEveryMember(QueryLibrary& library) {
  std::ostringstream out;
  const auto note = [&](std::string_view name, auto&& call) { out << name << '=' << Outcome(call) << '\n'; };
  const auto make = [&](auto* tag) {
    using T = std::remove_pointer_t<decltype(tag)>;
    std::unique_ptr<QueryObject> object = library.Create(T::kClass);
    return std::unique_ptr<T>(dynamic_cast<T*>(object.release()));
  };
  auto reader = make(static_cast<RegistryReader*>(nullptr));
  for (const char16_t* name : {u"CSDVersion", u"BuildLab"}) {
    reader->SetKeyPath(u"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion");
    reader->SetValueName(name);
    note("RegistryReader." + Utf8(name), [&] { return Utf8(reader->Value().AsString()); });
  }
  for (const char16_t* name : {u"SystemBiosVersion", u"SystemBiosDate", u"VideoBiosVersion"}) {
    reader->SetKeyPath(u"HARDWARE\\DESCRIPTION\\System");
    reader->SetValueName(name);
    note("RegistryReader." + Utf8(name), [&] { return Utf8(reader->Value().AsString()); });
  }
  auto os = make(static_cast<OSVersionInfo*>(nullptr));
  note("OSVersionInfo.Name", [&] { return Utf8(os->Name()); });
  note("OSVersionInfo.Version", [&] {
    return std::to_string(os->MajorVersion()) + "." + std::to_string(os->MinorVersion()) + "." +
           std::to_string(os->BuildNumber());
  });
  auto cpu = make(static_cast<ProcessorInfo*>(nullptr));
  note("ProcessorInfo.Description", [&] { return Utf8(cpu->Description()); });
  auto memory = make(static_cast<MemoryInfo*>(nullptr));
  note("MemoryInfo.PhysicalTotal", [&] { return Utf8(memory->PhysicalTotal()); });
  note("MemoryInfo.PhysicalFree", [&] { return Utf8(memory->PhysicalFree()); });
  note("MemoryInfo.PageFileTotal", [&] { return Utf8(memory->PageFileTotal()); });
  note("MemoryInfo.PageFileFree", [&] { return Utf8(memory->PageFileFree()); });
  note("MemoryInfo.VirtualTotal", [&] { return Utf8(memory->VirtualTotal()); });
  note("MemoryInfo.VirtualFree", [&] { return Utf8(memory->VirtualFree()); });
  auto computer = make(static_cast<ComputerInfo*>(nullptr));
  note("ComputerInfo.ComputerName", [&] { return Utf8(computer->ComputerName().AsString()); });
  auto user = make(static_cast<UserInfo*>(nullptr));
  note("UserInfo.UserName", [&] { return Utf8(user->UserName()); });
  auto admin = make(static_cast<AdminRightsInfo*>(nullptr));
  note("AdminRightsInfo.IsAdmin", [&] { return std::to_string(admin->IsAdmin()); });
  auto network = make(static_cast<NetworkInfo*>(nullptr));
  note("NetworkInfo.Addresses", [&] {
    return Utf8(network->LocalIP() + u" " + network->LocalSubnetMask() + u" " + network->NetworkIP() + u" " +
                network->NetworkSubnetMask() + u" " + network->MACAddress());
  });
  auto dial_up = make(static_cast<DialUpInfo*>(nullptr));
  note("DialUpInfo.Active", [&] { return std::to_string(dial_up->Active()); });
  auto browser = make(static_cast<DefaultBrowserInfo*>(nullptr));
  note("DefaultBrowserInfo",
       [&] { return Utf8(browser->Name() + u" [" + browser->Detail() + u"] " + browser->Executable()); });
  auto folders = make(static_cast<FolderInfo*>(nullptr));
  note("FolderInfo", [&] { return Utf8(folders->WindowsFolder() + u" " + folders->SystemFolder()); });
  auto display = make(static_cast<DisplayInfo*>(nullptr));
  note("DisplayInfo", [&] {
    return std::to_string(display->Width()) + "x" + std::to_string(display->Height()) + " " +
           std::to_string(display->BitsPerPixel().scaled / 10000);
  });
  auto printer = make(static_cast<DefaultPrinterInfo*>(nullptr));
  note("DefaultPrinterInfo",
       [&] { return Utf8(printer->Name() + u" [" + printer->Detail1() + u" - " + printer->Detail2() + u"]"); });
  auto sound = make(static_cast<SoundInfo*>(nullptr));
  note("SoundInfo.Installed", [&] { return std::to_string(sound->Installed().AsBoolean()); });
  auto uptime = make(static_cast<UptimeInfo*>(nullptr));
  note("UptimeInfo.RunningTime", [&] { return Utf8(uptime->RunningTime()); });
  auto zone = make(static_cast<TimeZoneInfo*>(nullptr));
  note("TimeZoneInfo", [&] {
    return std::to_string(zone->Bias()) + " " + Utf8(zone->StandardName()) + " " +
           std::to_string(zone->StandardBias()) + " " + Utf8(zone->DaylightName()) + " " +
           std::to_string(zone->DaylightBias()) + " " + std::to_string(zone->DaylightActive()) + " " +
           Utf8(zone->Name());
  });
  auto drives = make(static_cast<DriveInfo*>(nullptr));
  note("DriveInfo.Drives", [&] {
    auto collection = std::dynamic_pointer_cast<Collection>(drives->Drives());
    std::string texts;
    for (std::int32_t i = 1; collection && i <= collection->Count(); ++i)
      texts += "|" + Utf8(collection->Item(i).AsString());
    return texts;
  });
  auto colors = make(static_cast<ProgressBarColors*>(nullptr));
  note("ProgressBarColors.SetColors", [&] {
    colors->SetColors(0, 0xFF, 0);
    return std::string("done");
  });
  return out.str();
}

FakeTree::FakeTree() {
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/bsi-query-XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  root_ = pattern + "/";
}

FakeTree::~FakeTree() {
  std::error_code ignored;
  std::filesystem::remove_all(root_, ignored);
}

void FakeTree::MakeFolder(const std::string& path) {
  std::filesystem::create_directories(Path(path));
}

void FakeTree::Write(const std::vector<TreeFile>& files) {
  for (const auto& [path, content] : files) {
    const std::filesystem::path full = Path(path);
    std::filesystem::create_directories(full.parent_path());
    std::filesystem::remove(full);
    if (content.rfind("->", 0) == 0) {
      std::filesystem::create_symlink(content.substr(2), full);
    } else {
      std::ofstream(full, std::ios::binary) << content;
    }
  }
}

std::unique_ptr<QueryLibrary> FakeTree::Library() {
  auto host = std::make_shared<Host>(Host{SystemTree(root_), nullptr, uid, language, nullptr});
  host->env = [values = env](const char* name) {
    const auto found = values.find(name);
    return found == values.end() ? std::string() : found->second;
  };
  host->addresses = [list = addresses] { return list; };
  return CreateQueryLibrary(std::move(host));
}

}  // namespace bsi::sysquery_linux::test
