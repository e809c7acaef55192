#pragma once
#include <string>

namespace qvc::cli {

// Creates the bundled example project in a fresh folder under `outDir`, enters
// its study and cases, and prints a summary.
int runDemo(const std::string& outDir);

// The folder holding the bundled examples.
std::string examplesDir();

}  // namespace qvc::cli
