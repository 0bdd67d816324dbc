set(bench_libraries ohmora_calculator_window)
set(bench_extra Qt6::Widgets Qt6::Test)
