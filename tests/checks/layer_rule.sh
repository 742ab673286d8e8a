#!/usr/bin/env bash
# Checks the order of the program's layers, from the bottom:
#
#   common/  the instance handle, DPI scaling, scaled pens, scoped handles
#   engine/  the view's state, the render worker, the dialogs of the view
#   orbits/  the Orbits window
#   view/    the fractal view window, which feeds the Orbits window
#   export/  the writing of files, the export's and the save's dialogs
#   shell/   the frame, its bars and commands, the program itself
#
# A folder may use its own layer and those below it, never one above. It
# fails when
#   - a source file of a layer includes a header of a layer above it
#     (#include "shell/..." in engine/, say, or anything of the others in
#     common/);
#   - a layer's CMake files link a library of a layer above it (the
#     libraries are named for their folder: shell_status, view_ui, ...);
#   - a layer includes anything of tests/, bench/ or tools/.
# The resource ids (resources/) are shared by all; tools/ and
# resources/tools/ are built for the build and the scripts.
#
#   layer_rule.sh SOURCE_DIR
set -uo pipefail
if [ $# -ne 1 ]; then
  echo "usage: $0 SOURCE_DIR" >&2
  exit 2
fi
source=$1
layers=(common engine orbits view export shell)

faults=0
fault() {
  echo "FAULT: $*"
  faults=$((faults + 1))
}

# The rank of a layer from the bottom, or nothing for another folder.
rank() {
  local i
  for i in "${!layers[@]}"; do
    [ "${layers[$i]}" = "$1" ] && echo "$i" && return
  done
}

files=0
includes=0
links=0
for layer in "${layers[@]}"; do
  own=$(rank "$layer")
  [ -d "$source/$layer" ] || fault "the layer $layer/ is missing"
  while IFS= read -r file; do
    files=$((files + 1))
    while IFS=: read -r line included; do
      includes=$((includes + 1))
      folder=${included%%/*}
      case $folder in
      tests | bench | tools)
        fault "${file#"$source"/}:$line includes $included, which is no part of the program"
        continue
        ;;
      esac
      other=$(rank "$folder")
      if [ -n "$other" ] && [ "$other" -gt "$own" ]; then
        fault "${file#"$source"/}:$line includes $included: $folder/ lies above $layer/"
      fi
    done < <(grep -n '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file" |
      sed 's/^\([0-9]*\):[^"]*"\([^"]*\)".*/\1:\2/')
  done < <(find "$source/$layer" -type f \( -name '*.cpp' -o -name '*.h' \) | sort)

  while IFS= read -r cmake; do
    # The names in the target_link_libraries of the folder's CMake files.
    for library in $(sed -n '/target_link_libraries(/,/)/p' "$cmake" | tr '()' '  ' | tr -s ' \t' '\n'); do
      folder=${library%%_*}
      other=$(rank "$folder")
      [ -n "$other" ] && [ "$library" != "$folder" ] || continue
      links=$((links + 1))
      if [ "$other" -gt "$own" ]; then
        fault "${cmake#"$source"/} links $library: $folder/ lies above $layer/"
      fi
    done
  done < <(find "$source/$layer" -maxdepth 1 -type f \( -name CMakeLists.txt -o -name '*.cmake' \) | sort)
done

echo "Layers from the bottom: ${layers[*]}; $files files with $includes includes, $links links to layers' libraries"
if [ $faults -gt 0 ]; then
  echo "$faults fault(s)"
  exit 1
fi
echo "No layer includes or links one above it"
