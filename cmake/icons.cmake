# The program's icon, drawn at build time by rsvg-convert from its SVG drawings in
# packaging/linux/desktop,
# named after KORVA_APP_ID. Shrunk to 16 or 24 px, the large drawing's marks blur into each
# other, so the small sizes have drawings of their own on the pixel grid (the 16 px one doubled
# for 32 px).

# korva_draw_icons(<pngs_var> DIRECTORY <dir> SIZES <size>...)
# Draws <dir>/korva-counter-<size>.png for each size and sets <pngs_var> to their paths. The
# drawing commands belong to the calling directory, whose targets take the files.
function(korva_draw_icons pngs_var)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "DIRECTORY" "SIZES")
  find_program(RSVG_CONVERT rsvg-convert REQUIRED)
  set(drawings ${PROJECT_SOURCE_DIR}/packaging/linux/desktop)
  set(pngs)
  foreach(size IN LISTS arg_SIZES)
    set(png ${arg_DIRECTORY}/korva-counter-${size}.png)
    set(drawing ${drawings}/${KORVA_APP_ID}.svg)
    if(size EQUAL 16 OR size EQUAL 32)
      set(drawing ${drawings}/${KORVA_APP_ID}-16.svg)
    elseif(size EQUAL 24)
      set(drawing ${drawings}/${KORVA_APP_ID}-24.svg)
    endif()
    add_custom_command(OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${arg_DIRECTORY}
      COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${drawing}
      DEPENDS ${drawing}
      COMMENT "Drawing the ${size}px icon")
    list(APPEND pngs ${png})
  endforeach()
  set(${pngs_var} ${pngs} PARENT_SCOPE)
endfunction()

# korva_windows_icon(<ico_var>)
# The icon in the sizes Windows asks for, packed by icotool into the one .ico that every Windows
# program of the project carries; sets <ico_var> to its path. The target korva_icon makes it, on
# the first call from whichever directory: a program whose resource script names the .ico
# depends on korva_icon (add_dependencies) and on the file (OBJECT_DEPENDS of the script).
function(korva_windows_icon ico_var)
  set(dir ${CMAKE_BINARY_DIR}/icons)
  set(ico ${dir}/korva-counter.ico)
  set(${ico_var} ${ico} PARENT_SCOPE)
  if(TARGET korva_icon)
    return()
  endif()
  find_program(ICOTOOL icotool REQUIRED)
  korva_draw_icons(pngs DIRECTORY ${dir} SIZES 16 24 32 48 64 256)
  # The large one stays PNG inside the .ico, as Windows' own large icons are.
  list(TRANSFORM pngs PREPEND --raw= REGEX "-256\\.png$" OUTPUT_VARIABLE args)
  add_custom_command(OUTPUT ${ico}
    COMMAND ${ICOTOOL} --create --output=${ico} ${args}
    DEPENDS ${pngs}
    COMMENT "Packing the icon")
  add_custom_target(korva_icon DEPENDS ${ico})
endfunction()
