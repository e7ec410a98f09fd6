#!/usr/bin/env bash
# Installs the build into a temporary prefix and uses the installed program as a user would:
#  - the layout: one program folder with the programs and everything the build's program
#    folder holds, launchers in bin, the menu entry (desktop-file-validate) and its icon;
#  - the launcher starts the program headless, the English choice opens the edition menu with
#    the sample editions offered (install_probe.cpp drives the windows and reports);
#  - as a user who can't write to the program folder: Restore reads the delivered stores,
#    Save and Restore of one-year and three-year figures work from the user's data folder and
#    the next run restores them, another user still sees the delivered zeros, and the
#    delivered stores stay byte for byte as installed;
#  - the build tree's program behaves the same;
#  - the reminder program names the program folder it is installed in;
#  - a staged install (DESTDIR) puts the program in the configured folder, and its menu entry
#    names the configured launcher.
set -euo pipefail

while [ $# -gt 0 ]; do
  case "$1" in
    --build) build=$2 ;;
    --probe) probe=$2 ;;
    --program-subdir) subdir=$2 ;;
    --program-folder) configured_folder=$2 ;;
    --full-bindir) configured_bindir=$2 ;;
    --bindir) bindir=$2 ;;
    --datadir) datadir=$2 ;;
    *) echo "unknown argument $1" >&2; exit 2 ;;
  esac
  shift 2
done

case "$subdir$bindir$datadir" in
  /*|*:/*) echo "SKIP: an absolute install folder can't be tried in a temporary prefix"; exit 77 ;;
esac
for d in "$subdir" "$bindir" "$datadir"; do
  case "$d" in /*) echo "SKIP: an absolute install folder can't be tried in a temporary prefix"; exit 77 ;; esac
done

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
check() { local what=$1; shift; if "$@"; then echo "ok: $what"; else fail "$what"; fi; }

umask 022
work=$(mktemp -d)
chmod 755 "$work"
cleanup() { chmod -R u+w "$work" 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT

prefix=$work/prefix
folder=$prefix/$subdir
cmake --install "$build" --prefix "$prefix" > "$work/install.log" || { cat "$work/install.log"; exit 1; }

# --- Layout ------------------------------------------------------------------------------
check "Kiv_2000 is in the program folder" test -x "$folder/Kiv_2000"
check "Tivmel is in the program folder" test -x "$folder/Tivmel"
for f in "$build"/bin/*; do
  name=$(basename "$f")
  case "$name" in *.new) continue ;; esac
  if [ ! -e "$folder/$name" ]; then
    fail "the build's program folder holds $name, the installed one doesn't"
  elif [ ! -x "$f" ] && ! cmp -s "$f" "$folder/$name"; then
    fail "$name differs from the build's"
  fi
done
for f in help.html helpf.html kiv_MyValue_v12.mdb kiv_MyValue_v3.mdb kiv_vol1.mdb kiv_vol3.mdb; do
  check "$f is in the program folder" test -f "$folder/$f"
done
for program in Kiv_2000 Tivmel; do
  link=$prefix/$bindir/$program
  check "the $program launcher is a link" test -L "$link"
  check "the $program launcher leads into the program folder" \
    test "$(readlink -f "$link")" = "$(readlink -f "$folder/$program")"
  case "$(readlink "$link")" in
    /*) fail "the $program launcher names an absolute path: $(readlink "$link")" ;;
  esac
done

desktop=$prefix/$datadir/applications/kiv_2000.desktop
check "the menu entry is installed" test -f "$desktop"
if out=$(desktop-file-validate "$desktop" 2>&1); then
  echo "ok: desktop-file-validate${out:+ ($out)}"
else
  fail "desktop-file-validate: $out"
fi
entry() { sed -n "s/^$1=//p" "$desktop"; }
check "the menu entry has an English name" test -n "$(entry Name)"
check "the menu entry has a French name" test -n "$(entry 'Name\[fr\]')"
check "the menu entry has a French comment" test -n "$(entry 'Comment\[fr\]')"
check "the menu entry is in Office and Finance" test "$(entry Categories)" = "Office;Finance;"
check "the menu entry starts the launcher of the prefix's bin folder" test "$(entry Exec)" = "$prefix/$bindir/Kiv_2000"
icon=$prefix/$datadir/icons/hicolor/scalable/apps/$(entry Icon).svg
check "the menu entry's icon is installed" grep -q '<svg' "$icon"

# --- Running the installed program -------------------------------------------------------
cp "$probe" "$work/probe.so"
chmod 644 "$work/probe.so"
if [ "$(id -u)" -eq 0 ]; then
  as_user() { setpriv --reuid=nobody --regid=nogroup --clear-groups -- "$@"; }
  user_dir() { mkdir -p "$1"; chown nobody:nogroup "$1"; }
else
  # An installing user who isn't root owns the folder: take its write permission away.
  chmod -R a-w "$folder"
  as_user() { "$@"; }
  user_dir() { mkdir -p "$1"; }
fi
check "the user can't write to the program folder" as_user sh -c "! test -w '$folder'"

# run <output> <home> [VAR=value...] <program>: as the user, headless, with the probe.
run() {
  local out=$1 home=$2
  shift 2
  as_user env -i PATH=/usr/bin:/bin HOME="$home" LC_ALL=C.UTF-8 QT_QPA_PLATFORM=offscreen \
    ASAN_OPTIONS="${ASAN_OPTIONS:-}" LD_PRELOAD="$work/probe.so" "$@" > "$out" 2> "$out.err" || true
}
line() { sed -n "s/^$2 //p" "$1"; }
zeros() { local z=0 i; for ((i = 1; i < $1; i++)); do z+=,0; done; echo "$z"; }

# The smoke path, read from one run's report.
check_smoke() {
  local out=$1 what=$2
  if ! grep -qx done "$out"; then
    fail "$what: the run did not end with the probe's report"
    cat "$out" "$out.err"
    return
  fi
  if grep '^message ' "$out"; then fail "$what: the program showed a message"; fi
  local e editions
  for e in "optVol1 Volume 1" "optVol2 Volume 2" "optVol3 Volume 3" "optOntario Ontario" "optOther Sample"; do
    check "$what: the edition menu offers $e" grep -qx "edition $e" "$out"
  done
  editions=$(find "$(dirname "$(readlink -f "$3")")" -maxdepth 1 -iname '*.mdb' ! -iname 'kiv_MyValue_*' | wc -l)
  check "$what: only the editions present are offered" test "$(grep -c '^edition ' "$out")" -eq "$editions"
  check "$what: Volume 1 is selected" test "$(line "$out" selected)" = optVol1
  check "$what: the one-year window has its 33 boxes" test "$(line "$out" 'frmMyValues boxes')" = 33
  check "$what: the three-year window has its 27 boxes" test "$(line "$out" 'frmMyValuesV3 boxes')" = 27
}

# restored <output> <window> <texts>: what Restore gave back first in that run.
restored() { test "$(line "$1" "$2 restored")" = "$3"; }

sums() { (cd "$folder" && sha256sum kiv_MyValue_v12.mdb kiv_MyValue_v3.mdb); }
delivered_before=$(sums)
files_before=$(ls -A "$folder")
launcher=$prefix/$bindir/Kiv_2000

# First run: Restore reads the delivered stores; Save writes the user's own (XDG_DATA_HOME).
home1=$work/home1
user_dir "$home1"
run "$work/run1" "$home1" XDG_DATA_HOME="$home1/.local/share" KIV_PROBE_SAVE=1 "$launcher"
check_smoke "$work/run1" "installed" "$launcher"
check "before any Save, the one-year Restore gives the delivered zeros" restored "$work/run1" frmMyValues "$(zeros 33)"
check "before any Save, the three-year Restore gives the delivered zeros" restored "$work/run1" frmMyValuesV3 "$(zeros 27)"
for w in frmMyValues frmMyValuesV3; do
  saved=$(line "$work/run1" "$w saved")
  check "$w: Restore gives back what Save kept" test -n "$saved" -a "$(line "$work/run1" "$w after-save")" = "$saved"
done
for store in kiv_MyValue_v12.mdb kiv_MyValue_v3.mdb; do
  check "the user's own $store is in the user's data folder" test -s "$home1/.local/share/kiv_2000/$store"
done
check "the delivered stores are untouched" test "$(sums)" = "$delivered_before"
check "nothing was added to the program folder" test "$(ls -A "$folder")" = "$files_before"

# Second run, the data home found from HOME alone: Restore reads the user's own stores.
run "$work/run2" "$home1" "$launcher"
check_smoke "$work/run2" "second run" "$launcher"
check "the next run's one-year Restore gives the saved figures" restored "$work/run2" frmMyValues "$(line "$work/run1" 'frmMyValues saved')"
check "the next run's three-year Restore gives the saved figures" restored "$work/run2" frmMyValuesV3 "$(line "$work/run1" 'frmMyValuesV3 saved')"

# Another user: the delivered zeros.
home2=$work/home2
user_dir "$home2"
run "$work/run3" "$home2" "$launcher"
check "another user's one-year Restore gives the delivered zeros" restored "$work/run3" frmMyValues "$(zeros 33)"
check "another user's three-year Restore gives the delivered zeros" restored "$work/run3" frmMyValuesV3 "$(zeros 27)"
check "the delivered stores are still untouched" test "$(sums)" = "$delivered_before"

# --- The build tree's program: the same road, Restore only (its stores are the build's) ----
as_user() { "$@"; }
run "$work/run-build" "$home2" "$build/bin/Kiv_2000"
check_smoke "$work/run-build" "build tree" "$build/bin/Kiv_2000"

# --- The reminder: the program folder it is installed in, under this prefix ---------------
reminder=$(env -i PATH=/usr/bin:/bin HOME="$work" LC_ALL=C.UTF-8 QT_QPA_PLATFORM=offscreen TIVMEL_SELF_TEST=1 \
  ASAN_OPTIONS="${ASAN_OPTIONS:-}" "$prefix/$bindir/Tivmel" 2>/dev/null || true)
check "the reminder shows its box and ends" grep -qx "buttons: OK" <<< "$reminder"
check "the reminder names the program folder" \
  grep -qF "The default destination directory is: $(readlink -f "$folder")." <<< "$reminder"
check "the reminder names it in French too" \
  grep -qF "Le répertoire destinataire par défault est: $(readlink -f "$folder")." <<< "$reminder"

# --- A staged install: the configured folders, not the staging one ------------------------
stage=$work/stage
DESTDIR=$stage cmake --install "$build" > "$work/stage.log" || { cat "$work/stage.log"; exit 1; }
check "a staged install puts the program in $configured_folder" test -x "$stage$configured_folder/Kiv_2000"
staged_entry=$(find "$stage" -name kiv_2000.desktop | head -n 1)
check "the staged menu entry starts $configured_bindir/Kiv_2000" \
  grep -qx "Exec=$configured_bindir/Kiv_2000" "$staged_entry"

if [ "$failures" -gt 0 ]; then
  for out in "$work"/run*; do
    echo "--- $(basename "$out")"
    cat "$out"
  done
  echo "$failures check(s) failed"
  exit 1
fi
echo "all checks passed"
