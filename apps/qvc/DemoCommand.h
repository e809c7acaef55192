#pragma once
#include <CLI/CLI.hpp>
#include <functional>
#include <string>

namespace qvc::cli {

// Adds `demo [OUTDIR]` (default "demo-output") to the app; the command is stored in
// `run`.
void addDemoCommand(CLI::App& app, std::function<int()>& run);

// Creates the bundled example project in a fresh folder under `outDir`, enters
// its study and cases, and prints a summary. The two folders it uses,
// "<outDir>/Office HVAC project" and "<outDir>/reports", must be new, empty or
// made by an earlier demo (they hold a ".qvc-demo" file); otherwise it stops
// with CommandError before touching anything.
int runDemo(const std::string& outDir);

// The folder holding the bundled examples.
std::string examplesDir();

}  // namespace qvc::cli
