#pragma once
// kx7214ctl run in-process: its exit status and what it wrote to each stream.
#include <sstream>
#include <string>
#include <vector>

#include "cli/run.h"

namespace kx::test {

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

inline CliResult RunCli(std::vector<std::string> args) {
    args.insert(args.begin(), "kx7214ctl");
    std::vector<char*> argv;
    for (auto& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    std::ostringstream out, err;
    CliResult r;
    r.status = cli::Run(static_cast<int>(args.size()), argv.data(), out, err);
    r.out = out.str();
    r.err = err.str();
    return r;
}

} // namespace kx::test
