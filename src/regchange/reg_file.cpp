#include "regchange/reg_file.h"

namespace velmora
{

std::array<std::string, 4> RegFileLines(std::string_view keyLine, std::string_view valueLine)
{
    return {std::string(kRegFileHeader), std::string(), std::string(keyLine), std::string(valueLine)};
}

RuntimeFailure HeldFileFailure()
{
    return RuntimeFailure(kErrPermissionDenied,
                          StandardDescription(kErrPermissionDenied) +
                              ": another program still "
                              "has Velmora.reg or Velmora-undo.reg open, such as a registry editor "
                              "still reading the previous save; neither file was replaced");
}

RuntimeFailure BusyFolderFailure()
{
    return NothingWritten(kErrPermissionDenied, "another Velmora is still saving in this folder");
}

RuntimeFailure UnrestoredFileFailure(const RuntimeFailure& cause, std::string_view file, std::string_view copy)
{
    return RuntimeFailure(cause.Number(), cause.Description() + "; " + std::string(file) +
                                              " could not be put back: its old bytes are in " + std::string(copy));
}

std::string QuoteRegString(std::string_view text, Backslashes backslashes)
{
    std::string quoted;
    quoted.reserve(text.size() + 2);
    quoted += '"';
    for (const char c : text)
    {
        if (c == '"' || (c == '\\' && backslashes == Backslashes::Plain))
            quoted += '\\';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

} // namespace velmora
