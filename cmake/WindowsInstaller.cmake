# The Windows installer, scindarex-<version>-setup.exe, made by NSIS (Debian's nsis) from the
# cross-built programs: `cmake --build build-windows --target windows-installer`.

find_program(SCX_MAKENSIS makensis)
if(NOT SCX_MAKENSIS)
    message(STATUS "makensis not found: no windows-installer target (Debian package nsis)")
    return()
endif()

set(SCX_SETUP ${CMAKE_BINARY_DIR}/scindarex-${PROJECT_VERSION}-setup.exe)
set(SCX_NSIS_SCRIPT ${PROJECT_SOURCE_DIR}/packaging/windows/scindarex.nsi)
add_custom_command(OUTPUT ${SCX_SETUP}
    COMMAND ${SCX_MAKENSIS} -V2 -DVERSION=${PROJECT_VERSION}
            -DBIN=$<TARGET_FILE_DIR:scindarex>
            -DGUIDE=${PROJECT_SOURCE_DIR}/resources/help/guide.html
            -DICON=${CMAKE_BINARY_DIR}/resources/win32/app_icon.ico
            -DOUTFILE=${SCX_SETUP} ${SCX_NSIS_SCRIPT}
    DEPENDS scindarex scindarex-cli ${SCX_NSIS_SCRIPT} ${PROJECT_SOURCE_DIR}/resources/help/guide.html
    VERBATIM)
add_custom_target(windows-installer DEPENDS ${SCX_SETUP})
