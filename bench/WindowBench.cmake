if(TARGET ohmora_window)
  target_link_libraries(windowbench PRIVATE ohmora_window ohmora_test_doubles Qt6::Widgets Qt6::Test)
else()
  # The window subsystem is left out of this build.
  set_target_properties(windowbench PROPERTIES EXCLUDE_FROM_ALL TRUE)
endif()
