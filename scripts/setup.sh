#!/usr/bin/env bash
# Installs what the build needs (Debian 12 packages, only those missing), then configures and
# builds the given preset (default: ci). Usage: scripts/setup.sh [dev|ci|sanitize]
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-ci}"

packages=(
  build-essential cmake python3
  libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev libcli11-dev
  libocct-foundation-dev libocct-modeling-data-dev libocct-modeling-algorithms-dev
  libocct-ocaf-dev libocct-data-exchange-dev libtbb-dev libfreetype-dev libssl-dev
  libcpp-httplib-dev libjs-three chromium chromium-driver python3-selenium librsvg2-bin
)
# Node runs the Khronos glTF validator in the export tests; Debian's when none is installed.
command -v node >/dev/null && command -v npm >/dev/null || packages+=(nodejs npm)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

[ -d tests/support/gltf/node_modules/gltf-validator ] ||
  (cd tests/support/gltf && npm ci --no-audit --no-fund --silent)

cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j "$(nproc)"
