#include "files/FileModes.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

#include <sys/stat.h>

namespace {

// The "Umask:" line of /proc/self/status (Linux 4.7 on); nothing without it.
std::optional<mode_t> UmaskShownByProc()
{
    std::FILE* status = std::fopen("/proc/self/status", "re");
    if (!status)
        return std::nullopt;
    std::optional<mode_t> mask;
    char line[256];
    while (!mask && std::fgets(line, sizeof line, status)) {
        if (std::strncmp(line, "Umask:", 6) != 0)
            continue;
        char* end = nullptr;
        const unsigned long value = std::strtoul(line + 6, &end, 8);
        if (end != line + 6 && value <= 0777)
            mask = static_cast<mode_t>(value);
    }
    std::fclose(status);
    return mask;
}

mode_t UmaskBySettingIt()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

} // namespace

mode_t ProcessUmask()
{
    // Read once, on the first call (made from main); without /proc the one
    // set-and-put-back happens then too.
    static const mode_t mask = [] {
        const std::optional<mode_t> shown = UmaskShownByProc();
        return shown ? *shown : UmaskBySettingIt();
    }();
    return mask;
}

mode_t NewFileMode()
{
    return 0666 & ~ProcessUmask();
}
