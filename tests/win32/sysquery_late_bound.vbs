' SPDX-License-Identifier: MIT
' BrindtSysQuery.dll from a script, late-bound: every class by ProgID, a value of each, the collection protocol and
' the run-time error numbers a script sees. Wine's cscript swallows run-time errors and exits 0, so every step is
' checked by hand and the exit code is the number of failures.
Option Explicit
On Error Resume Next

Dim failures, executed
failures = 0
executed = 0

Sub Check(condition, message)
  executed = executed + 1
  If Not condition Then
    failures = failures + 1
    WScript.Echo "sysquery_late_bound.vbs: Test failed: " & message
  End If
End Sub

Function Create(name)
  Err.Clear
  Set Create = CreateObject("BrindtSysQuery." & name)
  Check Err.Number = 0, name & ": CreateObject error " & Err.Number & " " & Err.Description
  Err.Clear
End Function

Sub CheckValue(value, expectedType, what)
  Check Err.Number = 0, what & ": error " & Err.Number & " " & Err.Description
  Check TypeName(value) = expectedType, what & ": " & TypeName(value) & ", expected " & expectedType
  Err.Clear
End Sub

Dim o, value, count, item, seen

Set o = Create("RegistryReader")
o.Root = &H80000002
o.KeyPath = "Software\Microsoft\Windows NT\CurrentVersion"
o.ValueName = "CurrentVersion"
value = o.Value
CheckValue value, "String", "RegistryReader.Value"
Check Len(value) > 0 And o.Exists, "RegistryReader: CurrentVersion missing"
Check o.KeyPath = "Software\Microsoft\Windows NT\CurrentVersion", "RegistryReader: KeyPath lost"
o.Root = 7
Check Err.Number = 380, "RegistryReader.Root = 7: error " & Err.Number
Err.Clear

Set o = Create("OSVersionInfo")
value = o.MajorVersion
CheckValue value, "Long", "OSVersionInfo.MajorVersion"
Set o = Create("ProcessorInfo")
value = o.Description
CheckValue value, "String", "ProcessorInfo.Description"
Set o = Create("MemoryInfo")
value = o.PhysicalTotal
CheckValue value, "String", "MemoryInfo.PhysicalTotal"
Check CDbl(value) > 0, "MemoryInfo.PhysicalTotal " & value
Set o = Create("ComputerInfo")
value = o.ComputerName
CheckValue value, "String", "ComputerInfo.ComputerName"
Set o = Create("UserInfo")
value = o.UserName
CheckValue value, "String", "UserInfo.UserName"
Set o = Create("AdminRightsInfo")
value = o.IsAdmin
CheckValue value, "Boolean", "AdminRightsInfo.IsAdmin"
Set o = Create("NetworkInfo")
value = o.LocalIP
CheckValue value, "String", "NetworkInfo.LocalIP"
Set o = Create("DialUpInfo")
value = o.Active
CheckValue value, "Boolean", "DialUpInfo.Active"
Set o = Create("DefaultBrowserInfo")
value = o.Name
CheckValue value, "String", "DefaultBrowserInfo.Name"
Set o = Create("FolderInfo")
value = o.WindowsFolder
CheckValue value, "String", "FolderInfo.WindowsFolder"
Set o = Create("DisplayInfo")
value = o.BitsPerPixel
CheckValue value, "Currency", "DisplayInfo.BitsPerPixel"
Set o = Create("DefaultPrinterInfo")
value = o.Name
CheckValue value, "String", "DefaultPrinterInfo.Name"
Set o = Create("SoundInfo")
value = o.Installed
CheckValue value, "Boolean", "SoundInfo.Installed"
Set o = Create("UptimeInfo")
value = o.RunningTime
CheckValue value, "String", "UptimeInfo.RunningTime"
Set o = Create("TimeZoneInfo")
value = o.Name
CheckValue value, "String", "TimeZoneInfo.Name"

Set o = Create("DriveInfo")
Dim drives
Set drives = o.Drives
Check Err.Number = 0 And IsObject(drives), "DriveInfo.Drives: error " & Err.Number
count = drives.Count
Check count >= 1, "Drives.Count " & count
seen = 0
For Each item In drives
  seen = seen + 1
  Check item = drives(seen), "For Each item " & seen & " differs from Item(" & seen & ")"
  Check Mid(item, 2, 2) = ":\", "drive text " & item
Next
Check seen = count, "For Each saw " & seen & " of " & count
item = drives.Item(count + 1)
Check Err.Number = 9, "Item(Count + 1): error " & Err.Number
Err.Clear

Set o = Create("ProgressBarColors")
o.SetColors 0, RGB(255, 0, 0), RGB(0, 0, 255)
Check Err.Number = 5, "SetColors without a window: error " & Err.Number
Err.Clear

Set o = CreateObject("BrindtSysQuery.NoSuchClass")
Check Err.Number = 429, "unknown class: error " & Err.Number
Err.Clear

WScript.Echo "sysquery_late_bound.vbs: " & executed & " tests executed (" & failures & " failures, 0 skipped)"
WScript.Quit failures
