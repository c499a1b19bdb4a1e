# The program folder as users get it, in the build tree's bin folder and in an install:
#   Corvane4.0.exe, corvanehelp.htm, Media\notify.wav
# and the installer that puts it into Program Files (makensis, Debian's nsis).

# The notification sound is made by a small tool at build time. The tool runs on the build
# machine, so it is compiled here with the host's own compiler rather than cross-compiled.
find_program(CORVANE_HOST_CXX NAMES c++ g++ clang++ REQUIRED)
set(notify_tool_dir ${PROJECT_SOURCE_DIR}/tools/notify_sound)
set(notify_tool_sources ${notify_tool_dir}/main.cpp ${notify_tool_dir}/notify_sound.cpp)
set(notify_tool ${CMAKE_BINARY_DIR}/host/make_notify_sound)
add_custom_command(OUTPUT ${notify_tool}
                   COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/host
                   COMMAND ${CORVANE_HOST_CXX} -std=c++20 -O2 -o ${notify_tool} ${notify_tool_sources}
                   DEPENDS ${notify_tool_sources} ${notify_tool_dir}/notify_sound.h
                   COMMENT "Building the notification sound's tool for the build machine" VERBATIM)
set(notify_wav ${CMAKE_BINARY_DIR}/bin/Media/notify.wav)
add_custom_command(OUTPUT ${notify_wav}
                   COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/bin/Media
                   COMMAND ${notify_tool} ${notify_wav}
                   DEPENDS ${notify_tool}
                   COMMENT "Making the notification sound" VERBATIM)
add_custom_target(corvane_notify_wav ALL DEPENDS ${notify_wav})

if(NOT TARGET corvane_win32)
    return()
endif()
add_dependencies(corvane_win32 corvane_notify_wav)

# cmake --install build/windows --prefix <folder>: the program folder, as the installer lays it out.
install(TARGETS corvane_win32 RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/resources/data/corvanehelp.htm DESTINATION .)
install(FILES ${notify_wav} DESTINATION Media)

# The installer, Corvane-4.0-setup.exe in the build tree: cmake --build ... --target corvane_installer
find_program(CORVANE_MAKENSIS makensis)
if(CORVANE_MAKENSIS)
    set(setup ${CMAKE_BINARY_DIR}/Corvane-${PROJECT_VERSION}-setup.exe)
    set(nsi ${PROJECT_SOURCE_DIR}/packaging/windows/corvane.nsi)
    add_custom_command(OUTPUT ${setup}
                       COMMAND ${CORVANE_MAKENSIS} -V2 -NOCD -DVERSION=${PROJECT_VERSION}
                               -DPROGRAM_DIR=$<TARGET_FILE_DIR:corvane_win32>
                               -DICON=${CMAKE_BINARY_DIR}/src/shell/win32/resources/corvane.ico
                               -DOUTFILE=${setup} ${nsi}
                       DEPENDS ${nsi} corvane_win32 ${notify_wav} ${PROJECT_SOURCE_DIR}/resources/data/corvanehelp.htm
                       COMMENT "Making the installer Corvane-${PROJECT_VERSION}-setup.exe" VERBATIM)
    add_custom_target(corvane_installer DEPENDS ${setup})
endif()
