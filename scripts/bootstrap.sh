#!/usr/bin/env bash
# Installs everything the build needs on a fresh Debian 12 machine: the
# packages from Debian's archive and the Windows builds of hidapi, minizip and
# GoogleTest, made from Debian's own source packages. Safe to run again: every
# step checks first and stays quiet when there is nothing to do.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
DEPS_DIR="${THERMADEX_DEPS_DIR:-$ROOT/.deps}"
PREFIX="$DEPS_DIR/mingw"
SRC_DIR="$DEPS_DIR/src"
TRIPLE=x86_64-w64-mingw32

PACKAGES=(
  # cross toolchain and the Windows zlib
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  mingw-w64-x86-64-dev libz-mingw-w64-dev
  # build tools
  cmake ninja-build dpkg-dev file zip unzip
  # native tests, sanitizers and fuzzing
  g++ googletest libgtest-dev libgmock-dev clang libclang-rt-14-dev
  # running and looking at the Windows build
  wine wine64 fonts-wine xvfb x11-apps xdotool procps imagemagick
  # fonts: the toolkit embeds Open Sans Semibold; Liberation Sans stands in for Arial
  fonts-open-sans fonts-liberation
  # skin script and the local update server
  python3 python3-pil openssl
)

log() { printf 'bootstrap: %s\n' "$*"; }

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

install_packages() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$p")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  log "installing ${missing[*]}"
  as_root apt-get update -qq
  DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# apt-get source needs a deb-src entry; Debian's images ship only deb lines.
ensure_deb_src() {
  if grep -rqs '^Types:.*deb-src\|^deb-src ' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    return 0
  fi
  log "adding the deb-src entry for apt-get source"
  as_root tee /etc/apt/sources.list.d/thermadex-src.sources >/dev/null <<'EOF'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
  as_root apt-get update -qq
}

# A dependency is rebuilt when its stamp (source version + our inputs) changes.
stamp_ok() { [ -f "$PREFIX/.stamp-$1" ] && [ "$(cat "$PREFIX/.stamp-$1")" = "$2" ]; }
stamp_set() { mkdir -p "$PREFIX"; printf '%s' "$2" >"$PREFIX/.stamp-$1"; }

fetch_source() { # package -> prints the unpacked directory
  local pkg=$1
  mkdir -p "$SRC_DIR"
  local dir
  dir=$(find "$SRC_DIR" -maxdepth 1 -type d -name "$pkg-[0-9]*" | head -n1)
  if [ -z "$dir" ]; then
    (cd "$SRC_DIR" && apt-get source -qq "$pkg" >/dev/null 2>&1)
    dir=$(find "$SRC_DIR" -maxdepth 1 -type d -name "$pkg-[0-9]*" | head -n1)
  fi
  [ -n "$dir" ] || { log "apt-get source $pkg failed"; exit 1; }
  printf '%s' "$dir"
}

build_hidapi() {
  local patch="$ROOT/third_party/patches/hidapi-optional-interface-property.patch"
  local want
  want="hidapi-0.13.1 $(sha256sum "$patch" | cut -c1-16)"
  stamp_ok hidapi "$want" && return 0
  log "building hidapi.dll"
  rm -rf "$SRC_DIR"/hidapi-[0-9]*
  local src
  src=$(fetch_source hidapi)
  patch -d "$src" -p1 -s <"$patch"
  local out="$DEPS_DIR/build/hidapi"
  rm -rf "$out" && mkdir -p "$out" "$PREFIX/bin" "$PREFIX/lib" "$PREFIX/include/hidapi"
  # Built as hidapi.dll (no "lib" prefix) so that the shipped DLL can be serviced on its own.
  $TRIPLE-windres -I"$src/hidapi" "$src/windows/hidapi.rc" -O coff -o "$out/hidapi.res.o"
  $TRIPLE-gcc-posix -O2 -shared -static-libgcc -I"$src/hidapi" -I"$src/windows" \
    "$src/windows/hid.c" "$out/hidapi.res.o" -o "$PREFIX/bin/hidapi.dll" \
    -Wl,--out-implib,"$PREFIX/lib/libhidapi.dll.a"
  $TRIPLE-strip --strip-unneeded "$PREFIX/bin/hidapi.dll"
  cp "$src/hidapi/hidapi.h" "$src/windows/hidapi_winapi.h" "$PREFIX/include/hidapi/"
  stamp_set hidapi "$want"
}

build_minizip() {
  local want="minizip-1.1-8+deb12u1"
  stamp_ok minizip "$want" && return 0
  log "building minizip (unzip reader)"
  local src
  src=$(fetch_source minizip)
  local out="$DEPS_DIR/build/minizip"
  rm -rf "$out" && mkdir -p "$out" "$PREFIX/lib" "$PREFIX/include/minizip"
  for f in unzip ioapi iowin32; do
    $TRIPLE-gcc-posix -O2 -c "$src/$f.c" -o "$out/$f.o" -I"$src"
  done
  $TRIPLE-ar rcs "$PREFIX/lib/libminizip.a" "$out"/unzip.o "$out"/ioapi.o "$out"/iowin32.o
  cp "$src"/unzip.h "$src"/ioapi.h "$src"/iowin32.h "$src"/crypt.h "$PREFIX/include/minizip/"
  stamp_set minizip "$want"
}

build_gtest() {
  local want
  want="googletest-$(dpkg-query -W -f='${Version}' googletest)"
  stamp_ok gtest "$want" && return 0
  log "building GoogleTest for Windows"
  local out="$DEPS_DIR/build/gtest"
  rm -rf "$out"
  cmake -S /usr/src/googletest -B "$out" -G Ninja -Wno-dev \
    -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$PREFIX" \
    -Dgtest_disable_pthreads=ON -DBUILD_GMOCK=ON >/dev/null
  cmake --build "$out" >/dev/null
  cmake --install "$out" >/dev/null
  stamp_set gtest "$want"
}

# The toolkit embeds this face as its font resource 106.
check_fonts() {
  local f=/usr/share/fonts/truetype/open-sans/OpenSans-Semibold.ttf
  [ -f "$f" ] || { log "missing $f (package fonts-open-sans)"; exit 1; }
}

install_packages
ensure_deb_src
check_fonts
build_hidapi
build_minizip
build_gtest
