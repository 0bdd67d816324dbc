if(TARGET ohmora_calculator_window)
  target_link_libraries(calculatorwindowbench PRIVATE ohmora_calculator_window Qt6::Widgets Qt6::Test)
else()
  # The calculator subsystem is left out of this build.
  set_target_properties(calculatorwindowbench PROPERTIES EXCLUDE_FROM_ALL TRUE)
endif()
