# Win32 build: the installer, the stand-in product, the payload records and
# the tests that run under Wine.
enable_language(RC)
include(${CMAKE_CURRENT_LIST_DIR}/Payload.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/Release.cmake)

# Windows 98 SE and NT 4 are the oldest systems served: keep the headers from
# offering newer APIs, and mark the executables for subsystem 4.0.
add_compile_definitions(WINVER=0x0410 _WIN32_WINNT=0x0400 _WIN32_IE=0x0500 STRICT)
add_compile_options($<$<COMPILE_LANGUAGE:CXX>:-Wall> $<$<COMPILE_LANGUAGE:CXX>:-Wextra>)

# Thread models. The tests take the posix runtime of the -posix compilers
# (GoogleTest needs it). The shipped programs take the win32-threads runtime,
# headers and libraries alike: the posix one brings winpthreads, which imports
# functions that Windows 98 lacks.
string(REGEX MATCH "^[0-9]+" _gcc_major ${CMAKE_CXX_COMPILER_VERSION})
set(BRIMEL_WIN32_THREADS_RUNTIME /usr/lib/gcc/${TOOLCHAIN_PREFIX}/${_gcc_major}-win32)
if(NOT EXISTS ${BRIMEL_WIN32_THREADS_RUNTIME}/libstdc++.a)
  message(FATAL_ERROR "The win32-threads MinGW runtime is missing: ${BRIMEL_WIN32_THREADS_RUNTIME}")
endif()
set(_win32_cxx_headers ${BRIMEL_WIN32_THREADS_RUNTIME}/include/c++)
# The shipped programs are built for size: every function and datum in a
# section of its own so that the linker drops what nothing reaches, and no
# unwind tables (nothing is thrown), no locks around the first run of a
# function's static (the installer's windows live on one thread; the lock's
# error path throws). The tests keep the default flags; the
# library code they share is built twice (brimel_<layer> and _ship below).
add_library(brimel_ship_options INTERFACE)
# Optimised across the whole link: the shipped programs come out several KB
# smaller than with each object optimised on its own.
target_compile_options(brimel_ship_options INTERFACE
  -Os -flto -ffunction-sections -fdata-sections -fno-asynchronous-unwind-tables -fno-unwind-tables -fno-ident
  $<$<COMPILE_LANGUAGE:CXX>:-nostdinc++ -fno-rtti -fno-exceptions -fno-threadsafe-statics>)
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  # 32-bit Windows promises a stack aligned to 4 bytes only, and nothing
  # shipped needs more: keeping 16 costs an adjustment around many calls.
  target_compile_options(brimel_ship_options INTERFACE -mpreferred-stack-boundary=2)
endif()
target_include_directories(brimel_ship_options SYSTEM INTERFACE
  $<$<COMPILE_LANGUAGE:CXX>:${_win32_cxx_headers}>
  $<$<COMPILE_LANGUAGE:CXX>:${_win32_cxx_headers}/${TOOLCHAIN_PREFIX}>
  $<$<COMPILE_LANGUAGE:CXX>:${_win32_cxx_headers}/backward>)
set(BRIMEL_STATIC_LINK -static -static-libgcc -static-libstdc++ -L${BRIMEL_WIN32_THREADS_RUNTIME})
# No link time in the files (the file header's and the export directory's
# time stamps stay 0): two builds of the same sources are byte for byte the same.
target_link_options(brimel_ship_options INTERFACE ${BRIMEL_STATIC_LINK} -Os -flto -Wl,--gc-sections
                    -Wl,--no-insert-timestamp)
set(BRIMEL_GUI_LINK ${BRIMEL_STATIC_LINK} -mwindows -Wl,--subsystem,windows:4.0
    -Wl,--major-os-version,4 -Wl,--minor-os-version,0)

target_link_libraries(brimel_core PUBLIC -l:libz.a)

# One library per layer, each built twice: for the shipped programs
# (brimel_<layer>_ship) and for the tests (brimel_<layer>). A layer sees only
# its own headers and those of the layers beneath it (brimel_layer_includes),
# so an upward include fails to build.
set(_layer_sys_system_libs advapi32 user32 shell32)
set(_layer_install_system_libs ole32 oleaut32 shell32 advapi32)
set(_layer_framework_system_libs user32 gdi32)
# The interface ids come from libuuid, which holds data only: oleacc.dll is
# loaded at run time (Windows 98 may lack it), never imported.
set(_layer_ui_accessibility_system_libs user32 oleaut32 uuid)
set(_layer_ui_system_libs user32 gdi32 ole32 oleaut32 shell32)
set(_layer_app_system_libs user32 ole32 shell32)
function(brimel_win_layer name)
  cmake_parse_arguments(L "" "" "DEPENDS" ${ARGN})
  string(REPLACE "_" "/" _folder ${name})
  file(GLOB_RECURSE _sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${_folder}/*.cpp)
  list(FILTER _sources EXCLUDE REGEX "/src/app/main\\.cpp$")
  # A layer beneath inside this one's folder is a library of its own.
  foreach(d IN LISTS L_DEPENDS)
    string(REPLACE "_" "/" _inner ${d})
    list(FILTER _sources EXCLUDE REGEX "/src/${_inner}/")
  endforeach()
  brimel_layer_includes(${name} _includes)
  foreach(variant "" "_ship")
    add_library(brimel_${name}${variant} STATIC ${_sources})
    target_include_directories(brimel_${name}${variant} PUBLIC ${_includes})
    # The resource ids are the application's: the framework, payload and
    # sys are handed what they need, and what tools read of a control needs
    # none.
    if(NOT name MATCHES "^(framework|payload|sys|ui_accessibility)$")
      target_include_directories(brimel_${name}${variant} PUBLIC ${CMAKE_SOURCE_DIR}/res)
    endif()
    set(_deps)
    foreach(d IN LISTS L_DEPENDS)
      list(APPEND _deps brimel_${d}${variant})
    endforeach()
    target_link_libraries(brimel_${name}${variant} PUBLIC ${_deps} ${_layer_${name}_system_libs})
    if(variant STREQUAL "_ship")
      target_link_libraries(brimel_${name}${variant} PUBLIC brimel_ship_options)
    endif()
  endforeach()
endfunction()

# zlib's inflate for the shipped programs, from the sources in third_party/zlib:
# without gzip decoding (NO_GZIP: no header parsing, no CRC-32 and its tables)
# and built for size like the rest. The tests link the system's libz.a.
file(GLOB _zlib_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/third_party/zlib/*.c)
add_library(brimel_zlib STATIC ${_zlib_sources})
target_compile_definitions(brimel_zlib PRIVATE NO_GZIP)
target_include_directories(brimel_zlib PUBLIC ${CMAKE_SOURCE_DIR}/third_party/zlib)
target_link_libraries(brimel_zlib PRIVATE brimel_ship_options)

# The core's Win32 part (its resources and owners) joins the portable core.
file(GLOB _core_win32 CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/core/win32/*.cpp)
target_sources(brimel_core PRIVATE ${_core_win32})
add_library(brimel_core_ship STATIC ${BRIMEL_CORE_SOURCES} ${_core_win32})
add_dependencies(brimel_core_ship brimel_installed_product)
brimel_layer_includes(core _core_includes)
target_include_directories(brimel_core_ship PUBLIC ${_core_includes})
target_link_libraries(brimel_core_ship PUBLIC brimel_ship_options brimel_zlib)

brimel_win_layer(framework DEPENDS core)
brimel_win_layer(payload DEPENDS core)
brimel_win_layer(sys DEPENDS core)
brimel_win_layer(install DEPENDS payload sys)
brimel_win_layer(ui_accessibility DEPENDS framework)
brimel_win_layer(ui DEPENDS ui_accessibility)
brimel_win_layer(app DEPENDS ui install)
# The registration names the version and the build number (brimel_build.h).
target_include_directories(brimel_install PRIVATE ${BRIMEL_GENERATED_DIR})
target_include_directories(brimel_install_ship PRIVATE ${BRIMEL_GENERATED_DIR})

# Everything of the installer but its entry point, for the tests and
# benchmarks; they may reach every layer.
add_library(brimel_win INTERFACE)
target_include_directories(brimel_win INTERFACE ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(brimel_win INTERFACE brimel_app)

# The payload records of the product team's folder in a release build, else
# of the stand-in product staged the same way: both take one path.
add_subdirectory(product)
if(BRIMEL_PRODUCT_DIR)
  brimel_product_dir_records(${BRIMEL_PRODUCT_DIR})
else()
  brimel_product_dir_records(${BRIMEL_STAND_IN_DIR} STAGED_BY brimel_stand_in)
endif()
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
if(TARGET brimel_product_dir_check)
  add_dependencies(brimel_resources brimel_product_dir_check)
endif()

add_executable(BrimelSetup WIN32 src/app/main.cpp res/identity.rc $<TARGET_OBJECTS:brimel_resources>)
target_link_libraries(BrimelSetup PRIVATE brimel_app_ship)
target_include_directories(BrimelSetup PRIVATE ${BRIMEL_GENERATED_DIR})
# It writes to Program Files and the machine's registry.
brimel_manifest(BrimelSetup BrimelSetup requireAdministrator)
brimel_sign(BrimelSetup)
# The link map tells which piece of the program takes how much (bench/size_split.py).
target_link_options(BrimelSetup PRIVATE ${BRIMEL_GUI_LINK} -s -Wl,-Map=${CMAKE_BINARY_DIR}/BrimelSetup.map)

# Tests under Wine.
add_subdirectory(tests/win)

# Benchmarks, only on request (bench/run.sh turns them on).
option(BRIMEL_BENCH "Build the benchmarks in bench/" OFF)
if(BRIMEL_BENCH)
  add_subdirectory(${CMAKE_SOURCE_DIR}/bench ${CMAKE_BINARY_DIR}/bench)
endif()
