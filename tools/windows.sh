#!/usr/bin/env bash
# Builds Orvel Multi for 64-bit Windows on Debian (MinGW-w64), with its test programs and its
# installer, in build-windows/. With --test, then runs every test program under Wine, installs
# the installer silently under Wine, checks that the installed program exports a data folder
# byte for byte as the Linux program does, and uninstalls it.
#
# Qt for MinGW comes from QT_MINGW_DIR (an unpacked Qt) or QT_MINGW_ARCHIVE (a .tar.xz that
# unpacks to qt6-mingw/), kept in ~/.cache/orvel-multi/ from one run to the next.
#
#   QT_MINGW_ARCHIVE=../shared/windows/qt6-mingw-6.4.2.tar.xz tools/windows.sh --test
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${ORVEL_WINDOWS_BUILD:-$ROOT/build-windows}"
CACHE="${XDG_CACHE_HOME:-$HOME/.cache}/orvel-multi"
RUN_TESTS=0

for argument in "$@"; do
  case "$argument" in
    --test) RUN_TESTS=1 ;;
    -h|--help) sed -n '2,10p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) echo "Argument inconnu : $argument (seul --test est accepté)" >&2; exit 2 ;;
  esac
done

say() { printf '\n== %s\n' "$*"; }
fail() { echo "ÉCHEC : $*" >&2; exit 1; }

# --- What the build needs ---------------------------------------------------------------------
source "$ROOT/tools/setup.sh"
windows_packages=(
  g++-mingw-w64-x86-64-posix wine wine64 nsis
  qt6-base-dev-tools qt6-translations-l10n libqt6svg6
  cmake ninja-build ccache librsvg2-bin icoutils fonts-dejavu-core fonts-liberation xz-utils
)
if ((RUN_TESTS)); then
  # The Linux program the exports are compared with, and a fixed clock for both programs.
  orvel_install_missing "${windows_packages[@]}" faketime
else
  orvel_packages=()
  orvel_install_missing "${windows_packages[@]}"
fi

# --- Qt for MinGW ------------------------------------------------------------------------------
qt_from_archive() {
  local archive="$1" name target
  [ -f "$archive" ] || fail "l'archive de Qt $archive n'existe pas."
  name="$(basename "$archive")"
  name="${name%.tar.xz}"
  target="$CACHE/$name"
  if [ ! -f "$target/.complete" ] || [ "$archive" -nt "$target/.complete" ]; then
    echo "Décompression de $archive dans $target" >&2
    rm -rf "$target" "$target.partial"
    mkdir -p "$target.partial"
    tar -xJf "$archive" -C "$target.partial"
    mv "$target.partial" "$target"
    touch "$target/.complete"
  fi
  # The archive holds one folder (qt6-mingw/).
  local inner
  inner="$(find "$target" -mindepth 1 -maxdepth 1 -type d | head -1)"
  [ -n "$inner" ] || fail "l'archive $archive ne contient pas de dossier Qt."
  echo "$inner"
}

if [ -n "${QT_MINGW_DIR:-}" ]; then
  QT="$(cd "$QT_MINGW_DIR" && pwd)"
elif [ -n "${QT_MINGW_ARCHIVE:-}" ]; then
  QT="$(qt_from_archive "$(realpath "$QT_MINGW_ARCHIVE")")"
else
  fail "Qt pour MinGW est introuvable : donnez QT_MINGW_DIR (Qt décompressé) ou
QT_MINGW_ARCHIVE (archive .tar.xz, par exemple ../shared/windows/qt6-mingw-6.4.2.tar.xz)."
fi
[ -f "$QT/lib/cmake/Qt6/qt.toolchain.cmake" ] || fail "$QT n'est pas un Qt 6 pour MinGW."
[ -f "$QT/lib/cmake/Qt6Svg/Qt6SvgConfig.cmake" ] || fail "$QT n'a pas le module Qt Svg."

# --- Build -------------------------------------------------------------------------------------
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$ROOT}" CCACHE_NOHASHDIR="${CCACHE_NOHASHDIR:-1}"
say "Compilation pour Windows dans $BUILD"
if [ ! -f "$BUILD/build.ninja" ]; then
  cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$QT/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_INSTALL_BINDIR=. -DORVEL_WEBENGINE=OFF
fi
find "$BUILD" -path '*_autogen/timestamp' -delete 2>/dev/null || true
nice -n 10 cmake --build "$BUILD" -j "$(nproc 2>/dev/null || echo 2)"

# --- Installer ---------------------------------------------------------------------------------
say "Installateur"
VERSION="$(sed -n 1p "$BUILD/version.txt")"
VERSION_NUMBERS="$(sed -n 2p "$BUILD/version.txt")"
STAGE="$BUILD/stage"
rm -rf "$STAGE"
cmake --install "$BUILD" --prefix "$STAGE" --strip >/dev/null
# One line per file: the installer puts exactly these, the uninstaller removes exactly these.
FILES_NSH="$BUILD/installed-files.nsh"
{
  echo '!macro InstallFiles'
  (cd "$STAGE" && find . -type d | sort) | while read -r dir; do
    dir="${dir#./}"; dir="${dir#.}"
    echo "  SetOutPath \"\$INSTDIR${dir:+\\${dir//\//\\}}\""
    (cd "$STAGE/${dir:-.}" && find . -maxdepth 1 -type f | sort) | while read -r file; do
      echo "  File \"$STAGE/${dir:+$dir/}${file#./}\""
    done
  done
  echo '!macroend'
  echo '!macro RemoveFiles'
  (cd "$STAGE" && find . -type f | sort) | while read -r file; do
    file="${file#./}"
    echo "  Delete \"\$INSTDIR\\${file//\//\\}\""
  done
  (cd "$STAGE" && find . -mindepth 1 -type d | sort -r) | while read -r dir; do
    dir="${dir#./}"
    echo "  RMDir \"\$INSTDIR\\${dir//\//\\}\""
  done
  echo '!macroend'
} >"$FILES_NSH"
SETUP="$BUILD/OrvelMulti-$VERSION-setup.exe"
makensis -V2 -DVERSION="$VERSION" -DVERSION_NUMBERS="$VERSION_NUMBERS" -DFILES="$FILES_NSH" \
  -DOUTFILE="$SETUP" -DICON="$BUILD/dist/windows/orvel-multi.ico" \
  "$ROOT/dist/windows/orvel-multi.nsi"
echo "Programme : $BUILD/orvel-multi.exe"
echo "Installateur : $SETUP"

((RUN_TESTS)) || exit 0

# --- Wine --------------------------------------------------------------------------------------
# A prefix of the build's own, never the user's ~/.wine.
export WINEPREFIX="$BUILD/wine" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
WINE="$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)"
windows_path() { echo "Z:${1//\//\\}"; }

say "Préfixe Wine $WINEPREFIX"
if [ ! -f "$WINEPREFIX/.orvel-ready" ]; then
  rm -rf "$WINEPREFIX"
  "$WINE" wineboot --init >/dev/null 2>&1
  # The fonts the offscreen platform finds (fixed-pitch ones for the log columns).
  mkdir -p "$WINEPREFIX/orvel-fonts"
  for font in /usr/share/fonts/truetype/dejavu/*.ttf /usr/share/fonts/truetype/liberation/*.ttf; do
    if [ -f "$font" ]; then ln -sf "$font" "$WINEPREFIX/orvel-fonts/"; fi
  done
  # Wine does not hand the QT_* variables of Linux to Windows programs: they live in the prefix.
  for setting in "QT_QPA_PLATFORM=offscreen" \
                 "QT_QPA_FONTDIR=$(windows_path "$WINEPREFIX/orvel-fonts")" \
                 "QT_FORCE_STDERR_LOGGING=1" "QTEST_DISABLE_STACK_DUMP=1"; do
    "$WINE" reg add 'HKCU\Environment' /v "${setting%%=*}" /d "${setting#*=}" /f >/dev/null
  done
  wineserver -w
  touch "$WINEPREFIX/.orvel-ready"
fi

# The build's programs find Qt and the MinGW runtime through WINEPATH; the installed program
# must do without it.
build_winepath=""
while read -r folder; do
  if [ -n "$folder" ]; then
    build_winepath="${build_winepath:+$build_winepath;}$(windows_path "$folder")"
  fi
done <"$BUILD/runtime-folders.txt"

# --- Tests under Wine --------------------------------------------------------------------------
# Test functions that cannot run under Wine, by executable and function, with the reason.
declare -A skipped=(
)

say "Tests sous Wine"
LOGS="$BUILD/wine-tests"
rm -rf "$LOGS"
mkdir -p "$LOGS"
mapfile -t tests < <(cd "$BUILD" && ls test_*.exe | sed 's/^test_//; s/\.exe$//' | sort)
passed=0
failed=()
index=0
for test in "${tests[@]}"; do
  index=$((index + 1))
  exe="$BUILD/test_$test.exe"
  functions=()
  skip_functions=()
  for key in "${!skipped[@]}"; do
    if [ "${key%%:*}" = "$test" ]; then
      echo "    $test : ${key#*:} sauté sous Wine (${skipped[$key]})"
      skip_functions+=("${key#*:}")
    fi
  done
  if [ -n "${skip_functions[*]:-}" ]; then
    mapfile -t all < <(cd "$BUILD" && WINEPATH="$build_winepath" "$WINE" "$exe" -functions 2>/dev/null | tr -d '\r' | sed 's/()$//')
    for name in "${all[@]}"; do
      keep=1
      for skip in "${skip_functions[@]}"; do
        if [ "$name" = "$skip" ]; then keep=0; fi
      done
      if ((keep)); then functions+=("$name"); fi
    done
  fi
  if [ -n "${skip_functions[*]:-}" ] && ((${#functions[@]} == 0)); then
    printf '%3d/%d Test #%d: %-30s %s\n' "$index" "${#tests[@]}" "$index" "$test" \
      "***Skipped (toutes ses fonctions sont sautées sous Wine)"
    passed=$((passed + 1))
    continue
  fi
  start=$(date +%s%N)
  status=0
  (cd "$BUILD" && WINEPATH="$build_winepath" timeout 1200 "$WINE" "$exe" "${functions[@]}") \
    >"$LOGS/$test.log" 2>&1 || status=$?
  elapsed=$((($(date +%s%N) - start) / 10000000))
  seconds="$((elapsed / 100)).$(printf '%02d' $((elapsed % 100)))"
  if ((status == 0)); then
    result="Passed"; passed=$((passed + 1))
  else
    result="***Failed"; failed+=("$test")
  fi
  printf '%3d/%d Test #%d: %-30s %s %s sec\n' "$index" "${#tests[@]}" "$index" "$test" \
    "$result" "$seconds"
  ((status == 0)) || grep -E '^(FAIL!|   Loc:|QWARN|QFATAL)' "$LOGS/$test.log" | head -40 || true
done
total=${#tests[@]}
echo
echo "$(( total ? passed * 100 / total : 0 ))% tests passed, ${#failed[@]} tests failed out of $total"
if ((${#failed[@]})); then
  echo "The following tests FAILED (journaux dans $LOGS) :"
  printf '\t%s\n' "${failed[@]}"
  exit 1
fi

# --- The installer under Wine ------------------------------------------------------------------
say "Installation silencieuse sous Wine"
INSTALLED="$WINEPREFIX/drive_c/Program Files/Orvel Multi"
"$WINE" "$SETUP" /S
wineserver -w
[ -f "$INSTALLED/orvel-multi.exe" ] || fail "le programme n'est pas installé dans $INSTALLED."
[ -f "$INSTALLED/desinstaller.exe" ] || fail "le désinstalleur manque."
[ -f "$INSTALLED/translations/qtbase_fr.qm" ] || fail "les traductions de Qt manquent."
ls "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Orvel Multi.lnk" \
  >/dev/null || fail "l'entrée du menu Démarrer manque."

installed_program() {
  WINEPATH="" "$WINE" "C:\\Program Files\\Orvel Multi\\orvel-multi.exe" "$@"
}
version="$(installed_program --version | tr -d '\r')"
[ "$version" = "orvel-multi $VERSION" ] || fail "le programme installé dit « $version »."

say "Exports du programme installé et du programme Linux"
# The Linux program, built as ./run builds it.
linux_program() {
  if [ ! -f "$ORVEL_BUILD/build.ninja" ]; then
    cmake -S "$ROOT" -B "$ORVEL_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
  fi
  cmake --build "$ORVEL_BUILD" --target orvel-multi
}
linux_program
COMPARE="$BUILD/compare"
rm -rf "$COMPARE"
mkdir -p "$COMPARE/linux" "$COMPARE/dossier"
APPDATA_FOLDER="$(find "$WINEPREFIX/drive_c/users" -maxdepth 3 -type d -path '*/AppData/Roaming' | head -1)/Orvel Multi"
rm -rf "$APPDATA_FOLDER"
mkdir -p "$APPDATA_FOLDER"
for folder in "$COMPARE/linux" "$COMPARE/dossier" "$APPDATA_FOLDER"; do
  cp "$ROOT/tests/windows/sample/"* "$folder/"
done
# Both programs see the same moment, so that the ADIF headers' creation time is the same: a
# clock a hundred times slower than the real one, started at that moment for each run, stays
# within its first second however long Wine takes to start (a stopped clock would hang Wine).
# File times are left true, or Wine would see its prefix as outdated and update it each time.
# Wine's server and services keep the true clock: they start here, before any slowed run.
moment="2026-03-14 15:09:26"
export NO_FAKE_STAT=1
wineserver -k || true
wineserver -w || true
wineserver -p
"$WINE" cmd /c exit
mapfile -t references < <(ls "$ROOT/tests/windows/sample" | grep -v '^Liste_' | sed 's/\.txt$//')
for reference in "${references[@]}"; do
  for format in adif ctrafic; do
    TZ=UTC faketime -f "@$moment x0.01" "$ORVEL_BUILD/orvel-multi" --dossier "$COMPARE/linux" \
      exporter "$format" "$reference" >/dev/null
    # The installed program's own data folder (%APPDATA%\Orvel Multi), and a folder named
    # with a drive letter and backslashes.
    TZ=UTC faketime -f "@$moment x0.01" bash -c 'WINEPATH="" "$0" "C:\\Program Files\\Orvel Multi\\orvel-multi.exe" "$@"' \
      "$WINE" exporter "$format" "$reference" >/dev/null
    TZ=UTC faketime -f "@$moment x0.01" bash -c 'WINEPATH="" "$0" "C:\\Program Files\\Orvel Multi\\orvel-multi.exe" "$@"' \
      "$WINE" --dossier "$(windows_path "$COMPARE/dossier")" exporter "$format" "$reference" >/dev/null
  done
done
wineserver -k || true
wineserver -w || true
compared=0
for file in "$COMPARE/linux"/*.adi "$COMPARE/linux"/*.ctf; do
  name="$(basename "$file")"
  for other in "$APPDATA_FOLDER" "$COMPARE/dossier"; do
    cmp "$file" "$other/$name" || fail "$name diffère entre Linux et Windows ($other)."
    compared=$((compared + 1))
  done
done
((compared >= 12)) || fail "seulement $compared fichiers comparés."
[ ! -e "$INSTALLED/Liste_Activite.txt" ] || fail "le programme installé écrit dans son propre dossier."
echo "$compared exports identiques octet pour octet à ceux du programme Linux."

say "Fenêtres du programme installé"
# Started as from the Start menu, without WINEPATH: the setup window opens (offscreen, as the
# prefix says) on the user's data folder, which it then holds.
rm -f "$APPDATA_FOLDER/Orvel_Multi.lock"
(WINEPATH="" "$WINE" "C:\\Program Files\\Orvel Multi\\orvel-multi.exe" >"$COMPARE/gui.log" 2>&1 &)
for _ in $(seq 120); do
  if [ -e "$APPDATA_FOLDER/Orvel_Multi.lock" ]; then break; fi
  sleep 1
done
sleep 2
opened=0
if [ -e "$APPDATA_FOLDER/Orvel_Multi.lock" ]; then opened=1; fi
wineserver -k || true
wineserver -w || true
((opened)) || fail "le programme installé n'a pas ouvert sa fenêtre ($(cat "$COMPARE/gui.log"))."
echo "La fenêtre d'enregistrement s'est ouverte sur $APPDATA_FOLDER."

say "Désinstallation silencieuse sous Wine"
"$WINE" "C:\\Program Files\\Orvel Multi\\desinstaller.exe" /S
wineserver -w
for _ in $(seq 60); do
  if [ ! -e "$INSTALLED/orvel-multi.exe" ]; then break; fi
  sleep 1
done
[ ! -e "$INSTALLED" ] || fail "la désinstallation a laissé $(ls "$INSTALLED")."
[ -f "$APPDATA_FOLDER/DFCF 89010.txt" ] || fail "la désinstallation a touché aux logs."
echo "Programme désinstallé ; les logs de l'utilisateur sont restés."
say "Tout est en ordre."
