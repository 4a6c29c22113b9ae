// The files that lie beside the executable: its settings, the export exchange file and the
// single-text file. One rule for all of them.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// The executable's own path with its extension replaced ("C:\a\Velsarom.exe" + ".ini").
std::string ExecutablePathWithExtension(std::string_view extension);
// A file of the given name in the executable's folder.
std::string FileBesideExecutable(std::string_view name);

}  // namespace platform
