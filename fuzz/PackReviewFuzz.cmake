set(fuzz_libraries ohmora_pack_review)
set(fuzz_args -dict=${CMAKE_CURRENT_SOURCE_DIR}/PackReviewFuzz.dict -max_len=4096)
