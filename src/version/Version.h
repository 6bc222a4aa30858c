#pragma once
// The version of the viewer and its tools, as the package and the About dialog show it.

// "1.0": the project's version from the build, without a prefix.
const char* LedraVersion();
