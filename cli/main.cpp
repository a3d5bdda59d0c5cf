#include <iostream>

#include "cli/run.h"
#include "platform/arguments.h"

int main(int argc, char** argv) {
    kx::platform::UseUtf8Console();
    kx::platform::Utf8Arguments args(argc, argv);
    return kx::cli::Run(args.Count(), args.Values(), std::cout, std::cerr);
}
