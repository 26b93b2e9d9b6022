#include "core/draw/AppPaths.h"

#include "core/draw/DataFile.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <pwd.h>
#include <unistd.h>

namespace velmora {

namespace fs = std::filesystem;

namespace {

// True when anything stands at path, a dangling symbolic link included.
bool somethingAt(const std::string& path)
{
    std::error_code ec;
    return fs::exists(fs::symlink_status(path, ec));
}

std::string homeFolder()
{
    if (const char* home = std::getenv("HOME"); home && *home)
        return home;
    if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir)
        return entry->pw_dir;
    return {};
}

} // namespace

std::string executableFolder()
{
    std::error_code ec;
    const auto exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec)
        return "./";
    std::string folder = exe.parent_path().string();
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder;
}

std::string appFilePath(const std::string& folder, const std::string& name)
{
    if (folder.empty())
        return name;
    return folder.back() == '/' ? folder + name : folder + '/' + name;
}

std::string dataFileFor(const DataLocation& location)
{
    std::string portable = appFilePath(location.executableFolder, kDataFileName);
    if (somethingAt(portable))
        return portable;
    // The XDG rule: a relative path in the variable is invalid and ignored.
    std::string dataHome;
    if (location.xdgDataHome && !location.xdgDataHome->empty() && location.xdgDataHome->front() == '/')
        dataHome = *location.xdgDataHome;
    else
        dataHome = appFilePath(location.home, ".local/share");
    return appFilePath(appFilePath(dataHome, "velmora"), kDataFileName);
}

DataLocation currentDataLocation()
{
    DataLocation location;
    location.executableFolder = executableFolder();
    if (const char* xdg = std::getenv("XDG_DATA_HOME"))
        location.xdgDataHome = xdg;
    location.home = homeFolder();
    return location;
}

std::string dataFilePath(const std::string& overridePath)
{
    return overridePath.empty() ? dataFileFor(currentDataLocation()) : overridePath;
}

void createDataFolder(const std::string& dataFile)
{
    const fs::path folder = fs::path(dataFile).parent_path();
    if (folder.empty())
        return;
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec)
        throw FileError("无法写入文件" + folder.string() + "：" + std::strerror(ec.value()));
}

std::string downloadFilePath(const std::string& dataFile)
{
    const fs::path folder = fs::path(dataFile).parent_path();
    return folder.empty() ? std::string(kDownloadFileName) : (folder / kDownloadFileName).string();
}

std::string helpFilePath(const std::string& executableFolder)
{
    std::string beside = appFilePath(executableFolder, kHelpFileName);
    if (somethingAt(beside))
        return beside;
    const std::string installed
        = (fs::path(appFilePath(executableFolder, "../share/doc/velmora")) / kHelpFileName)
              .lexically_normal()
              .string();
    return somethingAt(installed) ? installed : beside;
}

} // namespace velmora
