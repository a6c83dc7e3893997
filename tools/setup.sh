#!/usr/bin/env bash
# Installs the Debian packages the project needs when they are missing, then configures and
# builds in build/. Sourced by ./run and ./test.
set -euo pipefail

ORVEL_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
ORVEL_BUILD="$ORVEL_ROOT/build"

orvel_packages=(
  build-essential cmake ninja-build ccache pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-webengine-dev qt6-translations-l10n
  libgl-dev fonts-liberation fonts-dejavu-core
  xvfb xauth poppler-utils desktop-file-utils appstream
  hamradio-files libhamlib-dev libhamlib-utils
)

orvel_install_missing() {
  local missing=()
  for p in "${orvel_packages[@]}" "$@"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$p")
    fi
  done
  if ((${#missing[@]})); then
    echo "Installation des paquets manquants : ${missing[*]}"
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
}

orvel_build() {
  # Paths relative to the project in the compiler cache, so that another clone or worktree of
  # the project reuses what this one compiled.
  export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$ORVEL_ROOT}" CCACHE_NOHASHDIR="${CCACHE_NOHASHDIR:-1}"
  local jobs
  jobs="$(nproc 2>/dev/null || echo 2)"
  if [ ! -f "$ORVEL_BUILD/build.ninja" ]; then
    cmake -S "$ORVEL_ROOT" -B "$ORVEL_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
  fi
  # Let moc look at every source again: a file added since the last build is otherwise
  # sometimes missed by an existing build folder. It costs well under a second.
  find "$ORVEL_BUILD" -path '*_autogen/timestamp' -delete 2>/dev/null || true
  cmake --build "$ORVEL_BUILD" -j "$jobs"
}
