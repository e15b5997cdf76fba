# Fails when an executable needs a Qt GUI library (cmake -DREADELF=readelf
# -DPROGRAM=path -P needs-no-gui.cmake): kvx, which runs the command line
# without the window, must start without loading them.
execute_process(COMMAND ${READELF} -d ${PROGRAM} OUTPUT_VARIABLE dynamic COMMAND_ERROR_IS_FATAL ANY)
string(REGEX MATCHALL "Shared library: \\[[^]]+\\]" needed "${dynamic}")
string(REGEX REPLACE "Shared library: \\[([^]]+)\\]" "\\1" needed "${needed}")
if(NOT needed MATCHES "libQt6Core")
  message(FATAL_ERROR "no Qt library among what ${PROGRAM} needs (${needed}): the check reads it wrong")
endif()
if(needed MATCHES "libQt6(Gui|Widgets|PrintSupport)")
  message(FATAL_ERROR "${PROGRAM} needs a Qt GUI library: ${needed}")
endif()
