# The metafile library only for comparing the helper with a conversion in
# the benchmark's own process.
set(bench_libraries ohmora_richtext ohmora_metafile)
set(bench_extra Qt6::Gui)
