#!/usr/bin/env bash
# Builds the Debian package from the release preset (build/default/corvane_<version>_<arch>.deb)
# and checks it: lintian without errors, valid metainfo and menu entry.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$top"
scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default
(cd build/default && rm -f corvane_*.deb && cpack -G DEB)
deb=$(ls build/default/corvane_*.deb)
lintian --fail-on error "$deb"
unpacked=build/default/deb-contents
rm -rf "$unpacked" && dpkg-deb -x "$deb" "$unpacked"
appstreamcli validate --no-net "$unpacked"/usr/share/metainfo/*.metainfo.xml
desktop-file-validate "$unpacked"/usr/share/applications/*.desktop
echo "Package: $deb"
