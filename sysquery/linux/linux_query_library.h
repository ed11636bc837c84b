// SPDX-License-Identifier: MIT
// The system query library on Linux: the core's query classes answered from /proc, /sys, /etc and a few system
// libraries, in-process and without COM. Every reader takes the folder that stands for "/", so that tests can run
// it over a fake tree.
#pragma once

#include <filesystem>
#include <memory>

#include "query/query_library.h"
#include "resources/strings.h"
#include "runtime/views.h"

namespace bsi::sysquery_linux {

/// The library over the system below `root`; the texts it writes (running time, drives) in the language that the
/// environment names (LanguageFromEnvironment).
std::unique_ptr<QueryLibrary> CreateQueryLibrary(const std::filesystem::path& root = "/");
/// The same with the texts in `language`, for a front end that lets the user choose it.
std::unique_ptr<QueryLibrary> CreateQueryLibrary(const std::filesystem::path& root, UiLanguage language);

/// The battery facts, from the power supplies below `root`.
std::unique_ptr<Battery> CreateBattery(const std::filesystem::path& root = "/");

/// The screen facts a window needs without a widget library: the number of font families, at most 32767.
std::unique_ptr<Screen> CreateScreen();

}  // namespace bsi::sysquery_linux
