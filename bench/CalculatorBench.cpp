// Time to evaluate each typed expression of the calculator's reference
// table with calcule(), and to build what EXE shows. Target: under 50 us each.
#include "calculator/CalculatorDisplay.h"
#include "calculator/Evaluator.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

struct Expression {
    const char* text;
    int angleMode;
};

constexpr Expression kExpressions[] = {
    {"2+3*4", ohmora::kDegrees},      {"2*(3+4)^2", ohmora::kDegrees},
    {"((((1))))", ohmora::kDegrees},  {"-(2+3)", ohmora::kDegrees},
    {"5-(-2)", ohmora::kDegrees},     {"3 - -2", ohmora::kDegrees},
    {"sin 30", ohmora::kDegrees},     {"sin(30)", ohmora::kRadians},
    {"invsin 0.5", ohmora::kDegrees}, {"invcos 0.5", ohmora::kDegrees},
    {"ita 1", ohmora::kDegrees},      {"log 1000", ohmora::kDegrees},
    {"ln 2", ohmora::kDegrees},       {"LN(2+3)", ohmora::kDegrees},
    {"SIN(30+60)", ohmora::kDegrees}, {"exp 1", ohmora::kDegrees},
    {"1/3", ohmora::kDegrees},        {"10^20", ohmora::kDegrees},
    {"1E3+1", ohmora::kDegrees},      {"2 3", ohmora::kDegrees},
    {"2(3)", ohmora::kDegrees},       {"2+", ohmora::kDegrees},
    {"*2", ohmora::kDegrees},         {"2**3", ohmora::kDegrees},
    {"(5", ohmora::kDegrees},         {"(2+3", ohmora::kDegrees},
    {"1/0", ohmora::kDegrees},        {"sqr -4", ohmora::kDegrees},
    {"tan 90", ohmora::kDegrees},     {"2 * sin 30", ohmora::kDegrees},
};

void calculeExpression(benchmark::State& state, Expression expression) {
    for (auto _ : state) {
        std::string text = expression.text;
        benchmark::DoNotOptimize(ohmora::calcule(text, expression.angleMode));
        benchmark::DoNotOptimize(text.data());
    }
}

void exeExpression(benchmark::State& state, Expression expression) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            ohmora::executeExpression(expression.text, expression.angleMode, false));
    }
}

} // namespace

int main(int argc, char** argv) {
    for (const Expression& expression : kExpressions) {
        benchmark::RegisterBenchmark((std::string("calcule/") + expression.text).c_str(),
                                     calculeExpression, expression)
            ->Unit(benchmark::kMicrosecond);
    }
    benchmark::RegisterBenchmark("exe/2*(3+4)^2", exeExpression, kExpressions[1])
        ->Unit(benchmark::kMicrosecond);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
