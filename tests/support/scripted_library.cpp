// SPDX-License-Identifier: MIT
#include "support/scripted_library.h"

#include <cmath>
#include <type_traits>

#include "runtime/convert.h"

namespace bsi::test {
namespace {

std::string ClassName(QueryClass cls) {
  return std::string(QueryClassName(cls));
}

// Results are scripted as Variants; each fake operation narrows them to its own result type.
template <class T>
T As(const Variant& v) {
  if constexpr (std::is_same_v<T, Text>) {
    return v.kind() == VariantKind::String ? v.AsString() : ToText(v, Locale::English());
  } else if constexpr (std::is_same_v<T, bool>) {
    return ToCondition(v, Locale::English());
  } else if constexpr (std::is_same_v<T, Currency>) {
    if (v.kind() == VariantKind::Currency) return v.AsCurrency();
    return Currency{static_cast<std::int64_t>(std::llround(ToDouble(v, Locale::English()) * 10000))};
  } else {
    if (v.kind() == VariantKind::Long) return v.AsLong();
    return static_cast<std::int32_t>(ToDouble(v, Locale::English()));
  }
}

// BSI_GETTERS(T, A, B, ...) overrides T A(), T B(), ... each to answer its scripted result as a T.
#define BSI_GETTER(T, name) \
  T name() override {       \
    return Get<T>(#name);   \
  }
#define BSI_AGAIN() BSI_EACH
#define BSI_EACH(T, name, ...) BSI_GETTER(T, name) __VA_OPT__(BSI_AGAIN BSI_PARENS(T, __VA_ARGS__))
#define BSI_PARENS ()
#define BSI_SCAN(...) BSI_SCAN3(BSI_SCAN3(BSI_SCAN3(BSI_SCAN3(__VA_ARGS__))))
#define BSI_SCAN3(...) BSI_SCAN2(BSI_SCAN2(BSI_SCAN2(BSI_SCAN2(__VA_ARGS__))))
#define BSI_SCAN2(...) BSI_SCAN1(BSI_SCAN1(BSI_SCAN1(BSI_SCAN1(__VA_ARGS__))))
#define BSI_SCAN1(...) __VA_ARGS__
#define BSI_GETTERS(T, ...) BSI_SCAN(BSI_EACH(T, __VA_ARGS__)) static_assert(true)

// One object answers for every class: it is created as one of them, logs its calls under that class's name
// and its release. Operations with the same name in several classes (Name) answer for the class it was created as.
template <class... Interfaces>
struct AllOf : public Interfaces... {};

class FakeObject final
    : public AllOf<RegistryReader, OSVersionInfo, ProcessorInfo, MemoryInfo, ComputerInfo, UserInfo, AdminRightsInfo,
                   NetworkInfo, DialUpInfo, DefaultBrowserInfo, FolderInfo, DisplayInfo, DefaultPrinterInfo, SoundInfo,
                   UptimeInfo, TimeZoneInfo, DriveInfo, ProgressBarColors> {
 public:
  FakeObject(ScriptedLibrary& library, QueryClass cls) : library_(library), class_(cls) {}
  ~FakeObject() override { library_.Released(class_); }

  bool Exists() override { return Call("Exists"), Found().has_value(); }
  Variant Value() override { return Call("Value"), Found().value_or(Variant::String(u"")); }
  void SetValueType(std::int32_t type) override { Call("ValueType=" + std::to_string(type)); }
  void SetRoot(std::int32_t root) override { Call("Root=" + std::to_string(root_ = root)); }
  void SetKeyPath(const Text& path) override { Call("KeyPath=" + ToUtf8(key_path_ = path)); }
  void SetValueName(const Text& name) override { Call("ValueName=" + ToUtf8(value_name_ = name)); }
  BSI_GETTERS(Text, Name, Description, PhysicalTotal, PhysicalFree, PageFileTotal, PageFileFree, VirtualTotal,
              VirtualFree, UserName, LocalIP, NetworkIP, LocalSubnetMask, NetworkSubnetMask, MACAddress, Detail,
              Executable, WindowsFolder, SystemFolder, Detail1, Detail2, RunningTime, StandardName, DaylightName);
  BSI_GETTERS(std::int32_t, MajorVersion, MinorVersion, BuildNumber, Width, Height, Bias, StandardBias, DaylightBias);
  BSI_GETTERS(bool, IsAdmin, Active, DaylightActive);
  BSI_GETTERS(Currency, BitsPerPixel);
  Variant ComputerName() override { return Call("ComputerName"); }
  Variant Installed() override { return Call("Installed"); }
  std::shared_ptr<Object> Drives() override {
    const Variant result = Call("Drives");
    return result.kind() == VariantKind::Object ? result.AsObject() : nullptr;
  }
  void SetColors(WindowHandle gauge, std::int32_t bar, std::int32_t back) override {
    Call("SetColors(" + std::to_string(gauge) + "," + std::to_string(bar) + "," + std::to_string(back) + ")");
  }

 private:
  Variant Call(const std::string& operation) { return library_.Call(ClassName(class_) + "." + operation); }
  template <class T>
  T Get(const char* operation) {
    return As<T>(Call(operation));
  }
  std::optional<Variant> Found() const { return library_.Registry(root_, key_path_, value_name_); }

  ScriptedLibrary& library_;
  QueryClass class_;
  std::int32_t root_ = 0;
  Text key_path_;
  Text value_name_;
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
  Set("ProcessorInfo.Description", u"Intel(R) Core(TM) i5 CPU M 520 @ 2.40GHz");
  Set("MemoryInfo.PhysicalTotal", u"4294967296");
  Set("MemoryInfo.PhysicalFree", u"1073741824");
  Set("MemoryInfo.PageFileTotal", u"8589934592");
  Set("MemoryInfo.PageFileFree", u"4294967296");
  Set("MemoryInfo.VirtualTotal", u"2147352576");
  Set("MemoryInfo.VirtualFree", u"1879048192");
  Set("ComputerInfo.ComputerName", u"WORKSTATION");
  Set("UserInfo.UserName", u"Anna");
  Set("NetworkInfo.LocalIP", u"127.0.0.1");
  Set("NetworkInfo.LocalSubnetMask", u"255.0.0.0");
  Set("NetworkInfo.NetworkIP", u"192.168.1.20");
  Set("NetworkInfo.NetworkSubnetMask", u"255.255.255.0");
  Set("NetworkInfo.MACAddress", u"00-1A-2B-3C-4D-5E");
  Set("DefaultBrowserInfo.Name", u"Firefox");
  Set("DefaultBrowserInfo.Detail", u"C:\\Program Files\\Mozilla Firefox\\firefox.exe");
  Set("FolderInfo.WindowsFolder", u"C:\\Windows");
  Set("FolderInfo.SystemFolder", u"C:\\Windows\\system32");
  Set("DefaultPrinterInfo.Name", u"HP LaserJet 4");
  Set("DefaultPrinterInfo.Detail1", u"HP LaserJet 4 PCL");
  Set("DefaultPrinterInfo.Detail2", u"LPT1:");
  Set("UptimeInfo.RunningTime", u"1 d 02:03:04");
  Set("TimeZoneInfo.Name", u"W. Europe Standard Time");
  Set("OSVersionInfo.MajorVersion", Variant::Long(6));
  Set("OSVersionInfo.MinorVersion", Variant::Long(1));
  Set("OSVersionInfo.BuildNumber", Variant::Long(7601));
  Set("AdminRightsInfo.IsAdmin", Variant::Boolean(true));
  Set("DialUpInfo.Active", Variant::Boolean(false));
  Set("DisplayInfo.Width", Variant::Long(1024));
  Set("DisplayInfo.Height", Variant::Long(768));
  Set("DisplayInfo.BitsPerPixel", Variant::FromCurrency(Currency::FromWhole(32)));
  Set("SoundInfo.Installed", Variant::Boolean(true));
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
  Fail("create " + ClassName(cls), number, std::move(description));
}

void ScriptedLibrary::FailAllCreations() {
  for (int i = 0; i < kQueryClassCount; ++i) FailCreate(static_cast<QueryClass>(i));
}

void ScriptedLibrary::ClearFailures() {
  failures_.clear();
}

std::unique_ptr<QueryObject> ScriptedLibrary::Create(QueryClass cls) {
  const std::string entry = "create " + ClassName(cls);
  log_->Add(entry);
  if (auto failure = failures_.find(entry); failure != failures_.end()) throw failure->second;
  const auto slot = static_cast<std::size_t>(cls);
  if (slot >= creations_.size()) Raise(err::kCannotCreateObject);
  ++creations_[slot];
  ++live_;
  // The product finds the asked class by dynamic_cast, which crosses from this base to any other.
  return std::unique_ptr<QueryObject>(static_cast<MemoryInfo*>(new FakeObject(*this, cls)));
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
  log_->Add("release ", ClassName(cls));
}

}  // namespace bsi::test
