# Fails when the link closure of a core target (written at configure time) names Qt.
file(READ "${LINKS_FILE}" links)
if(links MATCHES "Qt")
  message(FATAL_ERROR "A core target links Qt:\n${links}")
endif()
message(STATUS "link boundary kept")
