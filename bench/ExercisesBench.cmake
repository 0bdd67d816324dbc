set(bench_libraries ohmora_window ohmora_exercises ohmora_test_doubles)
set(bench_extra Qt6::Widgets)
