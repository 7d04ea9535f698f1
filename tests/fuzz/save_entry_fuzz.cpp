// libFuzzer target: five field texts (separated by 0x1F) through the entry composition. Every
// save is either refused, or written as exactly four lines that the registry editor reads back
// as the key path, value name and value the user typed; the composition functions, given
// anything, never put a line break into a line.
#include "reg_grammar.h"

#include <cstdint>
#include <cstdlib>

using namespace velmora;
using namespace velmora::testing_support;

namespace
{

SaveFields Split(std::string_view input)
{
    std::string* fields[5];
    SaveFields saved;
    fields[0] = &saved.location;
    fields[1] = &saved.application;
    fields[2] = &saved.section;
    fields[3] = &saved.key;
    fields[4] = &saved.value;
    for (std::string* field : fields)
    {
        const std::size_t end = input.find('\x1F');
        *field = input.substr(0, end);
        input.remove_prefix(end == std::string_view::npos ? input.size() : end + 1);
    }
    return saved;
}

void Require(bool holds)
{
    if (!holds)
        std::abort();
}

// Straight into the composition functions, as any future caller might.
void ComposeDirectly(const SaveFields& fields)
{
    try
    {
        const std::string keyPath = ComposeKeyPath(ComposeAppPath(fields.location, fields.application), fields.section);
        Require(!HoldsLineBreak(keyPath));
        Require(!HoldsLineBreak(ComposeKeyLine({RegistryRoot::CurrentUser, fields.key, fields.value})));
        Require(!HoldsLineBreak(ComposeValueLine(fields.key, fields.value)));
    }
    catch (const RuntimeFailure& failure)
    {
        Require(failure.Number() == kErrInvalidPropertyValue);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const SaveFields fields = Split(std::string_view(reinterpret_cast<const char*>(data), size));
    ComposeDirectly(fields);
    Require(SaveOutcomeFault(fields, ComposeSaveEntry(fields, [](std::string_view) { return true; })).empty());
    return 0;
}
