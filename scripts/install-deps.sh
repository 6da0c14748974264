#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the tools need.
# Idempotent: does nothing when everything is present.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config ccache clang-14 libclang-rt-14-dev
  qt6-base-dev libsqlite3-dev pxlib-dev libcurl4-openssl-dev libpugixml-dev
  nlohmann-json3-dev libgtest-dev libgmock-dev libbenchmark-dev
  libxml2-utils fonts-dejavu-core xvfb xauth poppler-utils python3-pyftpdlib
  clang-format locales
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

# The Russian UTF-8 locale the desktop program starts in; the tests run
# number reading and writing under it.
ensure_locale() {
  if ! locale -a 2>/dev/null | grep -qi '^ru_RU\.utf-\?8$'; then
    if [ "$(id -u)" -ne 0 ]; then
      echo "The ru_RU.UTF-8 locale is missing; as root: localedef -i ru_RU -f UTF-8 ru_RU.UTF-8" >&2
      exit 1
    fi
    localedef -i ru_RU -f UTF-8 ru_RU.UTF-8
  fi
}

if [ ${#missing[@]} -eq 0 ]; then
  ensure_locale
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
ensure_locale
