#include "regchange/settings_store.h"

namespace velmora
{

bool IsUsableSettingsName(std::string_view name)
{
    if (name.empty() || name.front() == '\\' || name.back() == '\\')
        return false;
    return name.find(R"(\\)") == std::string_view::npos;
}

} // namespace velmora
