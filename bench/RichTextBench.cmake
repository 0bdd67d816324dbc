set(bench_libraries ohmora_richtext)
set(bench_extra Qt6::Gui)
