#pragma once
// The process's memory as the kernel counts it, for benchmarks that report how far a run raised
// the peak rather than how long it took.

#include <fstream>
#include <string>

namespace halvern::bench {

// A field of /proc/self/status ("VmHWM:", "VmRSS:"), in megabytes.
inline double status_mb(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field, 0) == 0)
            return std::stod(line.substr(field.size())) / 1024.0;
    return 0;
}

// Starts the peak over from the present resident set; false where the kernel does not allow it.
inline bool reset_peak()
{
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    clear.flush();
    return bool(clear);
}

} // namespace halvern::bench
