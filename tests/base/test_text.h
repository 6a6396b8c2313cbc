#pragma once
// Text helpers shared by the native tests.

#include <gtest/gtest.h>

#include <iconv.h>

#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace zentrava {

// The expected texts are written in plain Japanese and converted by the C library, so a wrong
// byte in the program's escapes cannot hide behind the same wrong byte in the test.
inline std::string J(std::string_view utf8) {
    const iconv_t cd = iconv_open("CP932", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        ADD_FAILURE() << "no CP932 converter";
        return {};
    }
    std::string in(utf8);
    std::string out(in.size() * 2 + 1, '\0');
    char* inPtr = in.data();
    char* outPtr = out.data();
    std::size_t inLeft = in.size();
    std::size_t outLeft = out.size();
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) {
        ADD_FAILURE() << "cannot convert " << utf8;
    }
    iconv_close(cd);
    out.resize(out.size() - outLeft);
    return out;
}

// The key names of a settings file's lines, in the order they stand.
inline std::vector<std::string> KeysInOrder(const std::string& fileText) {
    std::vector<std::string> keys;
    std::istringstream in(fileText);
    for (std::string line; std::getline(in, line);) {
        const auto eq = line.find('=');
        if (eq != std::string::npos) {
            keys.push_back(line.substr(0, eq));
        }
    }
    return keys;
}

} // namespace zentrava
