// libFuzzer target: five field texts, separated by 0x1F, through the save property check.
#include "reg_grammar.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view input(reinterpret_cast<const char*>(data), size);
    velmora::SaveFields fields;
    for (std::string* field : {&fields.location, &fields.application, &fields.section, &fields.key, &fields.value})
    {
        const std::size_t end = input.find('\x1F');
        *field = input.substr(0, end);
        input.remove_prefix(end == std::string_view::npos ? input.size() : end + 1);
    }
    if (!velmora::testing_support::SavePropertyFault(fields).empty())
        std::abort();
    return 0;
}
