#!/usr/bin/env bash
# Checks the rule that keeps the render and deep kernels' wider paths (AVX2,
# AVX-512F) from handing their instruction set to the rest of the program.
# A path file compiles its lanes header inside a `#pragma GCC target`
# region; an inline function or a template first seen there is compiled for
# the wider set, and the linker keeps one copy of it for every object that
# uses it, so that code that must run on any x86-64 processor could run AVX2.
#
#   kernel_target_rule.sh SOURCE_DIR COMPILER OBJDUMP [-I DIR]... -- OBJECT...
#
# It fails when
#   - a lanes header (engine/*_lanes.h) includes a standard header that
#     engine/kernel_lanes_std.h, the one list of them, lacks;
#   - a path file first includes any header other than its lanes header
#     inside its target region (its preprocessed text shows where each
#     header is first entered);
#   - a path's object (the objects given whose names hold _avx) holds code
#     that other objects share, a COMDAT instance such as a standard
#     library template's, with instructions of the wider set.
set -uo pipefail
if [ $# -lt 4 ]; then
  echo "usage: $0 SOURCE_DIR COMPILER OBJDUMP [-I DIR]... -- OBJECT..." >&2
  exit 2
fi
source=$1 compiler=$2 objdump=$3
shift 3
includes=()
while [ $# -gt 0 ] && [ "$1" != -- ]; do
  includes+=("$1")
  shift
done
[ $# -gt 0 ] && shift

faults=0
fault() {
  echo "FAULT: $*"
  faults=$((faults + 1))
}

# The standard headers named by an #include <...> of a file.
standard_includes() { sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*<\([^>]*\)>.*/\1/p' "$1"; }

list="$source/engine/kernel_lanes_std.h"
[ -f "$list" ] || fault "engine/kernel_lanes_std.h, the list of the lanes' standard headers, is missing"
listed=$(standard_includes "$list" 2>/dev/null)
lanes_headers=("$source"/engine/*_lanes.h)
for header in "${lanes_headers[@]}"; do
  for wanted in $(standard_includes "$header"); do
    grep -qxF "$wanted" <<<"$listed" ||
      fault "${header#"$source"/} includes <$wanted>, which engine/kernel_lanes_std.h does not list"
  done
done
echo "Lanes headers looked at: ${#lanes_headers[@]}; engine/kernel_lanes_std.h lists" $listed

mapfile -t path_files < <(grep -l '^#pragma GCC target' "$source"/engine/*.cpp)
[ ${#path_files[@]} -gt 0 ] || fault "no path file with a #pragma GCC target in $source/engine"
for path in "${path_files[@]}"; do
  # The headers entered for the first time (a line marker with flag 1)
  # inside the path file's own target region; the lanes header is the one
  # that belongs there. A header entered again, such as <climits>, whose
  # guard lies after its own includes, holds nothing new.
  entered=$("$compiler" -std=c++17 -E "${includes[@]}" "$path" | awk -v main="$path" '
    /^# [0-9]+ "/ {
      file = $3
      gsub(/"/, "", file)
      if ($4 == 1 && !(file in seen)) {
        seen[file] = 1
        if (inside && file !~ /_lanes\.h$/)
          print file
      }
      next
    }
    file == main && /^#pragma GCC target/ { inside = 1 }
    file == main && /^#pragma GCC pop_options/ { inside = 0 }')
  status=$?
  if [ $status -ne 0 ]; then
    fault "${path#"$source"/} could not be preprocessed"
    continue
  fi
  if [ -z "$entered" ]; then
    echo "${path#"$source"/}: nothing but its lanes header first included inside its target region"
  fi
  if [ -n "$entered" ]; then
    first=$(head -1 <<<"$entered")
    fault "${path#"$source"/} first includes ${first#"$source"/} inside its target region" \
      "($(wc -l <<<"$entered") headers in all)"
  fi
done

objects=0
for object in "$@"; do
  case $(basename "$object") in
  *_avx*) ;;
  *) continue ;;
  esac
  objects=$((objects + 1))
  # Sections named for a mangled symbol (.text._Z... in ELF, .text$_Z... in
  # COFF) hold COMDAT code, which the linker may keep from any object; in
  # them, an instruction of VEX or EVEX form (v..., mask registers k..., or
  # 256- and 512-bit registers) needs the wider set.
  disassembly=$("$objdump" -d -C --no-show-raw-insn "$object") || {
    fault "$object could not be disassembled"
    continue
  }
  shared=$(awk '
    /^Disassembly of section / { shared = ($4 ~ /_Z/); next }
    /^[0-9a-f]+ <.*>:$/ { symbol = substr($0, index($0, "<") + 1); sub(/>:$/, "", symbol); next }
    shared && /^[[:space:]]+[0-9a-f]+:/ && ($2 ~ /^[vk]/ || /%[yz]mm/) && !(symbol in seen) {
      seen[symbol] = 1
      print symbol
    }' <<<"$disassembly")
  while IFS= read -r symbol; do
    [ -n "$symbol" ] && fault "$(basename "$object") holds shared code of the wider instruction set: $symbol"
  done <<<"$shared"
done
[ $objects -gt 0 ] || fault "no object of a wider path was given"
echo "Objects of the wider paths looked at: $objects"

if [ $faults -gt 0 ]; then
  echo "$faults fault(s)"
  exit 1
fi
echo "The kernels' target rule holds"
