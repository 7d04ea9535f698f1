#include "regchange/reg_file.h"

#include "regchange/entry_composition.h"
#include "shell/runtime_failure.h"

namespace velmora
{

std::array<std::string, 4> RegFileLines(std::string_view keyPath, std::string_view valueLine)
{
    return {std::string(kRegFileHeader), std::string(), std::string(keyPath), std::string(valueLine)};
}

void CheckRegFileEntry(const KeyPathPieces& pieces, std::string_view keyPath, std::string_view valueLine,
                       const RegFileOutput& output)
{
    // In a registration file "[-key]" deletes the key and everything below it.
    if (keyPath.starts_with("[-"))
    {
        const char* field = !IsBlank(pieces.location)          ? "location"
                            : !IsBlank(pieces.applicationName) ? "application name"
                                                               : "section";
        throw RuntimeFailure(kErrInvalidPropertyValue,
                             std::string("Invalid property value: the ") + field +
                                 " begins with '-', which would make the registry editor delete the key;"
                                 " nothing was written");
    }
    if (!output.CanEncode(keyPath) || !output.CanEncode(valueLine))
    {
        throw RuntimeFailure(kErrNoCodePageMapping,
                             StandardDescription(kErrNoCodePageMapping) + "; nothing was written");
    }
}

void WriteRegFile(RegFileOutput& output, std::string_view path, std::string_view keyPath, std::string_view valueLine)
{
    output.Create(path, FileEncoding::SystemAnsi);
    for (const auto& line : RegFileLines(keyPath, valueLine))
        output.WriteLine(line);
    output.Close();
}

} // namespace velmora
