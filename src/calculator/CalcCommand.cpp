#include "calculator/CalcCommand.h"

#include "calculator/CalculatorDisplay.h"
#include "calculator/Evaluator.h"

#include <optional>

namespace ohmora {

namespace {

constexpr const char* kUsage =
    "Usage : ohmora-cli calc EXPRESSION [--radians] [--scientific]\n"
    "  Affiche ce que la machine à calculer montre après EXE (angles en degrés\n"
    "  sauf --radians, affichage standard sauf --scientific). Mettre -- devant\n"
    "  une expression qui commence par --.\n";

int usageError(std::ostream& err, const std::string& problem) {
    err << "ohmora-cli calc : " << problem << '\n' << kUsage;
    return 2;
}

} // namespace

int runCalcCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    bool radians = false;
    bool scientific = false;
    bool optionsEnded = false;
    std::optional<std::string> expression;
    for (const std::string& arg : args) {
        const bool option = !optionsEnded && arg.starts_with("--");
        if (option && arg == "--") {
            optionsEnded = true;
        } else if (option && arg == "--radians") {
            radians = true;
        } else if (option && arg == "--scientific") {
            scientific = true;
        } else if (option && arg == "--help") {
            out << kUsage;
            return 0;
        } else if (option) {
            return usageError(err, "option inconnue : " + arg);
        } else if (expression) {
            return usageError(err, "une seule expression attendue, celle-ci est de trop : " + arg);
        } else {
            expression = arg;
        }
    }
    if (!expression) {
        return usageError(err, "expression manquante");
    }
    const ExeResult result =
        executeExpression(*expression, radians ? kRadians : kDegrees, scientific);
    out << result.text << '\n';
    return result.failed() ? 1 : 0;
}

} // namespace ohmora
