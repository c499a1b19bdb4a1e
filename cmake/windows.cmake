# The Windows build: the platform services on the Win32 API and the libraries that need no
# toolkit, with their tests run under the cross-compiling emulator (Wine). MinGW has no
# sanitizers, so CORVANE_SANITIZE does not apply here.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_AUTOMOC OFF)
set(CMAKE_AUTORCC OFF)
# The wide-character API throughout, for Windows 10 and later.
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0A00)

add_subdirectory(src/platform)
# The core: every rule of the windows, in standard C++; built here so that it stays portable.
add_subdirectory(src/core)
# The native windows over the core, and the program.
add_subdirectory(src/shell/win32)
# The program folder: Media\notify.wav beside the program, the installer.
include(cmake/windows_package.cmake)

if(CORVANE_TESTS)
    enable_testing()
    add_subdirectory(tests/windows)
    add_subdirectory(tests/fakes)
    add_subdirectory(tests/core)
    add_subdirectory(tests/e2e_windows)
endif()
