/* SPDX-License-Identifier: MIT
 * Resource ids of the windows, shared by the resource script and the code. */
#pragma once

#define BSI_IDI_FORM_ICON 1
#define BSI_IDB_COPY 201

/* Commands and controls of the information window that other programs (the demo host, tests) address. */
#define BSI_CMD_COPY_VALUE 1001
#define BSI_CMD_COPY_ALL 1002
#define BSI_ID_LIST 100
#define BSI_ID_SYSTEM 101
#define BSI_ID_OK 102
#define BSI_ID_FRAME 103
#define BSI_ID_CAPTION 104 /* three: physical, virtual, page file */
#define BSI_ID_GAUGE 107   /* three */
#define BSI_ID_PERCENT 110 /* three */
#define BSI_INFO_WINDOW_CLASS L"BrindtSysInfo.frmSysInfo"

/* Controls of the value window. */
#define BSI_ID_VALUE_OK 100
#define BSI_ID_VALUE_LABEL 101
#define BSI_ID_VALUE_TEXT 102
#define BSI_ID_VALUE_COPY 103
#define BSI_VALUE_WINDOW_CLASS L"BrindtSysInfo.frmValue"
