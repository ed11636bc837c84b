// SPDX-License-Identifier: MIT
#include "support/scripted_library.h"

#include <cmath>

#include "runtime/convert.h"

namespace bsi::test {
namespace {

std::string Name(QueryClass cls) {
  return std::string(QueryClassName(cls));
}

// Results are scripted as Variants; each fake operation narrows them to its own result type.
Text AsText(const Variant& v) {
  return v.kind() == VariantKind::String ? v.AsString() : ToText(v, Locale::English());
}
std::int32_t AsLong(const Variant& v) {
  if (v.kind() == VariantKind::Long) return v.AsLong();
  return static_cast<std::int32_t>(ToDouble(v, Locale::English()));
}
bool AsBool(const Variant& v) {
  return ToCondition(v, Locale::English());
}
Currency AsCurrency(const Variant& v) {
  if (v.kind() == VariantKind::Currency) return v.AsCurrency();
  return Currency{static_cast<std::int64_t>(std::llround(ToDouble(v, Locale::English()) * 10000))};
}

// Every fake object logs its release and keeps the library's live count.
template <class Base>
class Fake : public Base {
 public:
  explicit Fake(ScriptedLibrary& library) : library_(library) {}
  ~Fake() override { library_.Released(Base::kClass); }

 protected:
  Variant Call(const char* operation) { return library_.Call(Name(Base::kClass) + "." + operation); }
  ScriptedLibrary& library_;
};

class FakeRegistryReader final : public Fake<RegistryReader> {
 public:
  using Fake::Fake;
  bool Exists() override {
    Call("Exists");
    return library_.Registry(root_, key_path_, value_name_).has_value();
  }
  Variant Value() override {
    Call("Value");
    return library_.Registry(root_, key_path_, value_name_).value_or(Variant::String(u""));
  }
  void SetValueType(std::int32_t type) override { Set("ValueType", Decimal(type)); }
  void SetRoot(std::int32_t root) override {
    Set("Root", Decimal(root));
    root_ = root;
  }
  void SetKeyPath(const Text& path) override {
    Set("KeyPath", path);
    key_path_ = path;
  }
  void SetValueName(const Text& name) override {
    Set("ValueName", name);
    value_name_ = name;
  }

 private:
  void Set(const char* property, const Text& value) { Call((std::string(property) + "=" + ToUtf8(value)).c_str()); }
  std::int32_t root_ = 0;
  Text key_path_;
  Text value_name_;
};

class FakeOSVersionInfo final : public Fake<OSVersionInfo> {
 public:
  using Fake::Fake;
  Text Name() override { return AsText(Call("Name")); }
  std::int32_t MajorVersion() override { return AsLong(Call("MajorVersion")); }
  std::int32_t MinorVersion() override { return AsLong(Call("MinorVersion")); }
  std::int32_t BuildNumber() override { return AsLong(Call("BuildNumber")); }
};

class FakeProcessorInfo final : public Fake<ProcessorInfo> {
 public:
  using Fake::Fake;
  Text Description() override { return AsText(Call("Description")); }
};

class FakeMemoryInfo final : public Fake<MemoryInfo> {
 public:
  using Fake::Fake;
  Text PhysicalTotal() override { return AsText(Call("PhysicalTotal")); }
  Text PhysicalFree() override { return AsText(Call("PhysicalFree")); }
  Text PageFileTotal() override { return AsText(Call("PageFileTotal")); }
  Text PageFileFree() override { return AsText(Call("PageFileFree")); }
  Text VirtualTotal() override { return AsText(Call("VirtualTotal")); }
  Text VirtualFree() override { return AsText(Call("VirtualFree")); }
};

class FakeComputerInfo final : public Fake<ComputerInfo> {
 public:
  using Fake::Fake;
  Variant ComputerName() override { return Call("ComputerName"); }
};

class FakeUserInfo final : public Fake<UserInfo> {
 public:
  using Fake::Fake;
  Text UserName() override { return AsText(Call("UserName")); }
};

class FakeAdminRightsInfo final : public Fake<AdminRightsInfo> {
 public:
  using Fake::Fake;
  bool IsAdmin() override { return AsBool(Call("IsAdmin")); }
};

class FakeNetworkInfo final : public Fake<NetworkInfo> {
 public:
  using Fake::Fake;
  Text LocalIP() override { return AsText(Call("LocalIP")); }
  Text NetworkIP() override { return AsText(Call("NetworkIP")); }
  Text LocalSubnetMask() override { return AsText(Call("LocalSubnetMask")); }
  Text NetworkSubnetMask() override { return AsText(Call("NetworkSubnetMask")); }
  Text MACAddress() override { return AsText(Call("MACAddress")); }
};

class FakeDialUpInfo final : public Fake<DialUpInfo> {
 public:
  using Fake::Fake;
  bool Active() override { return AsBool(Call("Active")); }
};

class FakeDefaultBrowserInfo final : public Fake<DefaultBrowserInfo> {
 public:
  using Fake::Fake;
  Text Detail() override { return AsText(Call("Detail")); }
  Text Executable() override { return AsText(Call("Executable")); }
  Text Name() override { return AsText(Call("Name")); }
};

class FakeFolderInfo final : public Fake<FolderInfo> {
 public:
  using Fake::Fake;
  Text WindowsFolder() override { return AsText(Call("WindowsFolder")); }
  Text SystemFolder() override { return AsText(Call("SystemFolder")); }
};

class FakeDisplayInfo final : public Fake<DisplayInfo> {
 public:
  using Fake::Fake;
  Currency BitsPerPixel() override { return AsCurrency(Call("BitsPerPixel")); }
  std::int32_t Width() override { return AsLong(Call("Width")); }
  std::int32_t Height() override { return AsLong(Call("Height")); }
};

class FakeDefaultPrinterInfo final : public Fake<DefaultPrinterInfo> {
 public:
  using Fake::Fake;
  Text Name() override { return AsText(Call("Name")); }
  Text Detail1() override { return AsText(Call("Detail1")); }
  Text Detail2() override { return AsText(Call("Detail2")); }
};

class FakeSoundInfo final : public Fake<SoundInfo> {
 public:
  using Fake::Fake;
  Variant Installed() override { return Call("Installed"); }
};

class FakeUptimeInfo final : public Fake<UptimeInfo> {
 public:
  using Fake::Fake;
  Text RunningTime() override { return AsText(Call("RunningTime")); }
};

class FakeTimeZoneInfo final : public Fake<TimeZoneInfo> {
 public:
  using Fake::Fake;
  std::int32_t Bias() override { return AsLong(Call("Bias")); }
  Text StandardName() override { return AsText(Call("StandardName")); }
  std::int32_t StandardBias() override { return AsLong(Call("StandardBias")); }
  Text DaylightName() override { return AsText(Call("DaylightName")); }
  std::int32_t DaylightBias() override { return AsLong(Call("DaylightBias")); }
  bool DaylightActive() override { return AsBool(Call("DaylightActive")); }
  Text Name() override { return AsText(Call("Name")); }
};

class FakeDriveInfo final : public Fake<DriveInfo> {
 public:
  using Fake::Fake;
  std::shared_ptr<Object> Drives() override {
    const Variant result = Call("Drives");
    return result.kind() == VariantKind::Object ? result.AsObject() : nullptr;
  }
};

class FakeProgressBarColors final : public Fake<ProgressBarColors> {
 public:
  using Fake::Fake;
  void SetColors(WindowHandle gauge, std::int32_t bar_color, std::int32_t back_color) override {
    Call(("SetColors(" + std::to_string(gauge) + "," + std::to_string(bar_color) + "," + std::to_string(back_color) +
          ")")
             .c_str());
  }
};

}  // namespace

Variant ScriptedCollection::Item(std::int32_t index) {
  if (index < 1 || index > Count()) Raise(err::kSubscriptOutOfRange);
  return items_[static_cast<std::size_t>(index - 1)];
}

ScriptedLibrary::ScriptedLibrary(CallLog* log) : log_(log != nullptr ? log : &own_log_) {
  const Text current = u"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
  const Text system = u"HARDWARE\\DESCRIPTION\\System";
  SetRegistry(current, u"CSDVersion", Variant::String(u"Service Pack 1"));
  SetRegistry(current, u"BuildLab", Variant::String(u"7601.win7sp1_gdr.130828-1532"));
  SetRegistry(system, u"SystemBiosVersion", Variant::String(Text(u"LENOVO - 1140") + u'\0' + u"Ver 1.00PARTTBL"));
  SetRegistry(system, u"SystemBiosDate", Variant::String(u"03/17/10"));
  SetRegistry(system, u"VideoBiosVersion", Variant::String(u"Hardware Version 0.0"));
  Set("OSVersionInfo.Name", u"Microsoft Windows 7 Professional");
  Set("OSVersionInfo.MajorVersion", Variant::Long(6));
  Set("OSVersionInfo.MinorVersion", Variant::Long(1));
  Set("OSVersionInfo.BuildNumber", Variant::Long(7601));
  Set("ProcessorInfo.Description", u"Intel(R) Core(TM) i5 CPU M 520 @ 2.40GHz");
  Set("MemoryInfo.PhysicalTotal", u"4294967296");
  Set("MemoryInfo.PhysicalFree", u"1073741824");
  Set("MemoryInfo.PageFileTotal", u"8589934592");
  Set("MemoryInfo.PageFileFree", u"4294967296");
  Set("MemoryInfo.VirtualTotal", u"2147352576");
  Set("MemoryInfo.VirtualFree", u"1879048192");
  Set("ComputerInfo.ComputerName", u"WORKSTATION");
  Set("UserInfo.UserName", u"Anna");
  Set("AdminRightsInfo.IsAdmin", Variant::Boolean(true));
  Set("NetworkInfo.LocalIP", u"127.0.0.1");
  Set("NetworkInfo.LocalSubnetMask", u"255.0.0.0");
  Set("NetworkInfo.NetworkIP", u"192.168.1.20");
  Set("NetworkInfo.NetworkSubnetMask", u"255.255.255.0");
  Set("NetworkInfo.MACAddress", u"00-1A-2B-3C-4D-5E");
  Set("DialUpInfo.Active", Variant::Boolean(false));
  Set("DefaultBrowserInfo.Name", u"Firefox");
  Set("DefaultBrowserInfo.Detail", u"C:\\Program Files\\Mozilla Firefox\\firefox.exe");
  Set("FolderInfo.WindowsFolder", u"C:\\Windows");
  Set("FolderInfo.SystemFolder", u"C:\\Windows\\system32");
  Set("DisplayInfo.Width", Variant::Long(1024));
  Set("DisplayInfo.Height", Variant::Long(768));
  Set("DisplayInfo.BitsPerPixel", Variant::FromCurrency(Currency::FromWhole(32)));
  Set("DefaultPrinterInfo.Name", u"HP LaserJet 4");
  Set("DefaultPrinterInfo.Detail1", u"HP LaserJet 4 PCL");
  Set("DefaultPrinterInfo.Detail2", u"LPT1:");
  Set("SoundInfo.Installed", Variant::Boolean(true));
  Set("UptimeInfo.RunningTime", u"1 d 02:03:04");
  Set("TimeZoneInfo.Name", u"W. Europe Standard Time");
  Set("DriveInfo.Drives", Variant::FromObject(std::make_shared<ScriptedCollection>(std::vector<Variant>{
                              Variant::String(u"C:\\ Local Disk"), Variant::String(u"D:\\ CD-ROM")})));
}

ScriptedLibrary::~ScriptedLibrary() = default;

void ScriptedLibrary::SetRegistry(const Text& key_path, const Text& value_name, std::optional<Variant> value) {
  const Text key = key_path + u"\\" + value_name;
  if (value.has_value()) {
    registry_[key] = std::move(*value);
  } else {
    registry_.erase(key);
  }
}

void ScriptedLibrary::Fail(const std::string& operation, std::int32_t number, Text description) {
  failures_.insert_or_assign(operation, description.empty() ? RuntimeError(number) : RuntimeError(number, description));
}

void ScriptedLibrary::FailCreate(QueryClass cls, std::int32_t number, Text description) {
  Fail("create " + Name(cls), number, std::move(description));
}

void ScriptedLibrary::FailAllCreations() {
  for (int i = 0; i < kQueryClassCount; ++i) FailCreate(static_cast<QueryClass>(i));
}

void ScriptedLibrary::ClearFailures() {
  failures_.clear();
}

std::unique_ptr<QueryObject> ScriptedLibrary::Create(QueryClass cls) {
  const std::string entry = "create " + Name(cls);
  log_->Add(entry);
  if (auto failure = failures_.find(entry); failure != failures_.end()) throw failure->second;
  ++creations_[static_cast<std::size_t>(cls)];
  ++live_;
  switch (cls) {
    case QueryClass::RegistryReader:
      return std::make_unique<FakeRegistryReader>(*this);
    case QueryClass::OSVersionInfo:
      return std::make_unique<FakeOSVersionInfo>(*this);
    case QueryClass::ProcessorInfo:
      return std::make_unique<FakeProcessorInfo>(*this);
    case QueryClass::MemoryInfo:
      return std::make_unique<FakeMemoryInfo>(*this);
    case QueryClass::ComputerInfo:
      return std::make_unique<FakeComputerInfo>(*this);
    case QueryClass::UserInfo:
      return std::make_unique<FakeUserInfo>(*this);
    case QueryClass::AdminRightsInfo:
      return std::make_unique<FakeAdminRightsInfo>(*this);
    case QueryClass::NetworkInfo:
      return std::make_unique<FakeNetworkInfo>(*this);
    case QueryClass::DialUpInfo:
      return std::make_unique<FakeDialUpInfo>(*this);
    case QueryClass::DefaultBrowserInfo:
      return std::make_unique<FakeDefaultBrowserInfo>(*this);
    case QueryClass::FolderInfo:
      return std::make_unique<FakeFolderInfo>(*this);
    case QueryClass::DisplayInfo:
      return std::make_unique<FakeDisplayInfo>(*this);
    case QueryClass::DefaultPrinterInfo:
      return std::make_unique<FakeDefaultPrinterInfo>(*this);
    case QueryClass::SoundInfo:
      return std::make_unique<FakeSoundInfo>(*this);
    case QueryClass::UptimeInfo:
      return std::make_unique<FakeUptimeInfo>(*this);
    case QueryClass::TimeZoneInfo:
      return std::make_unique<FakeTimeZoneInfo>(*this);
    case QueryClass::DriveInfo:
      return std::make_unique<FakeDriveInfo>(*this);
    case QueryClass::ProgressBarColors:
      return std::make_unique<FakeProgressBarColors>(*this);
  }
  --live_;
  Raise(err::kCannotCreateObject);
}

Variant ScriptedLibrary::Call(const std::string& operation) {
  log_->Add(operation);
  // A failure scripted for "Class.Operation" also catches "Class.Operation=..." property writes.
  for (const auto& [name, error] : failures_) {
    if (operation == name || operation.rfind(name + "=", 0) == 0 || operation.rfind(name + "(", 0) == 0) throw error;
  }
  const auto result = results_.find(operation);
  return result != results_.end() ? result->second : Variant();
}

std::optional<Variant> ScriptedLibrary::Registry(std::int32_t root, const Text& key_path,
                                                 const Text& value_name) const {
  if (root != RegistryReader::kHkeyLocalMachine) return std::nullopt;
  const auto found = registry_.find(key_path + u"\\" + value_name);
  if (found == registry_.end()) return std::nullopt;
  return found->second;
}

void ScriptedLibrary::Released(QueryClass cls) {
  --live_;
  log_->Add("release " + Name(cls));
}

}  // namespace bsi::test
