# Libraries the build uses from Debian. A native build finds them as installed. The Windows cross
# build cannot use the build machine's /usr/include (it holds Linux headers next to these), so
# the header-only libraries are copied into a folder of their own and announced to find_package
# through small package files, and GoogleTest is compiled from the sources Debian ships.
if(NOT (WIN32 AND CMAKE_CROSSCOMPILING))
    find_package(GTest REQUIRED)
    return()
endif()

set(KX_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources for the cross build")
set(KX_HOST_INCLUDE_DIR /usr/include CACHE PATH "Where Debian installs the header-only libraries")
set(KX_WINDOWS_DEPS_DIR ${CMAKE_BINARY_DIR}/windows-deps)

include(CMakePackageConfigHelpers)

# kx_header_package(PACKAGE TARGET VERSION_HEADER HEADER...): copies each HEADER (a file or a
# folder below KX_HOST_INCLUDE_DIR) and makes find_package(PACKAGE) give the interface target
# TARGET, with the version that VERSION_HEADER defines as ..._VERSION_MAJOR/MINOR/PATCH.
function(kx_header_package package target version_header)
    set(include_dir ${KX_WINDOWS_DEPS_DIR}/${package}/include)
    foreach(header IN LISTS ARGN)
        if(NOT EXISTS ${KX_HOST_INCLUDE_DIR}/${header})
            message(FATAL_ERROR "${package}: ${KX_HOST_INCLUDE_DIR}/${header} is missing")
        endif()
        file(COPY ${KX_HOST_INCLUDE_DIR}/${header} DESTINATION ${include_dir})
    endforeach()
    file(WRITE ${KX_WINDOWS_DEPS_DIR}/${package}/${package}Config.cmake
        "if(NOT TARGET ${target})\n"
        "    add_library(${target} INTERFACE IMPORTED)\n"
        "    set_target_properties(${target} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${include_dir})\n"
        "endif()\n")
    file(READ ${KX_HOST_INCLUDE_DIR}/${version_header} text)
    set(number "[ \t]+([0-9]+)")
    if(NOT text MATCHES "_VERSION_MAJOR${number}.*_VERSION_MINOR${number}.*_VERSION_PATCH${number}")
        message(FATAL_ERROR "${package}: no version in ${version_header}")
    endif()
    string(JOIN . version ${CMAKE_MATCH_1} ${CMAKE_MATCH_2} ${CMAKE_MATCH_3})
    write_basic_package_version_file(${KX_WINDOWS_DEPS_DIR}/${package}/${package}ConfigVersion.cmake
        VERSION ${version} COMPATIBILITY SameMajorVersion ARCH_INDEPENDENT)
    set(${package}_DIR ${KX_WINDOWS_DEPS_DIR}/${package} CACHE PATH "" FORCE)
endfunction()

kx_header_package(nlohmann_json nlohmann_json::nlohmann_json nlohmann/detail/abi_macros.hpp nlohmann)
kx_header_package(CLI11 CLI11::CLI11 CLI/Version.hpp CLI)

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
add_subdirectory(${KX_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

# pkg-config sees only what is staged here, never the build machine's Linux libraries.
set(ENV{PKG_CONFIG_LIBDIR} ${KX_WINDOWS_DEPS_DIR}/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")

# cpp-httplib for the service: Debian builds it as a library for Linux, so the Windows build
# uses its one-header form from the same version's source (scripts/build-windows.sh fetches it)
# and links Windows Sockets in its place.
set(KX_HTTPLIB_SOURCE_DIR "" CACHE PATH "cpp-httplib source with the one-header httplib.h")
function(kx_httplib_package)
    set(include_dir ${KX_WINDOWS_DEPS_DIR}/cpp-httplib/include)
    file(COPY ${KX_HTTPLIB_SOURCE_DIR}/httplib.h DESTINATION ${include_dir})
    file(READ ${include_dir}/httplib.h text)
    if(NOT text MATCHES "CPPHTTPLIB_VERSION \"([0-9.]+)\"")
        message(FATAL_ERROR "cpp-httplib: no version in ${KX_HTTPLIB_SOURCE_DIR}/httplib.h")
    endif()
    file(WRITE ${KX_WINDOWS_DEPS_DIR}/pkgconfig/cpp-httplib.pc
        "Name: cpp-httplib\n"
        "Description: C++ HTTP library, one-header form\n"
        "Version: ${CMAKE_MATCH_1}\n"
        "Cflags: -I${include_dir}\n"
        "Libs: -lws2_32\n")
endfunction()
if(KX_HTTPLIB_SOURCE_DIR)
    kx_httplib_package()
endif()
