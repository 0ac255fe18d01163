# The publisher's values from packaging/publisher.conf, as KORVA_PUBLISHER, KORVA_EMAIL and
# KORVA_HOMEPAGE, for the files configured from them. A change there reconfigures.
set(publisher_conf ${PROJECT_SOURCE_DIR}/packaging/publisher.conf)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${publisher_conf})
file(STRINGS ${publisher_conf} publisher_lines REGEX "^[A-Z]+=")
foreach(line IN LISTS publisher_lines)
  string(REGEX MATCH "^([A-Z]+)=(.*)$" pair "${line}")
  set(KORVA_${CMAKE_MATCH_1} "${CMAKE_MATCH_2}")
endforeach()
foreach(name IN ITEMS PUBLISHER EMAIL HOMEPAGE)
  if(NOT KORVA_${name})
    message(FATAL_ERROR "${publisher_conf} sets no ${name}")
  endif()
endforeach()
