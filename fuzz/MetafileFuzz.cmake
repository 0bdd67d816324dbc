set(fuzz_libraries ohmora_metafile)
# The drawings of the tests seed the corpus, copied into the build tree,
# where the run adds what it finds.
file(GLOB metafile_seeds ${CMAKE_SOURCE_DIR}/tests/data/rtf/*.wmf ${CMAKE_SOURCE_DIR}/tests/data/rtf/*.emf)
set(metafile_corpus ${CMAKE_CURRENT_BINARY_DIR}/metafilefuzz-corpus)
file(COPY ${metafile_seeds} DESTINATION ${metafile_corpus})
set(fuzz_args -max_len=65536 ${metafile_corpus})
