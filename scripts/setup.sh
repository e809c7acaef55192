#!/usr/bin/env bash
# Installs every Debian package the project needs to build, test and run.
# Idempotent and quiet: when everything is present it returns at once.
#   scripts/setup.sh          build, test and demo dependencies
#   scripts/setup.sh --rtf    also LibreOffice for the RTF reader checks
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang-format
  libsqlite3-dev sqlite3 libfmt-dev nlohmann-json3-dev libcli11-dev libutfcpp-dev libutf8proc-dev
  libpugixml-dev libcairo2-dev libdeflate-dev fonts-liberation fonts-dejavu-core
  libgtest-dev libgmock-dev libbenchmark-dev poppler-utils
  qt6-base-dev libgl-dev xvfb xauth
  file dpkg-dev pmccabe locales python3
  pybind11-dev python3-dev python3-pytest
)
if [[ "${1:-}" == "--rtf" ]]; then
  packages+=(libreoffice-writer-nogui)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
SUDO=""
[[ $(id -u) -ne 0 ]] && SUDO="sudo"
if [[ ${#missing[@]} -gt 0 ]]; then
  echo "setup: installing ${missing[*]}" >&2
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq >/dev/null
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# The number format tests group digits the German and the American way.
wanted_locales=(de_DE.UTF-8 en_US.UTF-8)
have=$(locale -a 2>/dev/null | tr 'A-Z' 'a-z')
for l in "${wanted_locales[@]}"; do
  short=$(echo "${l%.UTF-8}.utf8" | tr 'A-Z' 'a-z')
  if ! grep -qx "$short" <<<"$have"; then
    echo "setup: generating the locale $l" >&2
    $SUDO sed -i "s/^# *\($l UTF-8\)/\1/" /etc/locale.gen
    grep -q "^$l UTF-8" /etc/locale.gen || echo "$l UTF-8" | $SUDO tee -a /etc/locale.gen >/dev/null
    $SUDO locale-gen >/dev/null
  fi
done
