#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the tools need.
# Idempotent: does nothing when everything is present.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config ccache clang-14 libclang-rt-14-dev
  qt6-base-dev libsqlite3-dev pxlib-dev libcurl4-openssl-dev libpugixml-dev
  nlohmann-json3-dev libgtest-dev libgmock-dev libbenchmark-dev
  libxml2-utils fonts-dejavu-core xvfb xauth poppler-utils python3-pyftpdlib
  clang-format
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages: ${missing[*]}" >&2
  echo "Install them as root: apt-get update && apt-get install -y ${missing[*]}" >&2
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q --no-install-recommends "${missing[@]}"
