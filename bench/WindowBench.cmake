target_link_libraries(windowbench PRIVATE ohmora_window Qt6::Widgets Qt6::Test)
