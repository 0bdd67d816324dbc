set(bench_libraries ohmora_files)
