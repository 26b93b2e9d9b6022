#include "core/draw/AppPaths.h"

#include "core/io/FileSystem.h"
#include "core/io/TextFile.h"

#include <filesystem>

namespace velmora {

namespace fs = std::filesystem;

std::string executableFolder()
{
    const std::string exe = os::executablePath();
    if (exe.empty())
        return "./";
    std::string folder = fs::path(exe).parent_path().string();
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

std::string dataFileFor(const DataLocation& location, const Game& game)
{
    const std::string name(game.dataFileName);
    std::string portable = appFilePath(location.executableFolder, name);
    if (os::entryExists(portable))
        return portable;
    // The XDG rule: a relative path in the variable is invalid and ignored.
    std::string dataHome;
    if (location.xdgDataHome && !location.xdgDataHome->empty() && location.xdgDataHome->front() == '/')
        dataHome = *location.xdgDataHome;
    else
        dataHome = appFilePath(location.home, ".local/share");
    return appFilePath(appFilePath(dataHome, "velmora"), name);
}

DataLocation currentDataLocation()
{
    DataLocation location;
    location.executableFolder = executableFolder();
    location.xdgDataHome = os::environmentVariable("XDG_DATA_HOME");
    location.home = os::homeFolder();
    return location;
}

std::string dataFilePath(const Game& game, const std::string& overridePath)
{
    return overridePath.empty() ? dataFileFor(currentDataLocation(), game) : overridePath;
}

void createDataFolder(const std::string& dataFile)
{
    const fs::path folder = fs::path(dataFile).parent_path();
    if (folder.empty())
        return;
    try {
        os::createFolders(folder.string());
    } catch (const os::SystemError& e) {
        throw FileError::cannotWrite(folder.string(), e.what());
    }
}

std::string downloadFilePath(const std::string& dataFile)
{
    const fs::path folder = fs::path(dataFile).parent_path();
    return folder.empty() ? std::string(kDownloadFileName) : (folder / kDownloadFileName).string();
}

std::string helpFilePath(const std::string& executableFolder)
{
    std::string beside = appFilePath(executableFolder, kHelpFileName);
    if (os::entryExists(beside))
        return beside;
    const std::string installed
        = (fs::path(appFilePath(executableFolder, "../share/doc/velmora")) / kHelpFileName)
              .lexically_normal()
              .string();
    return os::entryExists(installed) ? installed : beside;
}

} // namespace velmora
