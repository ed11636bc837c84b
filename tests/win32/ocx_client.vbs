' SPDX-License-Identifier: MIT
' A script client of the control. cscript swallows run-time errors and exits 0, so every step checks Err itself
' and the exit code says what went wrong: 0 all well, 10 CreateObject failed, 11 ShowSysInfo failed,
' 12 ShowSysInfo gave something else than Empty.
Option Explicit
On Error Resume Next

Dim control, result
Set control = CreateObject("BrindtSysInfo.ctlBrindtSysInfo")
If Err.Number <> 0 Then
  WScript.Echo "CreateObject failed: " & Err.Number & " " & Err.Description
  WScript.Quit 10
End If

result = control.ShowSysInfo
If Err.Number <> 0 Then
  WScript.Echo "ShowSysInfo failed: " & Err.Number & " " & Err.Description
  WScript.Quit 11
End If
If Not IsEmpty(result) Then
  WScript.Echo "ShowSysInfo returned " & TypeName(result)
  WScript.Quit 12
End If
Set control = Nothing
WScript.Quit 0
