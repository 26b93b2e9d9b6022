// Files the program keeps beside its executable.
#pragma once

#include <string>

namespace velmora {

// Folder of the running executable, with a trailing '/'.
std::string executableFolder();

// folder (with or without trailing '/') followed by name.
std::string appFilePath(const std::string& folder, const std::string& name);

inline constexpr const char* kDataFileName = "lotdata.ldf";
inline constexpr const char* kDownloadFileName = "tmp.txt";
inline constexpr const char* kHelpFileName = "readme.txt";

} // namespace velmora
