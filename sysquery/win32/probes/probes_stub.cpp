// SPDX-License-Identifier: MIT
// Placeholder so the library links while the probes are written; replaced probe by probe.
#include "probes.h"
