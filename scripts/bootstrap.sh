#!/usr/bin/env bash
# Installs every Debian package that building and testing Quillery needs. Idempotent: when
# everything is already there it only asks dpkg and returns in a moment.
set -euo pipefail

packages=(
  # build
  g++ cmake ninja-build pkg-config
  libpcre2-dev libzip-dev libpugixml-dev
  libjpeg-dev libpng-dev libgif-dev libgd-dev
  # tests and benchmarks
  libgtest-dev libgmock-dev libbenchmark-dev
  libmobi-dev libmobi-tools
  zip unzip file
  epubcheck default-jre-headless
  calibre
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "bootstrap: installing ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
