' SPDX-License-Identifier: MIT
' A script client of the control. cscript swallows run-time errors and exits 0, so the exit code says what came:
' 0 all well, 11 CreateObject or ShowSysInfo failed, 12 ShowSysInfo gave something else than Empty.
On Error Resume Next
Dim result : result = CreateObject("BrindtSysInfo.ctlBrindtSysInfo").ShowSysInfo
If Err.Number <> 0 Then WScript.Echo "ShowSysInfo: " & Err.Number & " " & Err.Description : WScript.Quit 11
If Not IsEmpty(result) Then WScript.Echo "ShowSysInfo gave " & TypeName(result) : WScript.Quit 12
