#!/usr/bin/env bash
# Plants one fault at a time and tells whether the tests notice it.
#   scripts/mutate.sh [--scratch DIR] LIST...
# A list holds blocks separated by blank lines:
#   # why this decision matters
#   file: path/relative/to/the/repository.cpp
#   line: 123
#   old: exact text on that line
#   new: its replacement
#   tests: regex of the CTest tests to run (as for ctest -R)
# The edits are made in a scratch copy of the worktree (HEAD plus its
# uncommitted and untracked files), so the worktree itself is never
# changed. The copy and its build folder stay between runs: only what changed
# since is copied and rebuilt. The build is not batched into unity units, so
# an edit recompiles its own source only. Each build and test run takes the
# machine's build lock (/tmp/kvd9-build.lock), as kvd9-build does.
# An edit is "caught" when its tests fail, "missed" when they pass, and an
# error when its old text is nowhere in its file, when it does not build,
# or when its tests fail without it already. Old text that left its line
# is edited on the nearest line holding it, and the output says so. Exit
# status 0 only if every edit was caught.
set -uo pipefail

repo=$(git rev-parse --show-toplevel) || exit 2
scratch=${TMPDIR:-/tmp}/kvd9-mutate.$(id -u)/$(basename "$repo")
if [ "${1:-}" = "--scratch" ]; then
  scratch=$2
  shift 2
fi
if [ $# -eq 0 ]; then
  sed -n '2,8p' "$0" | sed 's/^# \{0,1\}//' >&2
  exit 2
fi
src=$scratch/src
build=$scratch/build
lock=/tmp/kvd9-build.lock
mkdir -p "$src" "$build"

locked() {
  if [ -d "$(dirname "$lock")" ]; then flock "$lock" "$@"; else "$@"; fi
}

# --- the lists -----------------------------------------------------------
files=() lines=() olds=() news=() tests=() whys=() wheres=()
parse() {
  local list=$1 n=0 raw key value
  local file='' line='' old='' new='' test='' why='' have=0 start=0
  flush() {
    if [ "$have" = 1 ]; then
      files+=("$file") lines+=("$line") olds+=("$old") news+=("$new")
      tests+=("$test") whys+=("$why") wheres+=("$list:$start")
    fi
    file='' line='' old='' new='' test='' why='' have=0
  }
  while IFS= read -r raw || [ -n "$raw" ]; do
    n=$((n + 1))
    if [ -z "${raw//[[:space:]]/}" ]; then flush; continue; fi
    [ "$have" = 0 ] && start=$n
    have=1
    if [[ $raw == \#* ]]; then
      why=${raw#\#}
      why=${why# }
      continue
    fi
    key=${raw%%:*}
    value=${raw#*:}
    value=${value# }
    case $key in
      file) file=$value ;;
      line) line=$value ;;
      old) old=$value ;;
      new) new=$value ;;
      tests)
        value=${value#ctest }
        value=${value#-R }
        # As one would type it to ctest: quotes around the regex are no part of it.
        [[ $value == \"*\" ]] && value=${value:1:-1}
        test=$value ;;
      *) echo "$list:$n: unknown key '$key'" >&2; exit 2 ;;
    esac
  done <"$list"
  flush
}
for list in "$@"; do parse "$list"; done
count=${#files[@]}
[ "$count" -gt 0 ] || { echo "no edits in $*" >&2; exit 2; }

# --- the scratch copy ----------------------------------------------------
# Copies only files whose content changed, so that the build recompiles
# only what changed; a copied file takes the time of the copy, since its own
# may be older than what the last build made from the earlier content.
sync_copy() {
  local f
  declare -A keep=()
  while IFS= read -r -d '' f; do
    [ -f "$repo/$f" ] || continue
    keep[$f]=1
    if ! cmp -s "$repo/$f" "$src/$f"; then
      mkdir -p "$src/$(dirname "$f")"
      cp "$repo/$f" "$src/$f"
    fi
  done < <(git -C "$repo" ls-files -z --cached --others --exclude-standard)
  while IFS= read -r -d '' f; do
    f=${f#"$src"/}
    [ -n "${keep[$f]:-}" ] || rm -f "$src/$f"
  done < <(find "$src" -type f -print0)
}
sync_copy

# The machine's shared cache where there is one. No base folder: with one,
# ccache hands the compiler relative paths, and QFINDTESTDATA no longer finds
# the fixtures beside a test's source.
export CCACHE_DIR=${CCACHE_DIR:-/work/.ccache}
export CCACHE_SLOPPINESS=include_file_mtime,include_file_ctime,time_macros,locale
[ -d "$CCACHE_DIR" ] || unset CCACHE_DIR
unset CCACHE_BASEDIR
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
if [ ! -f "$build/CMakeCache.txt" ]; then
  generator=()
  command -v ninja >/dev/null && generator=(-G Ninja)
  cmake -S "$src" -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_UNITY_BUILD=OFF "${launcher[@]}" >/dev/null || exit 2
fi

# The targets that the tests matching $1 run: every program of the build
# folder that their commands name, or, for a program not built yet, the
# test's own name; everything when a command names the build folder itself,
# or a name is no target (the layout check's screens), or nothing matches.
targets_for() {
  local line word name all=0 unbuilt=0 found=() known t
  known=$(cmake --build "$build" --target help 2>/dev/null | sed -n 's/^\([^ :]*\): .*/\1/p')
  while IFS= read -r line; do
    case $line in
      *"Test command: "*)
        line=${line#*Test command: }
        unbuilt=0
        [ -z "$line" ] && { unbuilt=1; continue; }
        set -f
        for word in $line; do
          word=${word//\"/}
          case $word in
            "$build") all=1 ;;
            "$build"/*) found+=("$(basename "$word")") ;;
            *_NOT_BUILT) found+=("${word%_NOT_BUILT}") ;;
          esac
        done
        set +f ;;
      *"Test "*"#"*": "*)
        # "Test  #6: name", padded to the widest number.
        name=${line#*#*: }
        name=${name%%.*}
        [ "$unbuilt" = 1 ] && found+=("${name%_NOT_BUILT}")
        unbuilt=0 ;;
    esac
  done < <(ctest --test-dir "$build" -N -V -R "$1" 2>/dev/null)
  for t in "${found[@]}"; do grep -qx -- "$t" <<<"$known" || all=1; done
  if [ "$all" = 1 ] || [ ${#found[@]} -eq 0 ]; then echo all; return; fi
  printf '%s\n' "${found[@]}" | sort -u
}

build_and_test() {
  local regex=$1 t args=()
  for t in $(targets_for "$regex"); do
    [ "$t" = all ] && { args=(); break; }
    args+=(--target "$t")
  done
  locked bash -c '
    nice -n 5 cmake --build "$1" -j"$(nproc)" "${@:3}" >"$1/mutate-build.log" 2>&1 || exit 90
    ctest --test-dir "$1" -R "$2" --no-tests=error --timeout 300 >"$1/mutate-test.log" 2>&1 || exit 91
  ' _ "$build" "$regex" "${args[@]}"
}

# --- the edits -----------------------------------------------------------
caught=0 missed=0 errors=0
declare -A baseline=()
for ((i = 0; i < count; i++)); do
  file=${files[$i]} line=${lines[$i]} old=${olds[$i]} new=${news[$i]} regex=${tests[$i]}
  label="${wheres[$i]} $file:$line"
  if [ -z "$file" ] || [ -z "$regex" ] || ! [[ $line =~ ^[0-9]+$ ]] || [ -z "$old" ]; then
    echo "ERROR   $label: block needs file, line, old, new and tests"
    errors=$((errors + 1)); continue
  fi
  target=$src/$file
  mapfile -t text <"$target" 2>/dev/null
  current=${text[$((line - 1))]:-}
  # Code moves when branches merge: an edit whose text left its line goes
  # to the nearest line of the same file that holds it (the earlier on a tie).
  moved=''
  if [[ $current != *"$old"* ]]; then
    near=0
    for ((k = 1; k <= ${#text[@]}; k++)); do
      [[ ${text[$((k - 1))]} == *"$old"* ]] || continue
      if [ "$near" = 0 ] || [ $(((k - line) ** 2)) -lt $(((near - line) ** 2)) ]; then near=$k; fi
    done
    if [ "$near" = 0 ]; then
      echo "ERROR   $label: old text not in the file: $old"
      errors=$((errors + 1)); continue
    fi
    line=$near
    current=${text[$((line - 1))]}
    moved=" (moved to line $line)"
  fi
  # The named tests pass on the unchanged code, once per regex.
  if [ -z "${baseline[$regex]:-}" ]; then
    build_and_test "$regex"
    baseline[$regex]=$?
  fi
  if [ "${baseline[$regex]}" != 0 ]; then
    echo "ERROR   $label: tests '$regex' fail without the edit (see $build/mutate-*.log)"
    errors=$((errors + 1)); continue
  fi
  cp -p "$target" "$target.unmutated"
  text[$((line - 1))]=${current/"$old"/"$new"}
  printf '%s\n' "${text[@]}" >"$target"
  build_and_test "$regex"
  status=$?
  mv -f "$target.unmutated" "$target"
  touch "$target"
  case $status in
    0) echo "MISSED  $label$moved: ${whys[$i]}"; missed=$((missed + 1)) ;;
    90) echo "ERROR   $label$moved: does not build with the edit (see $build/mutate-build.log)"; errors=$((errors + 1)) ;;
    *) echo "caught  $label$moved"; caught=$((caught + 1)) ;;
  esac
done
echo "caught $caught of $count (missed $missed, errors $errors)"
[ "$caught" = "$count" ]
