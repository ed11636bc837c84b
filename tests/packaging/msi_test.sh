#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Tests the packages of packaging/build-msi and registration-free use under Wine.
#   tests/packaging/msi_test.sh [X64_BIN_DIR [X86_BIN_DIR]]   (default: build/windows/bin, build/windows-x86/bin)
# In a 64-bit prefix (WoW64) the x64 package installs over an older one (one product stays), in a 32-bit prefix
# the x86 package installs; then in each the scripts of every bitness show the control's window, the registry is
# exactly what regsvr32 of the installed modules writes, and uninstalling leaves no key, file or product. The
# 64-bit prefix also checks that the x86 package refuses it, that a repair puts deleted modules back, and, with
# nothing registered, registration-free use of both bitnesses from folders with the modules and the manifests.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
source "$here/bed.sh"
source "$root/tools/lib/wine-paths"
programs=(BrindtSysInfo.ocx BrindtSysQuery.dll registration_export.exe registration_views_test.exe ocx_control_test.exe
  regfree_test.exe BrindtSysInfoHost.exe BrindtSysInfoHostRegFree.exe)

run() { timeout -k 5 120 "$wine" "$@"; }
msiexec() { run msiexec "$1" "$(wine_path "$2")" "${@:3}" /qn; }
# dump NAME: HKCR and both views' CLSID and Interface keys (registration_views_test) into $BED/NAME.
dump() {
  run "$bin/registration_views_test.exe" --dump "$(wine_path "$BED/$1.raw")" && tr -d '\0' <"$BED/$1.raw" >"$BED/$1"
}
# same GOT EXPECTED IGNORED: two dumps are equal but for the lines matching IGNORED, or the differences show.
same() {
  local differences
  differences=$(diff <(grep -v "$3" "$BED/$2") <(grep -v "$3" "$BED/$1") | grep '^[<>]' | head -n 12) || true
  [ -z "$differences" ] || { echo "$1 against $2 (< expected, > got):"$'\n'"$differences"; return 1; }
}
# regsvr32_all OPTION FOLDER...: the regsvr32 of each module's bitness on both modules in each FOLDER under drive_c.
regsvr32_all() {
  local option=$1 folder module path
  for folder in "${@:2}"; do
    for module in BrindtSysQuery.dll BrindtSysInfo.ocx; do
      path=C:${folder#"$WINEPREFIX/drive_c"}/$module
      run "$(wine_regsvr32 "$folder/$module")" /s ${option:+"$option"} "${path//\//\\}" || return 1
    done
  done
}
# one_product: HKCR\Installer lists one product.
one_product() { dump now && grep '^Installer\\Products\\[^\\ ]*$' "$BED/now" | tee /dev/stderr | wc -l | grep -qx 1; }
# script_shows BIN: ocx_control_test --script of that build drives its bitness's cscript, in German and English.
script_shows() {
  LC_ALL=de_DE.UTF-8 run "$1/ocx_control_test.exe" --script && LC_ALL=en_US.UTF-8 run "$1/ocx_control_test.exe" --script
}
# lines HOST LANGUAGE OUT: the number of lines the demo host's window copies (--dump) into OUT, at least 30. The
# host closes its window once the file it wrote is gone.
lines() {
  rm -f "$BED/list.txt"
  LC_ALL=$2 "$wine" "$1" --dump "$(wine_path "$BED/list.txt")" >"$BED/host.log" 2>&1 &
  local pid=$! i
  for ((i = 0; i < 600; i++)); do [ -e "$BED/list.txt" ] || ! kill -0 $pid 2>/dev/null && break; sleep 0.1; done
  grep -c '' "$BED/list.txt" >"$3" && rm "$BED/list.txt" && wait $pid || { cat "$BED/host.log"; kill $pid; return 1; }
  echo "$1: $(cat "$3") lines" && [ "$(cat "$3")" -ge 30 ]
}
regfree_lines() { lines "$1/BrindtSysInfoHostRegFree.exe" "$2" "$BED/regfree" && cmp "$BED/regfree" "$BED/registered"; }
baseline() {
  echo 'WScript.Quit 0' >"$BED/quit.vbs"
  for cscript; do run "$cscript" //Nologo "$(wine_path "$BED/quit.vbs")" || return 1; done
  dump empty
}
# repaired PACKAGE: with the x64 control and the x86 query library deleted, a repair puts both back. Wine's
# msiexec /f finds no product by its package: the same repair through the properties.
repaired() {
  local ocx=${folders[0]}/BrindtSysInfo.ocx dll=${folders[1]}/BrindtSysQuery.dll
  rm "$ocx" "$dll" && msiexec /i "$1" REINSTALL=ALL REINSTALLMODE=omus && cmp "$ocx" "$x64/BrindtSysInfo.ocx" &&
    cmp "$dll" "$x86/BrindtSysQuery.dll"
}
# as_regsvr32 FOLDER...: with the package installed, regsvr32 /u of the modules in the FOLDERs leaves the registry
# of before installing, and regsvr32 writes exactly what the package wrote. The product's own keys
# (HKCR\Installer, its source list changed by a repair) stay until it is uninstalled.
as_regsvr32() {
  dump installed && regsvr32_all /u "$@" && dump unregistered && same unregistered empty '^Installer\(\\\|$\)' &&
    regsvr32_all "" "$@" && dump regsvr32 && same installed regsvr32 '^Installer\(\\\|$\)'
}
# uninstalled PACKAGE: msiexec /x leaves no key (Windows Installer keeps its own empty ones), file or product.
uninstalled() {
  msiexec /x "$1" && dump uninstalled &&
    same uninstalled empty '^Installer\(\\Features\|\\Products\|\\UpgradeCodes\)\?$' &&
    ! find "$WINEPREFIX/drive_c" -ipath '*brindt*' | grep .
}

# in_bed 64|32: the package of the prefix's Windows, from installing to uninstalling.
in_bed() {
  local bits=$1 cscripts=(cscript.exe) folders=("$WINEPREFIX/drive_c/Program Files/Brindt SysInfo") arch=x64
  local x86_folder="$WINEPREFIX/drive_c/Program Files (x86)/Brindt SysInfo"
  [ "$bits" = 64 ] && cscripts+=('C:\windows\syswow64\cscript.exe') && folders+=("$x86_folder") || arch=x86
  bin=$x64 && [ "$bits" = 64 ] || bin=$x86
  local msi
  if [ "$bits" = 64 ]; then
    export BSI_X64_BIN=$x64 BSI_X86_BIN=$x86
    ok "build-msi writes the packages" "$root/packaging/build-msi" "$BED/dist"
    # An older release differs in the revision alone: the ProductVersion rule must still order them.
    IFS=. read -r major minor build revision <<<"$(basename "$(ls "$BED"/dist/*-x64.msi)" -x64.msi | cut -d- -f2)"
    local older=$major.$minor.$build.$((revision - 1))
    [ "$revision" -gt 0 ] || older=$major.$minor.$((build - 1)).999
    BSI_MSI_VERSION=$older ok "build-msi writes an older package" "$root/packaging/build-msi" "$BED/old"
  fi
  msi=$(ls "$BED"/dist/BrindtSysInfo-*-$arch.msi)
  ok "$bits: the script hosts start, nothing registered" baseline "${cscripts[@]}"
  if [ "$bits" = 64 ]; then
    ok "64: the x86 package refuses 64-bit Windows" not msiexec /i "${msi/-x64/-x86}"
    ok "64: the older package installs" msiexec /i "$(ls "$BED"/old/*-x64.msi)"
  fi
  ok "$bits: the package installs" msiexec /i "$msi"
  ok "$bits: one product listed" one_product
  ok "$bits: the $bits-bit cscript shows the window" script_shows "$bin"
  if [ "$bits" = 64 ]; then
    ok "64: the 32-bit cscript shows the window" script_shows "$x86"
    ok "64: the registered host shows the list" lines "$x64/BrindtSysInfoHost.exe" en_US.UTF-8 "$BED/registered"
    ok "64: a repair brings deleted modules back" repaired "$msi"
  fi
  ok "$bits: the package's registry is what regsvr32 writes" as_regsvr32 "${folders[@]}"
  ok "$bits: uninstalling leaves nothing" uninstalled "$msi"
  [ "$bits" = 32 ] || for arch in x64 x86; do
    local folder=$BED/regfree-$arch from=$x64 language=de_DE.UTF-8
    [ "$arch" = x64 ] || from=$x86 language=en_US.UTF-8
    mkdir "$folder"
    cp "$from"/{BrindtSysInfo.ocx,BrindtSysQuery.dll,regfree_test.exe,BrindtSysInfoHostRegFree.exe} \
      "$BED/dist/$arch"/Brindt.*.manifest "$folder/"
    ok "registration-free $arch: classes, ProgIDs, status, libraries" run "$folder/regfree_test.exe"
    ok "registration-free $arch: the host shows the whole list ($language)" regfree_lines "$folder" "$language"
  done
  finish "msi_test_$bits"
}

if [ "${1:-}" = --in-bed ]; then
  BED=$2 x64=$3 x86=$4
  in_bed "$5"
  exit
fi
x64=$(cd "${1:-$root/build/windows/bin}" && pwd) x86=$(cd "${2:-$root/build/windows-x86/bin}" && pwd)
built windows "$x64" "${programs[@]}"
built windows-x86 "$x86" "${programs[@]}"
new_bed "$(dirname "$x64")"
mkdir "$BED/bed64" "$BED/bed32"
status=0
"$root/tools/lib/wine-bed" "$BED/bed64" "$0" --in-bed "$BED" "$x64" "$x86" 64 || status=1
BSI_WINE_ARCH=win32 "$root/tools/lib/wine-bed" "$BED/bed32" "$0" --in-bed "$BED" "$x64" "$x86" 32 || status=1
exit "$status"
