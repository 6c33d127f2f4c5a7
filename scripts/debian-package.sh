#!/usr/bin/env bash
# Builds the Debian package of Marbles the way a distribution would: a Release build with
# Debian's hardening flags (dpkg-buildflags), packed by CPack with the dependencies that
# dpkg-shlibdeps finds, then checked by lintian. Installs what it needs (dpkg-dev, lintian).
# Usage: scripts/debian-package.sh [BUILD_DIR]   (default build-pkg)
# Exits non-zero when the build fails, the package declares no dependencies, or lintian
# reports an error.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-pkg}
source scripts/deps.sh
marbles_install_deps
marbles_install_packages dpkg-dev lintian

export CFLAGS="$(dpkg-buildflags --get CFLAGS)" CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS)"
# -Wdate-time goes: the log's first line tells when the program was built, on purpose.
export CPPFLAGS="$(dpkg-buildflags --get CPPFLAGS | sed 's/-Wdate-time//')" LDFLAGS="$(dpkg-buildflags --get LDFLAGS)"
# The preprocessor flags (_FORTIFY_SOURCE) reach C++ through CXXFLAGS.
export CXXFLAGS="$CXXFLAGS $CPPFLAGS"
# Given on every run: the environment's flags reach only a build folder's first configure.
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DTARN_BUILD_TESTS=OFF -DTARN_BUILD_FUZZ=OFF \
    -DTARN_BUILD_BENCH=OFF -DCMAKE_CXX_FLAGS="$CXXFLAGS" -DCMAKE_EXE_LINKER_FLAGS="$LDFLAGS" \
    > "$build.configure.log" || { cat "$build.configure.log"; exit 1; }
cmake --build "$build" -j"$(nproc)" --target marbles packaging_files
rm -f "$build"/marbles_*.deb
(cd "$build" && cpack -G DEB > cpack.log) || { cat "$build/cpack.log"; exit 1; }
deb=$(ls "$build"/marbles_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
if [ -z "$depends" ]; then
    echo "The package declares no dependencies: $deb" >&2
    exit 1
fi
echo "Package: $deb ($(stat -c %s "$deb") bytes)"
echo "Depends: $depends"
# Errors fail the check; warnings are shown.
lintian --tag-display-limit 0 "$deb" | tee "$build/lintian.txt" || true
if grep -q '^E:' "$build/lintian.txt"; then
    echo "lintian reports errors" >&2
    exit 1
fi
echo "lintian: no errors"
