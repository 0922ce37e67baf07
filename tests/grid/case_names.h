#pragma once
// Test cases of the parameterised tests carry a `name`; gtest prints that
// instead of the case's bytes. Each test file brings it in with
// `using case_names::PrintTo;` inside its own namespace, where lookup finds it.
#include <concepts>
#include <ostream>

namespace case_names {

template <typename Case>
    requires requires(const Case& c) {
        { c.name } -> std::convertible_to<const char*>;
    }
void PrintTo(const Case& c, std::ostream* os)
{
    *os << c.name;
}

}  // namespace case_names
