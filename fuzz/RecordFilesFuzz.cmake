set(fuzz_libraries ohmora_files ohmora_exercise_files)
set(fuzz_args -max_len=4500)
