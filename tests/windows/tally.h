#pragma once

#include <cstdio>
#include <string>

namespace bw::test {

// Counts the checks of a plain test program and closes it with "N passed, N failed".
class Tally {
public:
    void check(bool ok, const std::string &what)
    {
        if (ok) {
            ++passed_;
            return;
        }
        ++failed_;
        std::printf("FAIL %s\n", what.c_str());
        std::fflush(stdout);
    }

    // Compares two texts, showing both (cut short) when they differ.
    void equal(const std::string &actual, const std::string &expected, const std::string &what)
    {
        check(actual == expected, what + "\n  got      \"" + shorten(actual) + "\"\n  expected \""
                                      + shorten(expected) + '"');
    }

    // The program's exit status.
    int finish() const
    {
        std::printf("%d passed, %d failed\n", passed_, failed_);
        return failed_ == 0 ? 0 : 1;
    }

private:
    static std::string shorten(const std::string &text)
    {
        constexpr size_t kShown = 200;
        return text.size() <= kShown ? text : text.substr(0, kShown) + "... (" + std::to_string(text.size()) + " chars)";
    }

    int passed_ = 0;
    int failed_ = 0;
};

} // namespace bw::test
