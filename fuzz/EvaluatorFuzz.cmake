set(fuzz_libraries ohmora_evaluator)
