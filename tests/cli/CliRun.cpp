// Runs the lineid-cli program as a script would.
#include "CliRun.h"

#include <QProcess>
#include <QStringList>

#include <algorithm>
#include <fstream>
#include <iterator>

namespace testsupport {

CliResult runCli(const std::vector<std::string>& args, const std::filesystem::path& folder,
                 const std::string& input) {
    QProcess process;
    process.setWorkingDirectory(QString::fromStdString(folder.string()));
    QStringList arguments;
    for (const auto& a : args)
        arguments << QString::fromStdString(a);
    process.start(QStringLiteral(LINEID_CLI), arguments);
    CliResult result;
    if (!process.waitForStarted())
        return result;
    process.write(input.data(), static_cast<qint64>(input.size()));
    process.closeWriteChannel();
    process.waitForFinished(120000);
    result.out = process.readAllStandardOutput().toStdString();
    result.err = process.readAllStandardError().toStdString();
    if (process.exitStatus() == QProcess::NormalExit)
        result.status = process.exitCode();
    return result;
}

std::string fileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::filesystem::path CliFolder::write(const std::string& name, const std::string& bytes) const {
    const std::filesystem::path file = path() / name;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
    return file;
}

std::vector<std::string> CliFolder::names() const {
    std::vector<std::string> out;
    for (const auto& entry : std::filesystem::directory_iterator(path()))
        out.push_back(entry.path().filename().string());
    std::ranges::sort(out);
    return out;
}

} // namespace testsupport
