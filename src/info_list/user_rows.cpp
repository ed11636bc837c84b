// SPDX-License-Identifier: MIT
// Computer name, logged-on user and administrator rights.
#include "info_list/list_run.h"

namespace bsi {

void AppendUserRows(ListRun& run) {
  run.AddSpacer();
  // A fixed label, the same in every language.
  run.AddRow(u"Computername:", [&] { return run.TextOf(run.Get<ComputerInfo>().ComputerName()); });
  run.AddRow(run.String(str::kLoggedOnUser), [&] { return run.Get<UserInfo>().UserName(); });
  run.AddRow(run.String(str::kAdministrator),
             [&] { return run.String(run.Get<AdminRightsInfo>().IsAdmin() ? str::kYes : str::kNo); });
}

}  // namespace bsi
