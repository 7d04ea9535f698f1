#include "regchange/reg_file.h"

#include "transaction/staged_files.h"

namespace velmora
{
namespace
{

std::string FileName(std::string_view path)
{
    return std::string(path.substr(path.find_last_of('\\') + 1));
}

// 70: a save waited in vain for another program to let go of a target.
RuntimeFailure HeldFileFailure()
{
    return RuntimeFailure(kErrPermissionDenied,
                          StandardDescription(kErrPermissionDenied) +
                              ": another program still "
                              "has Velmora.reg or Velmora-undo.reg open, such as a registry editor "
                              "still reading the previous save; neither file was replaced");
}

// 70: a save waited in vain for another instance's save in the same folder.
RuntimeFailure BusyFolderFailure()
{
    return NothingWritten(kErrPermissionDenied, "another Velmora is still saving in this folder");
}

} // namespace

std::array<std::string, 4> RegFileLines(std::string_view keyLine, std::string_view valueLine)
{
    return {std::string(kRegFileHeader), std::string(), std::string(keyLine), std::string(valueLine)};
}

RuntimeFailure ExplainedFileFailure(const RuntimeFailure& failure)
{
    using namespace transaction;
    if (const auto* ranOut = dynamic_cast<const WaitRanOut*>(&failure))
        return ranOut->Reason() == WaitReason::AnotherSave ? BusyFolderFailure() : HeldFileFailure();
    const auto* fileFailure = dynamic_cast<const FileFailure*>(&failure);
    if (!fileFailure)
        return failure;
    RuntimeFailure cause = failure;
    if (fileFailure->Fault() == FileFault::Held)
        cause = HeldFileFailure();
    else if (fileFailure->Fault() == FileFault::Denied)
        cause = RuntimeFailure(failure.Number(),
                               failure.Description() +
                                   ": the program's folder, Velmora.reg or Velmora-undo.reg does not let this user "
                                   "write there; neither file was replaced");
    // A first save's new file has no old bytes to go back to: it could only be removed.
    if (const auto* lost = dynamic_cast<const RestoreFailed*>(&failure))
        return RuntimeFailure(cause.Number(),
                              cause.Description() + "; " + FileName(lost->target) +
                                  (lost->copy.empty() ? " is new and could not be removed"
                                                      : " could not be put back: its old bytes are in " + lost->copy));
    return cause;
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
