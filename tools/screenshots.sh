#!/usr/bin/env bash
# Takes the README's screenshots from the real program: an outing is typed with the keyboard
# and the mouse under a virtual screen (Xvfb, openbox, xdotool) and each main window is saved
# in doc/. Settings and data go to a temporary folder; nothing of the user's is touched.
set -euo pipefail
source "$(dirname "$0")/setup.sh"

if [ -z "${ORVEL_SCREENSHOTS_INSIDE:-}" ]; then
  orvel_install_missing openbox xdotool imagemagick
  orvel_build >/dev/null
  export ORVEL_SCREENSHOTS_INSIDE=1
  exec xvfb-run -a -s "-screen 0 1280x900x24" "$0" "$@"
fi

work="$(mktemp -d)"
export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
export LANG=fr_FR.UTF-8
mkdir -p "$HOME"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

openbox >/dev/null 2>&1 &
pids+=($!)
sleep 1
"$ORVEL_BUILD/orvel-multi" --dossier "$work/logs" >/dev/null 2>&1 &
pids+=($!)

pause() { sleep "${1:-0.4}"; }
enter() { xdotool key ctrl+a; [ -z "$1" ] || xdotool type --delay 15 "$1"; xdotool key Return; pause; }
shot() { # window id, file: the window with its frame, in few colours
  import -frame -window "$1" -colors 96 -depth 8 "PNG8:$ORVEL_ROOT/doc/$2"
}

setup="$(xdotool search --sync --name '^ *Brivo_Orvel Multi' | head -n 1)"
pause 1
xdotool key Return; pause   # Creer une ou plusieurs activations
for activation in "DFCF 76001|Chateau de Sassenot" "DMSM 76-01|Moulin de Sassenot"; do
  xdotool key Return; pause # Ajouter une activation
  for value in "Q4XYZ/P" "Q4ABC" "${activation%|*}" "${activation#*|}" "7625" "76540" \
               "Sassenot sur seine" "Activation" "071226"; do
    enter "$value"
  done
  xdotool key Return; pause # Enregistrer l'activation ? Oui
  xdotool key Return; pause # Nouvelle Activation enregistrée
done
shot "$setup" enregistrement.png

xdotool mousemove --window "$setup" 154 208 click 1; pause  # Terminé
xdotool mousemove --window "$setup" 154 297 click 1; pause  # Saisie des QSO
xdotool key Return; pause 1                                  # Activation en cours...
entry="$(xdotool search --sync --name '^ *Brivo Orvel Multi' | head -n 1)"
for qso in "Q1AAA|Pierre" "Q4BCD|Marie" "Q5EFG|Louis" "Q4HIJ|Claire" "Q1KLM|Yves"; do
  xdotool type --delay 15 "${qso%|*}"; xdotool key Return; pause
  xdotool type --delay 15 "${qso#*|}"; xdotool key F9; pause 0.6
done
shot "$entry" saisie.png

xdotool mousemove --window "$entry" 32 8 click 1; pause 1   # Fichiers
import -window root -crop 700x300+20+51 -colors 96 -depth 8 "PNG8:$ORVEL_ROOT/doc/export.png"
xdotool key Escape
echo "Captures dans $ORVEL_ROOT/doc"
