/* SPDX-License-Identifier: MIT
 * Resource ids of the windows, shared by the resource script and the code. */
#pragma once

#define BSI_IDI_FORM_ICON 1
#define BSI_IDB_COPY 201

/* Commands and controls of the information window that other programs (the demo host, tests) address. */
#define BSI_CMD_COPY_VALUE 1001
#define BSI_CMD_COPY_ALL 1002
#define BSI_ID_LIST 100
