#!/usr/bin/env bash
# Installs the Debian packages Quillery needs: "bootstrap.sh build" those for building the
# command line and the compiler, "bootstrap.sh" (or "all") those for building everything,
# the window included, and testing it. Idempotent: when everything
# is already there it only asks dpkg and returns in a moment.
set -euo pipefail

build_packages=(
  g++ cmake ninja-build pkg-config
  libpcre2-dev libzip-dev libpugixml-dev libgumbo-dev libdeflate-dev
  libjpeg-dev libpng-dev libgif-dev libgd-dev
)
gui_packages=(
  # the window (quillery-gui)
  qt6-base-dev qt6-webengine-dev
  # scripts/render-icons: Qt's SVG image plugin renders the icon sizes
  libqt6svg6
)
test_packages=(
  libgtest-dev libgmock-dev libbenchmark-dev
  # readers of our output, and the tools the tests drive
  libmobi-dev libmobi-tools
  # the Word import tests: the optional converter of .doc/.odt/.rtf and the independent word count
  libreoffice-writer-nogui pandoc
  zip unzip file
  epubcheck default-jre-headless
  calibre
  # the sanitizer build and the fuzz targets (libFuzzer ships with clang's runtimes)
  clang libclang-rt-14-dev
)

case "${1:-all}" in
  build) packages=("${build_packages[@]}") ;;
  all) packages=("${build_packages[@]}" "${gui_packages[@]}" "${test_packages[@]}") ;;
  *) echo "usage: bootstrap.sh [build|all]" >&2; exit 2 ;;
esac

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
