target_sources(veltrano_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/optionswindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/optionswindow.h
  ${CMAKE_CURRENT_LIST_DIR}/optionswindowsetup.cpp
)
