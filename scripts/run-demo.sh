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

built_catalog="$build/data/demo/catalog/catalog.sqlite"
if [ ! -d "$demo" ]; then
  echo "Making the demo installation in $demo"
  mkdir -p "$demo/catalog" "$demo/server/Orders" "$demo/server/Registry" "$demo/reports" "$demo/temp"
  cp "$repo/data/demo/KVFurniture.ini" "$demo/catalog/KVFurniture.ini"
  cp "$repo"/data/demo/orders/*.kfo370 "$demo/server/Orders/"
fi
# The demo catalog, its logo and the report folder (templates and report list)
# follow the build: newer built files replace the installed ones.
if [ -f "$built_catalog" ]; then
  cp -u "$built_catalog" "$demo/catalog/catalog.sqlite"
  if [ -f "$build/data/demo/catalog/logo.png" ]; then
    cp -u "$build/data/demo/catalog/logo.png" "$demo/catalog/logo.png"
  fi
  if [ -d "$build/data/demo/reports" ]; then
    cp -u "$build/data/demo/reports/"* "$demo/reports/"
  fi
elif [ ! -f "$demo/catalog/catalog.sqlite" ]; then
  "$kvf" catalog init "$demo/catalog"
fi

if ! "$kvf" config list 2>/dev/null | sed 's/^..//' | grep -qxF "$config"; then
  echo "Registering the configuration \"$config\" as the default one"
  "$kvf" config add "$config" --catalog "$demo/catalog" --server "$demo/server" --reports "$demo/reports" \
    --temp "$demo/temp" --default
fi
# A new demo registry lists the demo orders.
if [ ! -f "$demo/server/Registry/registry.sqlite" ]; then
  "$kvf" registry add "$demo/server/Orders/"*.kfo370 --config "$config" >/dev/null
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display (DISPLAY and WAYLAND_DISPLAY are empty): running the command-line demo instead."
  out="$demo/cli-demo"
  mkdir -p "$out"
  cp "$repo/data/demo/orders/flat.kfo370" "$out/flat.kfo370"
  echo "Recalculating the demo order $out/flat.kfo370 against the demo catalog"
  "$kvf" order recalc "$out/flat.kfo370" --catalog "$demo/catalog"
  first=$("$kvf" order dump "$out/flat.kfo370" | sed -n 's/^ *"No": "\(.*\)",*$/\1/p' | head -n 1)
  "$kvf" sketch "$out/flat.kfo370" --pos "$first" --png "$out/flat-position-$first.png"
  echo "The recalculated order: $out/flat.kfo370 (kvf order dump shows it as JSON)"
  echo "The sketch of its position $first: $out/flat-position-$first.png"
  exit 0
fi
exec "$korvena"
