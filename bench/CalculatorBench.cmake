set(bench_libraries ohmora_evaluator)
