target_sources(veltrano_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/optionswindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/optionswindow.h
  ${CMAKE_CURRENT_LIST_DIR}/optionswindowsetup.cpp
  ${CMAKE_CURRENT_LIST_DIR}/optionswindowbandwidths.cpp
  ${CMAKE_CURRENT_LIST_DIR}/antennadialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/antennadialog.h
  ${CMAKE_CURRENT_LIST_DIR}/dlan1n2inputdialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dlan1n2inputdialog.h
)
