// Test names from a table's plain-language case names.
#pragma once

#include <cctype>
#include <string>

inline std::string testname(std::string name)
{
    for (char &c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    return name;
}
