// SPDX-License-Identifier: MIT
// The query library's registration table: what DllRegisterServer writes, and what the installer's registry rows
// and the side-by-side manifests are made from.
#pragma once

#include "registration_table.h"

namespace bsq {

/// The classes in the order of BSQ_CLASSES (classes.h).
extern const bsi::win32::com::ServerTable kServer;

}  // namespace bsq
