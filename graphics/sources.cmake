target_sources(veltrano_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/igraphic.h
  ${CMAKE_CURRENT_LIST_DIR}/isimplegraphic.h
  ${CMAKE_CURRENT_LIST_DIR}/isimplegraphicex.h
  ${CMAKE_CURRENT_LIST_DIR}/iwaterfallgraphic.h
  ${CMAKE_CURRENT_LIST_DIR}/imultigraphic.h
  ${CMAKE_CURRENT_LIST_DIR}/pixelcolumn.h
  ${CMAKE_CURRENT_LIST_DIR}/pixelcolumnmap.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pixelcolumnmap.h
  ${CMAKE_CURRENT_LIST_DIR}/graphicbase.cpp
  ${CMAKE_CURRENT_LIST_DIR}/graphicbasedraw.cpp
  ${CMAKE_CURRENT_LIST_DIR}/graphicbase.h
  ${CMAKE_CURRENT_LIST_DIR}/spectrumtrace.h
  ${CMAKE_CURRENT_LIST_DIR}/spectrumgraphicbase.cpp
  ${CMAKE_CURRENT_LIST_DIR}/spectrumgraphicbase.h
  ${CMAKE_CURRENT_LIST_DIR}/spectrumgraphic.cpp
  ${CMAKE_CURRENT_LIST_DIR}/spectrumgraphic.h
)
