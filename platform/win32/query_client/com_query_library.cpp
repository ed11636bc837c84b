// SPDX-License-Identifier: MIT
// One adapter per library class: the core's abstract class over the class's early-bound interface.
#include <objbase.h>

#include <limits>

#include "BrindtSysQuery.h"
#include "com_call.h"
#include "runtime/error.h"

namespace bsi::win32 {
namespace {

using Microsoft::WRL::ComPtr;

template <class I>
using Com = ComCaller<I>;

class ComRegistryReader final : public RegistryReader, Com<IRegistryReader> {
 public:
  using ComCaller::ComCaller;
  bool Exists() override { return Get(&IRegistryReader::get_Exists) != VARIANT_FALSE; }
  Variant Value() override { return GetVariant(&IRegistryReader::get_Value); }
  void SetValueType(std::int32_t type) override { Call(&IRegistryReader::put_ValueType, long{type}); }
  void SetRoot(std::int32_t root) override { Call(&IRegistryReader::put_Root, long{root}); }
  void SetKeyPath(const Text& path) override { Call(&IRegistryReader::put_KeyPath, Bstr(path).get()); }
  void SetValueName(const Text& name) override { Call(&IRegistryReader::put_ValueName, Bstr(name).get()); }

 private:
  static UniqueBstr Bstr(const Text& text) {
    return UniqueBstr(AllocBstr(std::wstring_view(reinterpret_cast<const wchar_t*>(text.data()), text.size())));
  }
};

class ComOSVersionInfo final : public OSVersionInfo, Com<IOSVersionInfo> {
 public:
  using ComCaller::ComCaller;
  Text Name() override { return GetText(&IOSVersionInfo::get_Name); }
  std::int32_t MajorVersion() override { return Get(&IOSVersionInfo::get_MajorVersion); }
  std::int32_t MinorVersion() override { return Get(&IOSVersionInfo::get_MinorVersion); }
  std::int32_t BuildNumber() override { return Get(&IOSVersionInfo::get_BuildNumber); }
};

class ComProcessorInfo final : public ProcessorInfo, Com<IProcessorInfo> {
 public:
  using ComCaller::ComCaller;
  Text Description() override { return GetText(&IProcessorInfo::get_Description); }
};

class ComMemoryInfo final : public MemoryInfo, Com<IMemoryInfo> {
 public:
  using ComCaller::ComCaller;
  Text PhysicalTotal() override { return GetText(&IMemoryInfo::get_PhysicalTotal); }
  Text PhysicalFree() override { return GetText(&IMemoryInfo::get_PhysicalFree); }
  Text PageFileTotal() override { return GetText(&IMemoryInfo::get_PageFileTotal); }
  Text PageFileFree() override { return GetText(&IMemoryInfo::get_PageFileFree); }
  Text VirtualTotal() override { return GetText(&IMemoryInfo::get_VirtualTotal); }
  Text VirtualFree() override { return GetText(&IMemoryInfo::get_VirtualFree); }
};

class ComComputerInfo final : public ComputerInfo, Com<IComputerInfo> {
 public:
  using ComCaller::ComCaller;
  Variant ComputerName() override { return GetVariant(&IComputerInfo::get_ComputerName); }
};

class ComUserInfo final : public UserInfo, Com<IUserInfo> {
 public:
  using ComCaller::ComCaller;
  Text UserName() override { return GetText(&IUserInfo::get_UserName); }
};

class ComAdminRightsInfo final : public AdminRightsInfo, Com<IAdminRightsInfo> {
 public:
  using ComCaller::ComCaller;
  bool IsAdmin() override { return Get(&IAdminRightsInfo::get_IsAdmin) != VARIANT_FALSE; }
};

class ComNetworkInfo final : public NetworkInfo, Com<INetworkInfo> {
 public:
  using ComCaller::ComCaller;
  Text LocalIP() override { return GetText(&INetworkInfo::get_LocalIP); }
  Text NetworkIP() override { return GetText(&INetworkInfo::get_NetworkIP); }
  Text LocalSubnetMask() override { return GetText(&INetworkInfo::get_LocalSubnetMask); }
  Text NetworkSubnetMask() override { return GetText(&INetworkInfo::get_NetworkSubnetMask); }
  Text MACAddress() override { return GetText(&INetworkInfo::get_MACAddress); }
};

class ComDialUpInfo final : public DialUpInfo, Com<IDialUpInfo> {
 public:
  using ComCaller::ComCaller;
  bool Active() override { return Get(&IDialUpInfo::get_Active) != VARIANT_FALSE; }
};

class ComDefaultBrowserInfo final : public DefaultBrowserInfo, Com<IDefaultBrowserInfo> {
 public:
  using ComCaller::ComCaller;
  Text Detail() override { return GetText(&IDefaultBrowserInfo::get_Detail); }
  Text Executable() override { return GetText(&IDefaultBrowserInfo::get_Executable); }
  Text Name() override { return GetText(&IDefaultBrowserInfo::get_Name); }
};

class ComFolderInfo final : public FolderInfo, Com<IFolderInfo> {
 public:
  using ComCaller::ComCaller;
  Text WindowsFolder() override { return GetText(&IFolderInfo::get_WindowsFolder); }
  Text SystemFolder() override { return GetText(&IFolderInfo::get_SystemFolder); }
};

class ComDisplayInfo final : public DisplayInfo, Com<IDisplayInfo> {
 public:
  using ComCaller::ComCaller;
  Currency BitsPerPixel() override { return Currency{Get(&IDisplayInfo::get_BitsPerPixel).int64}; }
  std::int32_t Width() override { return Get(&IDisplayInfo::get_Width); }
  std::int32_t Height() override { return Get(&IDisplayInfo::get_Height); }
};

class ComDefaultPrinterInfo final : public DefaultPrinterInfo, Com<IDefaultPrinterInfo> {
 public:
  using ComCaller::ComCaller;
  Text Name() override { return GetText(&IDefaultPrinterInfo::get_Name); }
  Text Detail1() override { return GetText(&IDefaultPrinterInfo::get_Detail1); }
  Text Detail2() override { return GetText(&IDefaultPrinterInfo::get_Detail2); }
};

class ComSoundInfo final : public SoundInfo, Com<ISoundInfo> {
 public:
  using ComCaller::ComCaller;
  Variant Installed() override { return GetVariant(&ISoundInfo::get_Installed); }
};

class ComUptimeInfo final : public UptimeInfo, Com<IUptimeInfo> {
 public:
  using ComCaller::ComCaller;
  Text RunningTime() override { return GetText(&IUptimeInfo::get_RunningTime); }
};

class ComTimeZoneInfo final : public TimeZoneInfo, Com<ITimeZoneInfo> {
 public:
  using ComCaller::ComCaller;
  std::int32_t Bias() override { return Get(&ITimeZoneInfo::get_Bias); }
  Text StandardName() override { return GetText(&ITimeZoneInfo::get_StandardName); }
  std::int32_t StandardBias() override { return Get(&ITimeZoneInfo::get_StandardBias); }
  Text DaylightName() override { return GetText(&ITimeZoneInfo::get_DaylightName); }
  std::int32_t DaylightBias() override { return Get(&ITimeZoneInfo::get_DaylightBias); }
  bool DaylightActive() override { return Get(&ITimeZoneInfo::get_DaylightActive) != VARIANT_FALSE; }
  Text Name() override { return GetText(&ITimeZoneInfo::get_Name); }
};

class ComDriveInfo final : public DriveInfo, Com<IDriveInfo> {
 public:
  using ComCaller::ComCaller;
  std::shared_ptr<Object> Drives() override {
    ComPtr<IDispatch> drives;
    Call(&IDriveInfo::get_Drives, drives.GetAddressOf());
    if (!drives) return nullptr;
    VARIANT object;
    VariantInit(&object);
    V_VT(&object) = VT_DISPATCH;
    V_DISPATCH(&object) = drives.Get();
    const Variant converted = ToVariant(object);
    if (!std::dynamic_pointer_cast<Collection>(converted.AsObject())) Raise(err::kTypeMismatch);
    return converted.AsObject();
  }
};

class ComProgressBarColors final : public ProgressBarColors, Com<IProgressBarColors> {
 public:
  using ComCaller::ComCaller;
  void SetColors(WindowHandle gauge, std::int32_t bar_color, std::int32_t back_color) override {
    // Window handles fit 32 bits; a Long is what scripting callers pass too.
    VARIANT handle;
    VariantInit(&handle);
    const auto value = static_cast<LONG_PTR>(gauge);
    if (value >= std::numeric_limits<LONG>::min() && value <= std::numeric_limits<LONG>::max()) {
      V_VT(&handle) = VT_I4;
      V_I4(&handle) = static_cast<LONG>(value);
    } else {
      V_VT(&handle) = VT_I8;
      V_I8(&handle) = value;
    }
    Call(&IProgressBarColors::SetColors, handle, long{bar_color}, long{back_color});
  }
};

template <class Adapter, class I>
std::unique_ptr<QueryObject> Make(REFCLSID clsid) {
  ComPtr<I> object;
  if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, __uuidof(I),
                              reinterpret_cast<void**>(object.GetAddressOf())))) {
    Raise(err::kCannotCreateObject);
  }
  return std::make_unique<Adapter>(std::move(object));
}

class ComQueryLibrary final : public QueryLibrary {
 public:
  std::unique_ptr<QueryObject> Create(QueryClass cls) override {
    switch (cls) {
#define BSI_CLASS(name)  \
  case QueryClass::name: \
    return Make<Com##name, I##name>(CLSID_##name);
      BSI_CLASS(RegistryReader)
      BSI_CLASS(OSVersionInfo)
      BSI_CLASS(ProcessorInfo)
      BSI_CLASS(MemoryInfo)
      BSI_CLASS(ComputerInfo)
      BSI_CLASS(UserInfo)
      BSI_CLASS(AdminRightsInfo)
      BSI_CLASS(NetworkInfo)
      BSI_CLASS(DialUpInfo)
      BSI_CLASS(DefaultBrowserInfo)
      BSI_CLASS(FolderInfo)
      BSI_CLASS(DisplayInfo)
      BSI_CLASS(DefaultPrinterInfo)
      BSI_CLASS(SoundInfo)
      BSI_CLASS(UptimeInfo)
      BSI_CLASS(TimeZoneInfo)
      BSI_CLASS(DriveInfo)
      BSI_CLASS(ProgressBarColors)
#undef BSI_CLASS
    }
    Raise(err::kCannotCreateObject);
  }
};

}  // namespace

std::unique_ptr<QueryLibrary> CreateComQueryLibrary() {
  return std::make_unique<ComQueryLibrary>();
}

}  // namespace bsi::win32
