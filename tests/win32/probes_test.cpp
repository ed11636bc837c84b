// SPDX-License-Identifier: MIT
#include "wine_test.h"
#include "probes.h"
int main() { return wine_test::Summary("probes"); }
