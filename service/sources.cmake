target_sources(veltrano_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/internalswindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/internalswindow.h
  ${CMAKE_CURRENT_LIST_DIR}/memorydirectory.cpp
  ${CMAKE_CURRENT_LIST_DIR}/memorydirectory.h
  ${CMAKE_CURRENT_LIST_DIR}/memorywindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/memorywindow.h
  ${CMAKE_CURRENT_LIST_DIR}/scanerwindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scanerwindow.h
  ${CMAKE_CURRENT_LIST_DIR}/videowindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/videowindow.h
  ${CMAKE_CURRENT_LIST_DIR}/zantigo.cpp
  ${CMAKE_CURRENT_LIST_DIR}/zantigo.h
)
