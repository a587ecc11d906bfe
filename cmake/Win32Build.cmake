# Win32 build: the installer, the stand-in product, the payload records and
# the tests that run under Wine.
enable_language(RC)
include(${CMAKE_CURRENT_LIST_DIR}/Payload.cmake)

# Windows 98 SE and NT 4 are the oldest systems served: keep the headers from
# offering newer APIs, and mark the executables for subsystem 4.0.
add_compile_definitions(WINVER=0x0410 _WIN32_WINNT=0x0400 _WIN32_IE=0x0500 STRICT)
add_compile_options($<$<COMPILE_LANGUAGE:CXX>:-Wall> $<$<COMPILE_LANGUAGE:CXX>:-Wextra>)
# The shipped programs take the win32-threads runtime: the posix one pulls in
# winpthreads, which imports functions that Windows 98 lacks.
string(REGEX MATCH "^[0-9]+" _gcc_major ${CMAKE_CXX_COMPILER_VERSION})
set(BRIMEL_WIN32_THREADS_RUNTIME /usr/lib/gcc/${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32/${_gcc_major}-win32)
if(NOT EXISTS ${BRIMEL_WIN32_THREADS_RUNTIME}/libstdc++.a)
  message(FATAL_ERROR "The win32-threads MinGW runtime is missing: ${BRIMEL_WIN32_THREADS_RUNTIME}")
endif()
set(BRIMEL_STATIC_LINK -static -static-libgcc -static-libstdc++ -L${BRIMEL_WIN32_THREADS_RUNTIME})
set(BRIMEL_GUI_LINK ${BRIMEL_STATIC_LINK} -mwindows -Wl,--subsystem,windows:4.0
    -Wl,--major-os-version,4 -Wl,--minor-os-version,0)

target_link_libraries(brimel_core PUBLIC -l:libz.a)

# Everything of the installer but its entry point, so that tests link it too.
file(GLOB BRIMEL_WIN_SOURCES CONFIGURE_DEPENDS
     src/framework/*.cpp src/app/*.cpp src/payload/*.cpp src/sys/*.cpp src/install/*.cpp
     src/ui/*/*.cpp)
list(FILTER BRIMEL_WIN_SOURCES EXCLUDE REGEX "/src/app/main\\.cpp$")
add_library(brimel_win STATIC ${BRIMEL_WIN_SOURCES})
target_include_directories(brimel_win PUBLIC ${CMAKE_SOURCE_DIR}/res)
target_link_libraries(brimel_win PUBLIC brimel_core
                      user32 gdi32 advapi32 shell32 ole32 oleaut32 uuid comctl32 version)

# The stand-in product and the payload records made from it.
add_subdirectory(product)
include(${CMAKE_SOURCE_DIR}/product/records.cmake)
brimel_write_records_rc(${CMAKE_BINARY_DIR}/generated/records.rc)

# Resources shared by the installer and the tests: dialogs, strings, artwork,
# payload records.
add_library(brimel_resources OBJECT res/brimel.rc ${CMAKE_BINARY_DIR}/generated/records.rc)
target_include_directories(brimel_resources PRIVATE res ${CMAKE_BINARY_DIR}/generated)
get_property(_record_files GLOBAL PROPERTY BRIMEL_RECORD_FILES)
file(GLOB _art CONFIGURE_DEPENDS res/art/*)
set_source_files_properties(${CMAKE_BINARY_DIR}/generated/records.rc PROPERTIES
                            OBJECT_DEPENDS "${_record_files}")
set_source_files_properties(res/brimel.rc PROPERTIES OBJECT_DEPENDS "${_art}")

add_executable(BrimelSetup WIN32 src/app/main.cpp $<TARGET_OBJECTS:brimel_resources>)
target_link_libraries(BrimelSetup PRIVATE brimel_win ${BRIMEL_GUI_LINK} -s)

# Tests under Wine.
add_subdirectory(tests/win)

# Benchmarks, only on request (bench/run.sh turns them on).
option(BRIMEL_BENCH "Build the benchmarks in bench/" OFF)
if(BRIMEL_BENCH)
  add_subdirectory(${CMAKE_SOURCE_DIR}/bench ${CMAKE_BINARY_DIR}/bench)
endif()
