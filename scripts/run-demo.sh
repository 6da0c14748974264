#!/usr/bin/env bash
# Starts the desktop program on a per-user demo installation, made when missing:
#   $XDG_DATA_HOME/korvena/demo (default ~/.local/share/korvena/demo)
#     catalog/   the demo catalog (catalog.sqlite) and KVFurniture.ini with the demo firm
#     server/    Orders/ (the demo orders), Registry/, and the other working folders
#     reports/   the report folder
#     temp/      base of the per-run temporary folders
# registered as the default database configuration "Демо". Without a display
# it runs the command-line demo instead.
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
repo=$(cd "$(dirname "$0")/.." && pwd)
kvf="$build/src/cli/kvf"
korvena="$build/src/app/korvena"
demo="${XDG_DATA_HOME:-$HOME/.local/share}/korvena/demo"
config="Демо"

if [ ! -d "$demo" ]; then
  echo "Making the demo installation in $demo"
  mkdir -p "$demo/catalog" "$demo/server/Orders" "$demo/server/Registry" "$demo/reports" "$demo/temp"
  if [ -f "$build/data/demo/catalog/catalog.sqlite" ]; then
    cp "$build/data/demo/catalog/catalog.sqlite" "$demo/catalog/"
  else
    # No built demo catalog: an empty one.
    "$kvf" catalog init "$demo/catalog" || echo "kvf catalog init failed; the program makes an empty catalog on start"
  fi
  cp "$repo/data/demo/KVFurniture.ini" "$demo/catalog/KVFurniture.ini"
  if compgen -G "$repo/data/demo/orders/*" >/dev/null; then
    cp -r "$repo/data/demo/orders/." "$demo/server/Orders/"
  fi
  if [ -d "$repo/data/demo/reports" ]; then
    cp -r "$repo/data/demo/reports/." "$demo/reports/"
  fi
fi

if ! "$kvf" config list 2>/dev/null | sed 's/^..//' | grep -qxF "$config"; then
  echo "Registering the configuration \"$config\" as the default one"
  "$kvf" config add "$config" --catalog "$demo/catalog" --server "$demo/server" --reports "$demo/reports" \
    --temp "$demo/temp" --default
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display (DISPLAY and WAYLAND_DISPLAY are empty): running the command-line demo instead."
  echo "Demo position: a 1000 x 1400 mm tilt-and-turn sash"
  "$kvf" shape --shape 0 --width 1000 --height 1400
  exit 0
fi
exec "$korvena"
