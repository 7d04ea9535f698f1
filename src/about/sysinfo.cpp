#include "about/sysinfo.h"

#include "common/text_form.h"

namespace velmora
{

bool GetKeyValue(RegistryReader& registry, RegistryRoot KeyRoot, const std::string& KeyName,
                 const std::string& SubKeyRef, std::string& KeyVal)
{
    const std::unique_ptr<RegistryKey> key = registry.OpenKey(KeyRoot, KeyName);
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
    // Drops a zero last byte of any type, as the product always did: a stored text's terminator, but
    // also a dword's zero top byte, whose hex digits then lack it.
    if (!read.data.empty() && read.data.back() == '\0')
        read.data.pop_back();

    if (read.type == kRegSz)
    {
        KeyVal = std::move(read.data);
    }
    else if (read.type == kRegDword)
    {
        // The general formatting leaves "&h..." as it is: nothing reads a number here. The text
        // that KeyVal held before is kept in front, as the product always did; its callers pass it empty.
        KeyVal = "&h" + KeyVal + HexBytes(std::string(read.data.rbegin(), read.data.rend()), HexCase::Upper);
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
