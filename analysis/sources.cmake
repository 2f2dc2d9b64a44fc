target_sources(veltrano_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/analysiswindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/analysiswindow.h
  ${CMAKE_CURRENT_LIST_DIR}/analysislegenddialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/analysislegenddialog.h
  ${CMAKE_CURRENT_LIST_DIR}/gsmanalysiswindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gsmanalysiswindow.h
  ${CMAKE_CURRENT_LIST_DIR}/octavefilterswindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/octavefilterswindow.h
  ${CMAKE_CURRENT_LIST_DIR}/knownfreqranges2window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/knownfreqranges2window.h
  ${CMAKE_CURRENT_LIST_DIR}/knownfreqrangeswindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/knownfreqrangeswindow.h
  ${CMAKE_CURRENT_LIST_DIR}/pulsewindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pulsewindow.h
  ${CMAKE_CURRENT_LIST_DIR}/templateswindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/templateswindow.h
)
