// SPDX-License-Identifier: MIT
// Addresses, masks, MAC address, dial-up state and default browser.
#include "info_list/list_run.h"

namespace bsi {

void AppendNetworkRows(ListRun& run) {
  run.AddSpacer();
  run.AddRow(run.String(str::kLocalIp), [&] { return run.Get<NetworkInfo>().LocalIP(); });
  run.AddRow(run.String(str::kLocalSubnetMask), [&] { return run.Get<NetworkInfo>().LocalSubnetMask(); });
  run.AddRow(run.String(str::kNetworkIp), [&] { return run.Get<NetworkInfo>().NetworkIP(); });
  run.AddRow(run.String(str::kNetworkSubnetMask), [&] { return run.Get<NetworkInfo>().NetworkSubnetMask(); });
  run.AddRow(run.String(str::kMacAddress), [&] { return run.Get<NetworkInfo>().MACAddress(); });
  run.AddSpacer();
  run.AddRow(run.String(str::kDialUp),
             [&] { return run.String(run.Get<DialUpInfo>().Active() ? str::kActive : str::kNone); });
  // A fixed label, the same in every language.
  run.AddRow(u"Standardbrowser:", [&] {
    auto& browser = run.Get<DefaultBrowserInfo>();
    Text value = browser.Name();
    return value + u" [" + browser.Detail() + u"]";
  });
}

}  // namespace bsi
