set(bench_libraries ohmora_core)
