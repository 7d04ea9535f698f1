#include "common/runtime_failure.h"

namespace velmora
{

std::string StandardDescription(std::int32_t number)
{
    switch (number)
    {
    case kErrInvalidArgument:
        return "Invalid procedure call or argument";
    case kErrOutOfMemory:
        return "Out of memory";
    case kErrInternal:
        return "Internal error";
    case kErrBadFileNameOrNumber:
        return "Bad file name or number";
    case kErrFileNotFound:
        return "File not found";
    case kErrFileAlreadyExists:
        return "File already exists";
    case kErrDiskFull:
        return "Disk full";
    case kErrPermissionDenied:
        return "Permission denied";
    case kErrPathFileAccess:
        return "Path/File access error";
    case kErrPathNotFound:
        return "Path not found";
    case kErrInvalidUseOfNull:
        return "Invalid use of Null";
    case kErrInvalidPropertyValue:
        return "Invalid property value";
    case kErrNoCodePageMapping:
        return "No mapping for the Unicode character exists in the target multi-byte code page";
    default:
        return {};
    }
}

RuntimeFailure::RuntimeFailure(std::int32_t number, std::string description)
    : std::runtime_error(description), m_number(number), m_description(std::move(description))
{
}

RuntimeFailure::RuntimeFailure(std::int32_t number) : RuntimeFailure(number, StandardDescription(number))
{
}

RuntimeFailure NothingWritten(std::int32_t number, std::string_view reason)
{
    std::string description = StandardDescription(number);
    if (!reason.empty())
        description += ": " + std::string(reason);
    return RuntimeFailure(number, description + "; nothing was written");
}

RuntimeFailure NoFreeTemporaryName(unsigned attempts)
{
    return RuntimeFailure(kErrFileAlreadyExists,
                          StandardDescription(kErrFileAlreadyExists) + ": all " + std::to_string(attempts) +
                              " names tried for a temporary file are taken; the old files are kept");
}

} // namespace velmora
