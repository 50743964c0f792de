# The two items whose setups come from installer makers of the time: Comet Courier's NSIS setup (makensis, from
# courier.nsi) and Harbour Cranes' Windows Installer package (wixl, from cranes.wxs), each with the sample game
# inside. Where a maker is missing its item is left out of the catalog, and configuring says so once. Included
# by samples/CMakeLists.txt after the programs; appends to `outputs` and sets NORVA_SAMPLE_LEAVE_OUT (the
# make_catalog.py switches for the items left out).
set(installers_dir ${CMAKE_CURRENT_SOURCE_DIR}/installers)
set(game_program ${NORVA_SAMPLE_PROGRAM_DIR}/game.exe)
set(NORVA_SAMPLE_LEAVE_OUT "")
file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/installers)
find_program(NORVA_MAKENSIS makensis)
find_program(NORVA_WIXL wixl)

if(NORVA_MAKENSIS)
  # Made under another name and copied: makensis warns about an output named setup.exe (the name Windows
  # itself treats as a setup's).
  file(GLOB courier_files CONFIGURE_DEPENDS ${installers_dir}/courier/*)
  set(courier_setup ${CMAKE_CURRENT_BINARY_DIR}/installers/courier-setup.exe)
  add_custom_command(OUTPUT ${disc}/Fulls/Courier/setup.exe
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${disc}/Fulls/Courier
                     COMMAND ${NORVA_MAKENSIS} -V2 -WX -DGAME=${game_program} -DSOURCE=${installers_dir}/courier
                             -DOUTFILE=${courier_setup} ${installers_dir}/courier.nsi
                     COMMAND ${CMAKE_COMMAND} -E copy ${courier_setup} ${disc}/Fulls/Courier/setup.exe
                     DEPENDS ${installers_dir}/courier.nsi ${courier_files} ${game_program} VERBATIM)
  list(APPEND outputs ${disc}/Fulls/Courier/setup.exe)
else()
  list(APPEND NORVA_SAMPLE_LEAVE_OUT --leave-out nsis)
  message(WARNING "Sample disc: makensis not found, so the NSIS item Comet Courier is left out of the catalog "
                  "(tools/install-deps.sh installs nsis)")
endif()

if(NORVA_WIXL)
  # wixl takes the package's files from its working folder: the game under its own name and the readme.
  set(cranes_stage ${CMAKE_CURRENT_BINARY_DIR}/installers/cranes)
  file(MAKE_DIRECTORY ${cranes_stage})
  add_custom_command(OUTPUT ${disc}/Fulls/Cranes/cranes.msi
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${disc}/Fulls/Cranes
                     COMMAND ${CMAKE_COMMAND} -E copy ${game_program} ${cranes_stage}/cranes.exe
                     COMMAND ${CMAKE_COMMAND} -E copy ${installers_dir}/cranes/readme.txt ${cranes_stage}
                     COMMAND ${NORVA_WIXL} -a x86 -o ${disc}/Fulls/Cranes/cranes.msi ${installers_dir}/cranes.wxs
                     WORKING_DIRECTORY ${cranes_stage}
                     DEPENDS ${installers_dir}/cranes.wxs ${installers_dir}/cranes/readme.txt ${game_program}
                     VERBATIM)
  list(APPEND outputs ${disc}/Fulls/Cranes/cranes.msi)
else()
  list(APPEND NORVA_SAMPLE_LEAVE_OUT --leave-out msi)
  message(WARNING "Sample disc: wixl not found, so the Windows Installer item Harbour Cranes is left out of the "
                  "catalog (tools/install-deps.sh installs wixl)")
endif()
