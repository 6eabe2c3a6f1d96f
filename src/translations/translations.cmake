# The program's texts are written in Simplified Chinese; every other language is one
# veltrix_<locale>.ts file here. Each is compiled by the toolkit's lrelease and built
# into veltrix_core as :/translations/veltrix_<locale>.qm, where the language switch
# finds it: a new language needs nothing but its file. scripts/translations brings the
# files up to date with the sources.
if(QT_VERSION_MAJOR EQUAL 6)
  find_package(Qt6 REQUIRED COMPONENTS LinguistTools)
else()
  find_package(Qt5 REQUIRED COMPONENTS LinguistTools)
endif()

file(GLOB veltrix_ts_files CONFIGURE_DEPENDS "${CMAKE_CURRENT_LIST_DIR}/veltrix_*.ts")
set(veltrix_qm_files)
set(veltrix_qrc_entries)
foreach(ts IN LISTS veltrix_ts_files)
  get_filename_component(name "${ts}" NAME_WE)
  set(qm "${CMAKE_CURRENT_BINARY_DIR}/translations/${name}.qm")
  # Entries still marked unfinished are left out: lupdate fills new entries with guesses
  # from similar texts ("0.2 degree" for "1%"), and a guess must never reach the user.
  add_custom_command(OUTPUT "${qm}"
    COMMAND Qt${QT_VERSION_MAJOR}::lrelease -silent -nounfinished "${ts}" -qm "${qm}"
    DEPENDS "${ts}"
    COMMENT "Compiling the translation ${name}"
    VERBATIM)
  list(APPEND veltrix_qm_files "${qm}")
  string(APPEND veltrix_qrc_entries "  <file alias=\"${name}.qm\">${qm}</file>\n")
endforeach()

set(veltrix_qrc "${CMAKE_CURRENT_BINARY_DIR}/translations/veltrix_translations.qrc")
file(CONFIGURE OUTPUT "${veltrix_qrc}" CONTENT
"<!DOCTYPE RCC>
<RCC version=\"1.0\">
 <qresource prefix=\"/translations\">
${veltrix_qrc_entries} </qresource>
</RCC>
")
target_sources(veltrix_core PRIVATE ${veltrix_qm_files} "${veltrix_qrc}")
