#include "MemoryProbe.h"

#include <fstream>
#include <string>

namespace
{
    // Writing this to clear_refs resets the peak resident size (Linux 4.0 and later).
    const char* const resetPeakCommand = "5";

    // Files under /proc report no size, so they are read as plain streams.
    const char* const statusFile = "/proc/self/status";
    const char* const clearRefsFile = "/proc/self/clear_refs";
}

bool MemoryProbe::resetPeak()
{
    std::ofstream clearRefs (clearRefsFile);
    clearRefs << resetPeakCommand;
    clearRefs.flush();
    return clearRefs.good();
}

juce::int64 MemoryProbe::readKib (const juce::String& field)
{
    std::ifstream status (statusFile);
    const auto prefix = field.toStdString();

    for (std::string line; std::getline (status, line);)
        if (line.rfind (prefix, 0) == 0)
            return std::stoll (line.substr (prefix.size()));

    return 0;
}
