// Runs the lineid-cli program as a script would, in a chosen folder.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace testsupport {

struct CliResult {
    int status = -1; // the exit status; -1 when the program did not exit normally
    std::string out; // standard output
    std::string err; // standard error
};

// `lineid-cli args...` with `folder` as current folder and `input` on standard input.
CliResult runCli(const std::vector<std::string>& args, const std::filesystem::path& folder,
                 const std::string& input = {});

// The bytes of a file ("" when it cannot be read).
std::string fileBytes(const std::filesystem::path& path);

} // namespace testsupport
