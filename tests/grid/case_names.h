#pragma once
// Parameterised test cases carry a `name`, printed instead of their bytes;
// `using case_names::PrintTo;` in a test file's namespace lets lookup find it.
// ByName names each instance of a parameterised test after its case.
#include <concepts>
#include <ostream>
#include <string>

namespace case_names {

template <typename Case>
    requires requires(const Case& c) {
        { c.name } -> std::convertible_to<const char*>;
    }
void PrintTo(const Case& c, std::ostream* os)
{
    *os << c.name;
}

inline constexpr auto ByName = [](const auto& info) { return std::string(info.param.name); };

}  // namespace case_names
