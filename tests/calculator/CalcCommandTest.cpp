#include "calculator/CalcCommand.h"

#include <gtest/gtest.h>

#include <sstream>

namespace ohmora {
namespace {

struct CommandCase {
    std::vector<std::string> args;
    int exitCode;
    const char* out;
    const char* errorMentions; // in the usage message, for exit code 2
};

TEST(CalcCommand, PrintsTheEntryLineAfterExe) {
    const CommandCase cases[] = {
        {{"2+3*4"}, 0, " 14\n", ""},
        {{"sin 30"}, 0, " .5\n", ""},
        {{"sin(30)", "--radians"}, 0, "-.988031624092862\n", ""},
        {{"--scientific", "1/3"}, 0, "3.3333333E-01\n", ""},
        {{"--radians", "--scientific", "invtan 1"}, 0, "7.8539816E-01\n", ""},
        {{"-2^2"}, 0, " 4\n", ""},
        {{"--", "--5"}, 0, " 5\n", ""},
        {{""}, 0, " 0\n", ""},
        {{"10^20"}, 0, " 1E+20\n", ""},
        {{"*2"}, 1, "Calcul impossible\n", ""},
        {{"(5"}, 1, "Erreur saisie: revoir les parenthèses\n", ""},
        {{"2**3"}, 1, "Erreur saisie: incompréhension sur opérateurs: ^ * / + -\n", ""},
        {{"1E999"}, 1, "Dépassement de capacité\n", ""},
        {{}, 2, "", "expression"},
        {{"--radians"}, 2, "", "expression"},
        {{"1", "2"}, 2, "", ": 2"},
        {{"1", "--degrees"}, 2, "", "--degrees"}};
    for (const CommandCase& c : cases) {
        std::ostringstream out;
        std::ostringstream err;
        const std::string label = c.args.empty() ? "(none)" : c.args.front();
        EXPECT_EQ(runCalcCommand(c.args, out, err), c.exitCode) << label;
        EXPECT_EQ(out.str(), c.out) << label;
        if (c.exitCode == 2) {
            EXPECT_NE(err.str().find(c.errorMentions), std::string::npos) << err.str();
            EXPECT_NE(err.str().find("Usage"), std::string::npos);
        } else {
            EXPECT_EQ(err.str(), "") << label;
        }
    }
}

} // namespace
} // namespace ohmora
