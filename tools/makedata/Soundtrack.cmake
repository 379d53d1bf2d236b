# The soundtrack's composer: XM writer, synthesised instruments and the song,
# plus a small tool that writes the module for listening.
add_library(quorvel_soundtrack STATIC
            ${CMAKE_CURRENT_LIST_DIR}/XmWriter.cpp
            ${CMAKE_CURRENT_LIST_DIR}/InstrumentSynth.cpp
            ${CMAKE_CURRENT_LIST_DIR}/SoundtrackComposer.cpp)

add_executable(compose_soundtrack ${CMAKE_CURRENT_LIST_DIR}/ComposeSoundtrackMain.cpp)
target_link_libraries(compose_soundtrack PRIVATE quorvel_soundtrack)
set_target_properties(compose_soundtrack PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
