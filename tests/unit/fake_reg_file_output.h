#pragma once

#include "regchange/reg_file.h"
#include "shell/runtime_failure.h"

#include <string>
#include <vector>

namespace velmora::testing_support
{

// Records every unit it is asked to carry out; a unit listed in failures throws that number instead.
class FakeRegFileOutput : public RegFileOutput
{
public:
    std::vector<std::string> calls;
    std::string unencodable = "\xCE\xA9"; // Ω has no place in the fake code page
    std::vector<std::pair<std::string, std::int32_t>> failures;

    bool CanEncode(std::string_view text) const override
    {
        return text.find(unencodable) == std::string_view::npos;
    }
    void Create(std::string_view path) override { Record("create " + std::string(path)); }
    void WriteLine(std::string_view text) override { Record("line " + std::string(text)); }
    void Close() override { Record("close"); }

private:
    void Record(std::string call)
    {
        const std::string unit = call.substr(0, call.find(' '));
        calls.push_back(std::move(call));
        for (const auto& [failingUnit, number] : failures)
        {
            if (failingUnit == unit)
                throw RuntimeFailure(number);
        }
    }
};

} // namespace velmora::testing_support
