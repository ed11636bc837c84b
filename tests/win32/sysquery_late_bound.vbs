' SPDX-License-Identifier: MIT
' BrindtSysQuery.dll from a script, late-bound: a value of each result type, the collection protocol and
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

' Err.Number is 0, or names what came instead.
Sub CheckNoError(what)
  Check Err.Number = 0, what & ": expected no error, got " & Err.Number & " " & Err.Description
  Err.Clear
End Sub

Sub CheckError(number, what)
  Check Err.Number = number, what & ": expected error " & number & ", got " & Err.Number & " " & Err.Description
  Err.Clear
End Sub

Function Create(name)
  Err.Clear
  Set Create = CreateObject("BrindtSysQuery." & name)
  CheckNoError "CreateObject " & name
End Function

Dim o, value, item, seen, drives

' A member of each result type read late-bound, the type the script sees (every member of every class:
' sysquery_com_test); a failed read leaves Empty.
Sub CheckValue(value, expected, what)
  CheckNoError what
  Check TypeName(value) = expected, what & ": expected a " & expected & ", got a " & TypeName(value)
End Sub

value = Empty : value = Create("OSVersionInfo").MajorVersion : CheckValue value, "Long", "OSVersionInfo.MajorVersion"
value = Empty : value = Create("MemoryInfo").PhysicalTotal : CheckValue value, "String", "MemoryInfo.PhysicalTotal"
value = Empty : value = Create("AdminRightsInfo").IsAdmin : CheckValue value, "Boolean", "AdminRightsInfo.IsAdmin"
value = Empty : value = Create("DisplayInfo").BitsPerPixel : CheckValue value, "Currency", "DisplayInfo.BitsPerPixel"
value = 0 : value = CDbl(Create("MemoryInfo").PhysicalTotal) : Check value > 0, "PhysicalTotal: expected above 0, got " & value

Set o = Create("RegistryReader")
o.Root = &H80000002
o.KeyPath = "Software\Microsoft\Windows NT\CurrentVersion"
o.ValueName = "CurrentVersion"
value = o.Value
CheckNoError "RegistryReader.Value"
Check TypeName(value) = "String" And Len(value) > 0 And o.Exists, _
  "RegistryReader: expected CurrentVersion as a String, got a " & TypeName(value) & " """ & value & """"
Check o.KeyPath = "Software\Microsoft\Windows NT\CurrentVersion", "RegistryReader: expected KeyPath kept, got " & o.KeyPath
o.Root = 7
CheckError 380, "RegistryReader.Root = 7"

Set drives = Create("DriveInfo").Drives
CheckNoError "DriveInfo.Drives"
Check drives.Count >= 1, "Drives.Count: expected at least 1, got " & drives.Count
seen = 0
For Each item In drives
  seen = seen + 1
  Check item = drives(seen) And Mid(item, 2, 2) = ":\", "For Each: expected Item(" & seen & ") " & drives(seen) & _
    ", got " & item
Next
Check seen = drives.Count, "For Each: expected " & drives.Count & " items, got " & seen
item = drives.Item(drives.Count + 1)
CheckError 9, "Item(Count + 1)"

Create("ProgressBarColors").SetColors 0, RGB(255, 0, 0), RGB(0, 0, 255)
CheckError 5, "SetColors without a window"
Set o = CreateObject("BrindtSysQuery.NoSuchClass")
CheckError 429, "an unknown class"

WScript.Echo "sysquery_late_bound.vbs: " & executed & " tests executed (" & failures & " failures, 0 skipped)"
WScript.Quit failures
