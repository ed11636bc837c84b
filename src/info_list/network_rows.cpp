// SPDX-License-Identifier: MIT
// Addresses, masks, MAC address, dial-up state and default browser.
#include "info_list/list_run.h"

namespace bsi {

void AppendNetworkRows(ListRun& run) {
  run.AddSpacer();
  run.AddRow(run.S(str::kLocalIp), [&] { return run.Get<NetworkInfo>().LocalIP(); });
  run.AddRow(run.S(str::kLocalSubnetMask), [&] { return run.Get<NetworkInfo>().LocalSubnetMask(); });
  run.AddRow(run.S(str::kNetworkIp), [&] { return run.Get<NetworkInfo>().NetworkIP(); });
  run.AddRow(run.S(str::kNetworkSubnetMask), [&] { return run.Get<NetworkInfo>().NetworkSubnetMask(); });
  run.AddRow(run.S(str::kMacAddress), [&] { return run.Get<NetworkInfo>().MACAddress(); });
  run.AddSpacer();
  run.AddRow(run.S(str::kDialUp), [&] { return run.S(run.Get<DialUpInfo>().Active() ? str::kActive : str::kNone); });
  // A fixed label, the same in every language.
  run.AddRow(u"Standardbrowser:", [&] {
    auto& browser = run.Get<DefaultBrowserInfo>();
    Text value = browser.Name();
    return value + u" [" + browser.Detail() + u"]";
  });
}

}  // namespace bsi
