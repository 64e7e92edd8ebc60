#!/usr/bin/env bash
# Builds the Debian package of Velmora from a clean copy of the sources and
# checks it with lintian:
#
#   tools/package.sh        # -> build-deb/velmora_<version>_<arch>.deb
#
# Missing build dependencies (debian/control's Build-Depends, plus the
# packaging tools) are installed when run as root; otherwise the install
# line is printed and nothing else happens. The version is the one
# CMakeLists.txt gives; debian/changelog is written from it.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
out=$top/build-deb
cd "$top"
. "$top/tools/aptpackages.sh"

version=$(sed -n 's/^project(Velmora VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "package.sh: no version in CMakeLists.txt" >&2; exit 1; }

# Build-Depends without versions; debhelper-compat is provided by debhelper.
mapfile -t depends < <(sed -n '/^Build-Depends:/,/^[A-Z]/p' debian/control | sed '$d' |
  sed 's/^Build-Depends://; s/([^)]*)//g' | tr ',' '\n' | tr -d ' ' | sed 's/^debhelper-compat$/debhelper/' | grep .)
packages=(build-essential dpkg-dev fakeroot lintian ccache "${depends[@]}")
install_missing "${packages[@]}"

# dpkg-buildpackage writes beside the source folder, so it builds a copy of
# the files git knows (as staged) in build-deb/ and the results land there too.
rm -rf "$out"
mkdir -p "$out"
git checkout-index -a --prefix="$out/velmora-$version/"
cat >"$out/velmora-$version/debian/changelog" <<CHANGES
velmora ($version) unstable; urgency=medium

  * Package of Velmora $version.

 -- The Velmora Authors <velmora@example.org>  $(date -R)
CHANGES

# Two build jobs, as everywhere; compiled objects are kept by ccache.
export DEB_BUILD_OPTIONS="parallel=2 ${DEB_BUILD_OPTIONS:-}"
export PATH=/usr/lib/ccache:$PATH CCACHE_BASEDIR=$out/velmora-$version CCACHE_NOHASHDIR=true
(cd "$out/velmora-$version" && dpkg-buildpackage -b -us -uc)

arch=$(dpkg --print-architecture)
deb=$out/velmora_${version}_${arch}.deb
[ -f "$deb" ] || { echo "package.sh: $deb was not made" >&2; exit 1; }
echo "lintian:"
lintian --info "$deb" && echo "lintian: no error"
echo "$deb"
