' SPDX-License-Identifier: MIT
' A script client of the control. cscript swallows run-time errors and exits 0, so the exit code says what came:
' 0 all well, 10 CreateObject failed, 11 ShowSysInfo failed, 12 ShowSysInfo gave something else than Empty.
Option Explicit
On Error Resume Next
Dim control, result
Set control = CreateObject("BrindtSysInfo.ctlBrindtSysInfo")
If Err.Number <> 0 Then WScript.Echo "CreateObject: " & Err.Number & " " & Err.Description : WScript.Quit 10
result = control.ShowSysInfo
If Err.Number <> 0 Then WScript.Echo "ShowSysInfo: " & Err.Number & " " & Err.Description : WScript.Quit 11
If Not IsEmpty(result) Then WScript.Echo "ShowSysInfo gave " & TypeName(result) : WScript.Quit 12
WScript.Quit 0
