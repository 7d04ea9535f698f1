#include "regchange/reg_file.h"

namespace velmora
{

std::array<std::string, 4> RegFileLines(std::string_view keyPath, std::string_view valueLine)
{
    return {std::string(kRegFileHeader), std::string(), std::string(keyPath), std::string(valueLine)};
}

} // namespace velmora
