#pragma once

#include <cctype>
#include <string>

namespace quorvel::test {

// `text` with every character but letters and digits made "_": a table row's name
// that --gtest_filter can pick.
inline std::string RowName(std::string text) {
    for (char& c : text)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    return text;
}

} // namespace quorvel::test
