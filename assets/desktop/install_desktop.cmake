# Run by `cmake --install`: writes the two desktop entries into PREFIX/share/applications with
# the full paths of this game folder's launcher and icons.
get_filename_component(lmn_dir "${CMAKE_INSTALL_PREFIX}" ABSOLUTE)
set(lmn_icons "${lmn_dir}/share/icons/hicolor/256x256/apps")

# A desktop entry's Exec quotes its program; inside the quotes " ` $ \ take a backslash, and the
# value as a whole doubles every backslash and percent sign.
set(lmn_launcher "${lmn_dir}/lumenfold")
string(REPLACE "\\" "\\\\" lmn_launcher "${lmn_launcher}")
string(REGEX REPLACE "([\"`$])" "\\\\\\1" lmn_launcher "${lmn_launcher}")
string(REPLACE "\\" "\\\\" lmn_launcher "${lmn_launcher}")
string(REPLACE "%" "%%" lmn_launcher "${lmn_launcher}")
set(lmn_launcher "\"${lmn_launcher}\"")
string(REPLACE "\\" "\\\\" lmn_dir_value "${lmn_dir}")
string(REPLACE "\\" "\\\\" lmn_icons_value "${lmn_icons}")

foreach(entry lumenfold lumenfold-card-maker)
  file(READ "${CMAKE_CURRENT_LIST_DIR}/${entry}.desktop.in" text)
  string(REPLACE "@LAUNCHER@" "${lmn_launcher}" text "${text}")
  string(REPLACE "@DIR@" "${lmn_dir_value}" text "${text}")
  string(REPLACE "@ICONS@" "${lmn_icons_value}" text "${text}")
  set(target "$ENV{DESTDIR}${lmn_dir}/share/applications/${entry}.desktop")
  message(STATUS "Installing: ${target}")
  file(WRITE "${target}" "${text}")
endforeach()
