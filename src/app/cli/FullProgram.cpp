#include "cli/FullProgram.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <unistd.h>

namespace kvx {

int runFullProgram(char** argv)
{
    // The executable's folder from the kernel: no application object is made
    // only to ask it. Without it nothing is started (never a kvx-gui found
    // in the working folder).
    std::error_code error;
    const std::filesystem::path folder =
        std::filesystem::read_symlink("/proc/self/exe", error).parent_path();
    std::filesystem::path program = KVX_FULL_PROGRAM;
    if (!error) {
        program = folder / KVX_FULL_PROGRAM;
        if (!std::filesystem::exists(program, error))
            program = (folder / KVX_FULL_PROGRAM_FROM_BINDIR / KVX_FULL_PROGRAM).lexically_normal();
        ::execv(program.c_str(), argv);
        error = std::error_code(errno, std::generic_category());
    }
    std::fprintf(stderr, "kvx: cannot start %s: %s\n", program.c_str(), error.message().c_str());
    return 2;
}

} // namespace kvx
