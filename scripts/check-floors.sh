#!/usr/bin/env bash
# scripts/check-floors.sh - checks that each source folder includes and calls only what lies at or below it.
#
# Usage: scripts/check-floors.sh <source-root> <windows-build-dir> [<native-build-dir>] [--report-only]
#
# Prints one line per violation, "kind  file[:line]: what - why", and exits 1 when there is any (0 with
# --report-only, 2 when it cannot run). The kinds:
#   include      #include "x/..." of a folder not at or below the includer's folder      (the sources)
#   call         a symbol an object uses that only folders above or beside it define     (nm of the Windows
#                objects, <build>/CMakeFiles/<target>.dir/<folder>/<file>.cpp.obj, every target)
#   native       a Windows header reached, through project headers, from a source of the native build
#                (its compile_commands.json, else its objects under <native>/CMakeFiles/<target>.dir/)
#   app-include  app/ including anything but vrxlib.h, app/*.h and the standard headers, or examples/
#                anything but vrxlib.h, its own headers and the standard headers
#   app-call     app/ objects using product symbols that vrxlib.h does not declare
# Symbols no product folder defines (system, C runtime, libstdc++) are ignored. Test folders are not checked.
# NOTE: the native check follows the includes as written, so a Windows header behind #ifdef counts too, and a
#       configured native build with compile_commands.json is enough (a compiler would fail on the header first).
set -u

# Floors from the ground up: a folder may use its own files and those of lower floors; folders on one
# floor stand side by side and may not use each other.
FLOORS="imaging:1 base:2 text:3 boxes:4 image:4 host:5 app:6"
# The one call upward: host starts the user routine that app/ defines.
UPCALLS="user_routine"
# The standard C and C++ headers, the only ones app/ may include besides vrxlib.h and app/*.h
STD_HEADERS="assert.h ctype.h errno.h float.h inttypes.h limits.h math.h stdarg.h stdbool.h stddef.h stdint.h
  stdio.h stdlib.h string.h time.h wchar.h wctype.h algorithm array atomic bitset cassert cctype cerrno cfloat
  chrono cinttypes climits cmath cstdarg cstddef cstdint cstdio cstdlib cstring ctime cwchar deque functional
  initializer_list iterator limits list map memory new numeric optional queue set sstream stack string
  string_view tuple type_traits unordered_map unordered_set utility vector"
# Windows, GDI+ and shell headers, lower-cased; the native build may reach none of them
WIN_HEADERS='^(win[a-z0-9]*|commdlg|commctrl|shellapi|shlobj|shlwapi|objbase|objidl|ole2|olectl|unknwn|psapi|mmsystem|dwmapi|uxtheme|tchar|gdiplus[a-z]*)\.h$'

report_only=0 args=()
for a in "$@"; do if [[ $a == --report-only ]]; then report_only=1; else args+=("$a"); fi; done
(( ${#args[@]} == 2 || ${#args[@]} == 3 )) || { sed -n 4p "$0" >&2; exit 2; }
root=$(realpath "${args[0]}") win=${args[1]} native=${args[2]:-}
NM=$(command -v x86_64-w64-mingw32-nm || command -v nm)
std=" $(echo $STD_HEADERS) "
declare -A floor; for f in $FLOORS; do floor[${f%:*}]=${f#*:}; done
out=$(mktemp) syms=$(mktemp); trap 'rm -f "$out" "$syms"' EXIT
report() { printf '%-12s %s\n' "$1" "$2" >> "$out"; }
# True when folder $1 may use folder $2
reaches() { [[ $1 == "$2" ]] || (( floor[$2] < floor[$1] )); }
# Prints why folder $2 is out of reach of folder $1
why() {
  if (( floor[$2] == floor[$1] )); then echo "$2/ stands beside $1/ on floor ${floor[$1]}"
  else echo "$2/ (floor ${floor[$2]}) is above $1/ (floor ${floor[$1]})"; fi
}
# Prints the names a file includes, one a line
includes_of() { sed -nE 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*["<]([^">]+)[">].*/\1/p' "$1"; }

# include, app-include: the include lines of every file of the product folders and the examples
for d in "${!floor[@]}" examples; do
  [[ -d $root/$d ]] || continue
  while IFS=: read -r file line text; do
    spelled=$(grep -oE "[\"<][^\">]+[\">]" <<<"$text" | head -1) inc=${spelled:1:-1}
    rel=${file#"$root"/} to=${inc%%/*}
    if [[ $d == app || $d == examples ]]; then
      [[ $spelled == \"* && ( $inc == vrxlib.h || $inc == $d/* || ( $inc != */* && -f ${file%/*}/$inc ) ) ]] && continue
      [[ $spelled == "<"* && $std == *" $inc "* ]] && continue
      report app-include "$rel:$line: includes $spelled - a user routine includes only vrxlib.h, $d/*.h and standard headers"
    elif [[ $inc == */* && -n ${floor[$to]:-} ]] && ! reaches "$d" "$to"; then
      report include "$rel:$line: includes $spelled - $(why "$d" "$to")"
    fi
  done < <(grep -rHnE '^[[:space:]]*#[[:space:]]*include' --include='*.h' --include='*.hpp' --include='*.c' \
             --include='*.cpp' --include='*.inl' "$root/$d")
done

# call, app-call: what each product object defines (D) and uses (U), read with nm
while read -r obj; do
  src=${obj#*/CMakeFiles/*.dir/} && src=${src%.obj}
  [[ -n ${floor[${src%%/*}]:-} ]] || continue
  "$NM" "$obj" | awk -v s="$src" '$NF !~ /^\./ { t = (NF == 3 ? $2 : $1)
    if (t == "U") print "U", s, $NF; else if (t ~ /^[TDBRSGVWIu]$/) print "D", s, $NF }'
done < <(find "$win/CMakeFiles" -path '*/CMakeFiles/*.dir/*' -name '*.obj' 2>/dev/null) > "$syms"
[[ -s $syms ]] || { echo "check-floors: no product objects under $win/CMakeFiles; build it first" >&2; exit 2; }
api=$(sed 's://.*::' "$root/vrxlib.h" | grep -oE '[A-Za-z_][A-Za-z0-9_]*[[:space:]]*[(;]' | tr -d ' (;' | tr '\n' ' ')
awk -v floors="$FLOORS" '
  function dir(f) { sub(/\/.*/, "", f); return f }
  BEGIN { OFS = "\t"; n = split(floors, a, " "); for (i = 1; i <= n; i++) { split(a[i], p, ":"); fl[p[1]] = p[2] } }
  $1 == "D" { d = dir($2); if (index(defs[$3] " ", " " d " ") == 0) defs[$3] = defs[$3] " " d
              if (!($3 in where)) where[$3] = $2; next }
  { use[$2 " " $3] = 1 }
  END { for (k in use) { split(k, p, " "); f = dir(p[1]); s = p[2]
          if (!(s in defs)) continue
          nd = split(defs[s], ds, " "); ok = 0; other = 0
          for (i = 1; i <= nd; i++) { if (ds[i] == f || fl[ds[i]] < fl[f]) ok = 1; if (ds[i] != f) other = 1 }
          dl = substr(defs[s], 2); gsub(/ /, "/ ", dl)
          if (!ok) print "call", p[1], dl, where[s], s
          else if (f == "app" && other) print "app-call", p[1], dl, where[s], s } }' "$syms" |
c++filt | while IFS=$'\t' read -r kind file d where sym; do
  [[ " $UPCALLS " == *" ${sym%%(*} "* ]] && continue
  if [[ $kind == call ]]; then
    report call "$file: uses $sym, defined only in $d/ ($where) - $(why "${file%%/*}" "${d%%/*}")"
  elif [[ " $api " != *" ${sym%%(*} "* ]]; then
    report app-call "$file: uses $sym of $d/ ($where) - vrxlib.h does not declare it"
  fi
done

# native: every Windows header reached from a native source, through the project headers it includes
if [[ -n $native ]]; then
  if [[ -f $native/compile_commands.json ]]; then
    srcs=$(sed -nE 's/.*"file": *"([^"]+)".*/\1/p' "$native/compile_commands.json")
  else
    srcs=$(find "$native/CMakeFiles" -path '*/CMakeFiles/*.dir/*' -name '*.o' 2>/dev/null | sed -E 's|.*/CMakeFiles/[^/]+\.dir/||; s|\.o$||')
  fi
  [[ -n $srcs ]] || { echo "check-floors: no sources of the native build in $native; build it first" >&2; exit 2; }
  for src in $srcs; do
    src=${src#"$root"/}
    [[ $src != /* && -n ${floor[${src%%/*}]:-} && -f $root/$src ]] || continue
    unset via; declare -A via=([$src]=$src); queue=("$src")
    while (( ${#queue[@]} )); do
      f=${queue[0]} queue=("${queue[@]:1}")
      for inc in $(includes_of "$root/$f"); do
        p=$inc; [[ -f $root/$p ]] || p=$(dirname "$f")/$inc
        b=${inc##*/}; if [[ ${b,,} =~ $WIN_HEADERS ]]; then
          report native "$src: reaches <$inc> via ${via[$f]} - the native core must not include a Windows header"
        elif [[ -f $root/$p && -z ${via[$p]:-} ]]; then
          via[$p]="${via[$f]} -> $p" queue+=("$p")
        fi
      done
    done
  done
fi

sort -u -V "$out"
n=$(sort -u "$out" | wc -l)
echo "check-floors: $n violation(s)" >&2
(( n == 0 || report_only ))
