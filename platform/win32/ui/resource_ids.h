/* SPDX-License-Identifier: MIT
 * Resource ids of the windows, shared by the resource script and the code. */
#pragma once

#define BSI_IDI_FORM_ICON 1
#define BSI_IDB_COPY 201
