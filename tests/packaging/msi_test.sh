#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Tests the packages of packaging/build-msi and registration-free use under Wine.
#   tests/packaging/msi_test.sh [X64_BIN_DIR [X86_BIN_DIR]]   (default: build/windows/bin, build/windows-x86/bin)
# In a 64-bit prefix (WoW64): an older x64 package, then the current one over it; the registry (HKCR and both
# views) must then be exactly what regsvr32 of the installed modules writes, with one product listed; the control
# shows its window to the 64-bit and the 32-bit cscript in German and English; repair brings deleted modules back;
# uninstalling leaves no key and no file; the x86 package refuses 64-bit Windows. Then, with nothing registered,
# each bitness in a folder of its own with the modules and their manifests: the registration-free test program
# and the demo host's manifest variant, which must show the whole list. In a 32-bit prefix: the x86 package
# installs what regsvr32 writes, the window shows, uninstalling leaves nothing. Builds what it needs.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
# shellcheck source=tests/packaging/signing-bed
source "$here/signing-bed"
source "$root/tools/lib/wine-paths"
programs=(BrindtSysInfo.ocx BrindtSysQuery.dll registration_export.exe registration_views_test.exe ocx_script_test.exe
  regfree_test.exe BrindtSysInfoHost.exe BrindtSysInfoHostRegFree.exe)

# run PROGRAM ARGS...: a Windows program in the bed, cut after 120 s.
run() { timeout -k 5 120 "$wine" "$@"; }

# dump FILE: HKCR and both views' CLSID and Interface keys, as registration_views_test writes them (a string's
# terminating zero dropped).
dump() {
  run "$bin/registration_views_test.exe" --dump "$(wine_path "$1.raw")" && tr -d '\000' <"$1.raw" >"$1"
}

# same_dump GOT EXPECTED [IGNORED]: the two dumps are equal (but for lines matching the pattern IGNORED), or the
# first differences are shown.
same_dump() {
  diff <(grep -v "${3:-^$}" "$2") <(grep -v "${3:-^$}" "$1") >"$BED/dump.diff" && return
  echo "first differences (< expected, > got):"
  grep '^[<>]' "$BED/dump.diff" | head -n 12
  return 1
}

# msiexec /i|/x PACKAGE [PROPERTY=VALUE...]: quietly.
# Windows Installer keeps its own empty keys once it has installed anything.
msi_containers='^Installer\(\\Features\|\\Products\|\\UpgradeCodes\)\?$'

msiexec() { run msiexec "$1" "$(wine_path "$2")" "${@:3}" /qn; }

# regsvr32_all OPTIONS FOLDER...: regsvr32 of the query library and the control installed in each FOLDER (Linux
# paths below drive_c, given to regsvr32 as C:\ paths, as the package wrote them).
regsvr32_all() {
  local options=$1 folder module windows
  shift
  for folder; do
    windows=C:${folder#"$WINEPREFIX/drive_c"}
    for module in BrindtSysQuery.dll BrindtSysInfo.ocx; do
      # shellcheck disable=SC2086 # no options is no argument
      run "$(wine_regsvr32 "$folder/$module")" /s $options "${windows//\//\\}\\$module" || return 1
    done
  done
}

# baseline CSCRIPT...: a first run of each script host, which registers Wine's own script type libraries, then
# the dump of before installing, $BED/empty.txt.
baseline() {
  local script=$BED/quit.vbs cscript
  echo 'WScript.Quit 0' >"$script"
  for cscript; do run "$cscript" //Nologo "$(wine_path "$script")" || return 1; done
  dump "$BED/empty.txt"
}

# repaired PACKAGE [INSTALLED SOURCE]...: with each INSTALLED module deleted, a repair puts back a copy of SOURCE.
# Wine's msiexec /f finds no product by its package: the same repair through the properties.
repaired() {
  local package=$1 i
  shift
  for ((i = 1; i < $#; i += 2)); do rm "${!i}"; done
  msiexec /i "$package" REINSTALL=ALL REINSTALLMODE=omus || return 1
  while [ $# -ge 2 ]; do cmp "$1" "$2" || return 1; shift 2; done
}

# products: the DisplayVersion of every installed product named Brindt SysInfo, one a line.
products() {
  local file=$BED/uninstall.reg
  run regedit /E "$(wine_path "$file")" 'HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Uninstall'
  iconv -f UTF-16 -t UTF-8 "$file" | tr -d '\r' | awk -F'"' '
    /^\[/ { name = ""; version = "" }
    $2 == "DisplayName" { name = $4 } $2 == "DisplayVersion" { version = $4 }
    /^$/ && name == "Brindt SysInfo" { print version; name = "" }
    END { if (name == "Brindt SysInfo") print version }'
}

one_product() {
  local got
  got=$(products)
  echo "products: ${got:-none}"
  [ "$got" = "$1" ]
}

# script_shows BIN: ocx_script_test of that build drives its bitness's cscript, in German and in English.
script_shows() {
  LC_ALL=de_DE.UTF-8 run "$1/ocx_script_test.exe" && LC_ALL=en_US.UTF-8 run "$1/ocx_script_test.exe"
}

# host_list HOST OUT: runs the demo host with --dump and writes the window's copy-all text to OUT.
host_list() {
  local file=$BED/list.txt pid
  rm -f "$file"
  "$wine" "$1" --dump "$(wine_path "$file")" >"$BED/host.log" 2>&1 &
  pid=$!
  for _ in $(seq 600); do
    [ -e "$file" ] && break
    kill -0 "$pid" 2>/dev/null || { cat "$BED/host.log"; return 1; }
    sleep 0.1
  done
  [ -e "$file" ] || { kill "$pid"; echo "no window within 60 s"; return 1; }
  tr -d '\r' <"$file" >"$2"
  rm -f "$file"
  wait "$pid"
}

# regfree_shows HOST_LIST FOLDER LANGUAGE: the manifest host in FOLDER shows as many lines as the registered one.
regfree_shows() {
  LC_ALL=$3 host_list "$2/BrindtSysInfoHostRegFree.exe" "$BED/regfree.txt" || return 1
  echo "registered: $(wc -l <"$1") lines, registration-free: $(wc -l <"$BED/regfree.txt") lines"
  [ "$(wc -l <"$BED/regfree.txt")" -eq "$(wc -l <"$1")" ] && [ "$(wc -l <"$1")" -ge 30 ]
}

nothing_installed() {
  local left
  left=$(find "$WINEPREFIX/drive_c" -ipath '*brindt*' 2>/dev/null)
  [ -z "$left" ] || { echo "left behind: $left"; return 1; }
}

# as_regsvr32 FOLDER...: with the package installed, regsvr32 /u of the modules in the FOLDERs leaves the registry
# of before installing, and regsvr32 writes exactly what the package wrote. The product's own keys
# (HKCR\Installer, its source list changed by a repair) stay until it is uninstalled.
as_regsvr32() {
  local product='^Installer\(\\\|$\)'
  dump "$BED/installed.txt" && regsvr32_all /u "$@" && dump "$BED/unregistered.txt" || return 1
  echo "after regsvr32 /u:" && same_dump "$BED/unregistered.txt" "$BED/empty.txt" "$product" || return 1
  regsvr32_all "" "$@" && dump "$BED/regsvr32.txt" &&
    echo "the package against regsvr32:" && same_dump "$BED/installed.txt" "$BED/regsvr32.txt" "$product"
}

# uninstalled PACKAGE: msiexec /x leaves no key, no file and no product.
uninstalled() {
  msiexec /x "$1" && dump "$BED/uninstalled.txt" && same_dump "$BED/uninstalled.txt" "$BED/empty.txt" \
    "$msi_containers" && nothing_installed && one_product ""
}

in_bed64() {
  bin=$x64
  local dist=$BED/dist old=$BED/old installed64="$WINEPREFIX/drive_c/Program Files/Brindt SysInfo"
  local installed32="$WINEPREFIX/drive_c/Program Files (x86)/Brindt SysInfo" version older
  ok "build-msi writes the packages" "$root/packaging/build-msi" "$dist"
  version=$(basename "$(ls "$dist"/BrindtSysInfo-*-x64.msi)" -x64.msi)
  version=${version#BrindtSysInfo-}
  # An older release differs in the revision alone: the ProductVersion rule must still order them.
  IFS=. read -r major minor build revision <<<"$version"
  older=$major.$minor.$build.$((revision - 1))
  [ "$revision" -gt 0 ] || older=$major.$minor.$((build - 1)).999
  BSI_MSI_VERSION=$older ok "build-msi writes an older package" "$root/packaging/build-msi" "$old"
  local new64=$dist/BrindtSysInfo-$version-x64.msi
  ok "nothing registered at the start" baseline cscript.exe 'C:\windows\syswow64\cscript.exe'
  ok "the x86 package refuses 64-bit Windows" not msiexec /i "$dist/BrindtSysInfo-$version-x86.msi"
  ok "the older package installs" msiexec /i "$old/BrindtSysInfo-$older-x64.msi"
  ok "the current package installs over it" msiexec /i "$new64"
  ok "one product listed, the current one" one_product "$major.$minor.$((build * 1000 + revision))"
  ok "the 64-bit cscript shows the window" script_shows "$x64"
  ok "the 32-bit cscript shows the window" script_shows "$x86"
  ok "the registered host shows the list" host_list "$x64/BrindtSysInfoHost.exe" "$BED/registered.txt"
  ok "a repair brings deleted modules back" repaired "$new64" "$installed64/BrindtSysInfo.ocx" \
    "$x64/BrindtSysInfo.ocx" "$installed32/BrindtSysQuery.dll" "$x86/BrindtSysQuery.dll"
  ok "the package's registry is what regsvr32 writes" as_regsvr32 "$installed64" "$installed32"
  ok "uninstalling leaves nothing" uninstalled "$new64"

  local bits folder from languages=(de_DE.UTF-8 en_US.UTF-8) i=0
  for bits in x64 x86; do
    folder=$BED/regfree-$bits from=$x64
    [ "$bits" = x86 ] && from=$x86
    mkdir "$folder"
    cp "$from"/{BrindtSysInfo.ocx,BrindtSysQuery.dll,regfree_test.exe,BrindtSysInfoHostRegFree.exe} "$folder/"
    cp "$dist/$bits"/*.manifest "$folder/"
    ok "registration-free $bits: classes, ProgIDs, status, libraries" run "$folder/regfree_test.exe"
    ok "registration-free $bits: the host shows the whole list (${languages[i]})" \
      regfree_shows "$BED/registered.txt" "$folder" "${languages[i]}"
    i=$((i + 1))
  done
  finish msi_test_64
}

in_bed32() {
  bin=$x86
  local msi installed="$WINEPREFIX/drive_c/Program Files/Brindt SysInfo"
  msi=$(ls "$BED"/dist/BrindtSysInfo-*-x86.msi)
  ok "32-bit Windows: nothing registered at the start" baseline cscript.exe
  ok "32-bit Windows: the x86 package installs" msiexec /i "$msi"
  ok "32-bit Windows: cscript shows the window" script_shows "$x86"
  ok "32-bit Windows: the package's registry is what regsvr32 writes" as_regsvr32 "$installed"
  ok "32-bit Windows: uninstalling leaves nothing" uninstalled "$msi"
  finish msi_test_32
}

if [ "${1:-}" = --in-bed ]; then
  BED=$2 x64=$3 x86=$4
  "in_bed$5"
  exit
fi

x64=$(cd "${1:-$root/build/windows/bin}" && pwd)
x86=$(cd "${2:-$root/build/windows-x86/bin}" && pwd)
built windows "$x64" "${programs[@]}"
built windows-x86 "$x86" "${programs[@]}"
BED=$(mktemp -d "$(dirname "$x64")/msi-test.XXXXXX")
trap 'rm -rf "$BED"' EXIT
mkdir "$BED/bed64" "$BED/bed32"
status=0
"$root/tools/lib/wine-bed" "$BED/bed64" "$0" --in-bed "$BED" "$x64" "$x86" 64 || status=1
BSI_WINE_ARCH=win32 "$root/tools/lib/wine-bed" "$BED/bed32" "$0" --in-bed "$BED" "$x64" "$x86" 32 || status=1
exit "$status"
