// Linked into the suites that run once more under a French locale: when
// OHMORA_EXPECT_LOCALE names a locale, the C library's locale is taken from
// the environment before any test runs, and the run fails at once unless
// that locale took effect with its decimal comma. A run that quietly fell
// back to the "C" locale would prove nothing.

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <string>

namespace {

class FrenchLocaleCheck : public ::testing::Environment {
public:
    void SetUp() override {
        const char* expected = std::getenv("OHMORA_EXPECT_LOCALE");
        if (!expected || !*expected) {
            return;
        }
        const char* taken = std::setlocale(LC_ALL, "");
        ASSERT_NE(taken, nullptr) << "the locale " << expected << " cannot be set";
        ASSERT_NE(std::string(taken).find(expected), std::string::npos)
            << "the locale in effect is " << taken << ", not " << expected;
        ASSERT_STREQ(std::localeconv()->decimal_point, ",")
            << "the locale " << taken << " has no decimal comma";
    }
};

const ::testing::Environment* const kCheck =
    ::testing::AddGlobalTestEnvironment(new FrenchLocaleCheck);

} // namespace
