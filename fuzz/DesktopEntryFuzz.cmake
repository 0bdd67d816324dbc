set(fuzz_libraries ohmora_desktop_applications)
set(fuzz_args -max_len=1024)
