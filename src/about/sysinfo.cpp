#include "about/sysinfo.h"

namespace velmora
{
namespace
{

std::string HexFromLastByteToFirst(std::string_view bytes)
{
    constexpr char kDigits[] = "0123456789ABCDEF";
    std::string hex;
    for (auto it = bytes.rbegin(); it != bytes.rend(); ++it)
    {
        const auto byte = static_cast<unsigned char>(*it);
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 0x0F];
    }
    return hex;
}

} // namespace

bool GetKeyValue(RegistryReader& registry, RegistryRoot KeyRoot, const std::string& KeyName,
                 const std::string& SubKeyRef, std::string& KeyVal)
{
    const std::unique_ptr<RegistryKey> key = registry.OpenKey(KeyRoot, KeyName, RegistryAccess::Read);
    if (!key)
    {
        KeyVal.clear();
        return false;
    }
    RegistryRead read = key->QueryValue(SubKeyRef, kValueBufferSize);
    if (read.status != 0)
    {
        KeyVal.clear();
        return false;
    }
    // Drops the terminating zero of a stored text and keeps every byte of a value without one.
    if (!read.data.empty() && read.data.back() == '\0')
        read.data.pop_back();

    if (read.type == kRegSz)
    {
        KeyVal = std::move(read.data);
    }
    else if (read.type == kRegDword)
    {
        // The general formatting leaves "&h..." as it is: nothing reads a number here.
        KeyVal = "&h" + KeyVal + HexFromLastByteToFirst(read.data);
    }
    return true;
}

void StartSysInfo(RegistryReader& registry, ProgramLauncher& launcher, Desktop& desktop)
{
    const auto unavailable = [&] {
        try
        {
            desktop.ShowMessage(kSysInfoUnavailable, MessageStyle::Plain, std::nullopt);
        }
        catch (...)
        {
            // Nothing more can be said; the dialog stays open either way.
        }
    };
    try
    {
        std::string toolPath;
        if (!GetKeyValue(registry, RegistryRoot::LocalMachine, R"(SOFTWARE\Microsoft\Shared Tools\MSINFO)", "PATH",
                         toolPath))
        {
            if (!GetKeyValue(registry, RegistryRoot::LocalMachine, R"(SOFTWARE\Microsoft\Shared Tools Location)",
                             "MSINFO", toolPath))
                return unavailable();
            const std::string candidate = toolPath + R"(\MSINFO32.EXE)";
            if (!launcher.FileExists(candidate))
                return unavailable();
            toolPath = candidate;
        }
        launcher.StartProgram(toolPath, kShowNormal);
    }
    catch (...)
    {
        unavailable();
    }
}

} // namespace velmora
