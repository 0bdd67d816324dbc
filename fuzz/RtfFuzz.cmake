set(fuzz_libraries ohmora_richtext)
# The statements of the tests seed the corpus, copied into the build tree,
# where the run adds what it finds.
file(GLOB rtf_seeds ${CMAKE_SOURCE_DIR}/tests/data/rtf/*.rtf)
set(rtf_corpus ${CMAKE_CURRENT_BINARY_DIR}/rtffuzz-corpus)
file(COPY ${rtf_seeds} DESTINATION ${rtf_corpus})
set(fuzz_args -dict=${CMAKE_CURRENT_SOURCE_DIR}/RtfFuzz.dict -max_len=65536 ${rtf_corpus})
