' SPDX-License-Identifier: MIT
' BrindtSysQuery.dll from a script, late-bound: property puts and a value, the collection protocol with its
' default member and its index conversions, and run-time error numbers as a script sees them (every member's result
' type: sysquery_com_test). Wine's cscript swallows run-time errors and exits 0, so every step is checked by hand and
' the exit code is the number of failures.
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

Set o = Create("RegistryReader")
o.Root = &H80000002
o.KeyPath = "Software\Microsoft\Windows NT\CurrentVersion"
o.ValueName = "CurrentVersion"
value = o.Value
CheckNoError "RegistryReader.Value"
Check TypeName(value) = "String" And Len(value) > 0 And o.Exists, _
  "RegistryReader: expected CurrentVersion as a String, got a " & TypeName(value) & " """ & value & """"

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
' An index as text is converted; text that is no number is a type mismatch.
item = drives("1")
CheckNoError "Item(""1"")"
Check item = drives(1), "Item(""1""): expected " & drives(1) & ", got " & item
item = drives("C:")
CheckError 13, "Item(""C:"")"


WScript.Echo "sysquery_late_bound.vbs: " & executed & " tests executed (" & failures & " failures, 0 skipped)"
WScript.Quit failures
