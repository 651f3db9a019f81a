// Runs the lineid-cli program as a script would, in a chosen folder.
#pragma once

#include <QTemporaryDir>

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

// A temporary folder for a command's files, removed with its contents at the end.
class CliFolder {
public:
    std::filesystem::path path() const { return dir_.path().toStdString(); }
    // Writes `bytes` to `name`, relative to the folder (its folders made), and returns its path.
    std::filesystem::path write(const std::string& name, const std::string& bytes) const;
    // The names of the folder's entries, sorted.
    std::vector<std::string> names() const;

private:
    QTemporaryDir dir_;
};

// The bytes of a file ("" when it cannot be read).
std::string fileBytes(const std::filesystem::path& path);

} // namespace testsupport
