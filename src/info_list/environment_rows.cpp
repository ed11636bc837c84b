// SPDX-License-Identifier: MIT
// Folders, screen resolution, installed fonts, default printer and sound card.
#include "info_list/list_run.h"
#include "info_list/row_texts.h"

namespace bsi {

void AppendEnvironmentRows(ListRun& run) {
  run.AddSpacer();
  run.AddRow(run.String(str::kWindowsFolder), [&] { return run.Get<FolderInfo>().WindowsFolder(); });
  run.AddRow(run.String(str::kSystemFolder), [&] { return run.Get<FolderInfo>().SystemFolder(); });
  run.AddSpacer();
  run.AddRow(run.String(str::kScreenResolution), [&] { return ScreenRowText(run.Get<DisplayInfo>(), run.locale()); });
  run.AddSpacer();
  run.AddRow(run.String(str::kInstalledFonts), [&] { return Decimal(run.context().screen.FontCount()); });
  run.AddSpacer();
  run.AddRow(run.String(str::kStandardPrinter), [&] {
    auto& printer = run.Get<DefaultPrinterInfo>();
    Text value = printer.Name();
    value += u" [" + printer.Detail1();
    return value + u" - " + printer.Detail2() + u"]";
  });
  run.AddSpacer();
  run.AddRow(run.String(str::kSoundcard), [&] {
    const bool installed = ToCondition(run.Get<SoundInfo>().Installed(), run.locale());
    return run.String(installed ? str::kYes : str::kNo);
  });
}

}  // namespace bsi
