#!/bin/sh
# The Debian package as cpack makes it from this build: its files, its control
# fields, its desktop entry and metainfo as the validators see them, and one
# version everywhere. Needs cpack, dpkg-deb, appstreamcli and
# desktop-file-validate (label "package").
set -eu
BUILD=$1
SOURCE=$2
TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT
. "$SOURCE/tests/tools/expect.shlib"
fail() { echo "FAIL: $*"; failed=1; }

version=$(sed -n 's/^project(qrn VERSION \([0-9.]*\).*/\1/p' "$SOURCE/CMakeLists.txt")
arch=$(dpkg --print-architecture)
# gzip instead of xz: the same package, made in a fraction of the time.
(cd "$BUILD" && cpack -G DEB -B "$TMP/out" -D CPACK_DEBIAN_COMPRESSION_TYPE=gzip) >"$TMP/cpack.log" 2>&1 ||
    { cat "$TMP/cpack.log"; exit 1; }
deb="$TMP/out/qrn_${version}_${arch}.deb"
[ -f "$deb" ] || { ls "$TMP/out"; fail "no $deb"; exit 1; }

dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|/$||' | sort >"$TMP/files"
for path in bin/qrn bin/qrn-search bin/qrn-brief bin/qrn-send bin/qrn-setup bin/qrn-validate bin/qrn-import-targets \
    bin/qrn-demo-catalogue share/man/man1/qrn-import-targets.1.gz \
    share/qrn/targets.xml share/qrn/xsl/marcxml.xsl share/qrn/demo/demo.mrc \
    share/qrn/help/index.html share/applications/qrn.desktop \
    share/icons/hicolor/48x48/apps/qrn.png share/icons/hicolor/128x128/apps/qrn.png \
    share/icons/hicolor/256x256/apps/qrn.png share/icons/hicolor/scalable/apps/qrn.svg \
    share/metainfo/local.qrn.qrn.metainfo.xml \
    share/man/man1/qrn.1.gz share/man/man1/qrn-search.1.gz share/man/man1/qrn-brief.1.gz \
    share/man/man1/qrn-send.1.gz share/man/man1/qrn-setup.1.gz share/man/man1/qrn-validate.1.gz share/man/man1/qrn-demo-catalogue.1.gz; do
    grep -qx "\./usr/$path" "$TMP/files" || fail "the package has no /usr/$path"
done
# Nothing outside /usr: no /etc, no /usr/local, nothing in a home.
grep -v -e '^\./usr$' -e '^\./usr/' -e '^\.$' "$TMP/files" >"$TMP/outside" || true
[ ! -s "$TMP/outside" ] || { fail "files outside /usr:"; cat "$TMP/outside"; }
grep -q '^\./usr/local' "$TMP/files" && fail "files under /usr/local"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = qrn ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)', not $version"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture is '$(field Architecture)'"
for dep in libqt6widgets6 libqt6sql6 libyaz5 qt6-qpa-plugins; do
    field Depends | grep -q "$dep" || fail "Depends lacks $dep: $(field Depends)"
done
for rec in idzebra-2.0-utils libqt6sql6-sqlite libqt6sql6-psql libqt6sql6-odbc; do
    field Recommends | grep -q "$rec" || fail "Recommends lacks $rec: $(field Recommends)"
done

dpkg-deb -x "$deb" "$TMP/root"
usr="$TMP/root/usr"
appstreamcli validate --no-net "$usr/share/metainfo/local.qrn.qrn.metainfo.xml" >"$TMP/as" 2>&1 ||
    { fail "appstreamcli validate"; cat "$TMP/as"; }
grep -q "release version=\"$version\"" "$usr/share/metainfo/local.qrn.qrn.metainfo.xml" ||
    fail "the metainfo's release is not $version"
desktop-file-validate "$usr/share/applications/qrn.desktop" || fail "desktop-file-validate"

# The installed programs, stripped, tell the package's version, and so do
# their manual pages.
for program in qrn qrn-search qrn-brief qrn-setup qrn-validate qrn-import-targets; do
    said=$(env -u DISPLAY -u WAYLAND_DISPLAY HOME="$TMP/home" "$usr/bin/$program" --version) ||
        fail "$program --version failed"
    [ "$said" = "$program $version" ] || fail "installed $program says '$said'"
done
for page in qrn qrn-search qrn-brief qrn-setup qrn-validate qrn-import-targets qrn-demo-catalogue; do
    gzip -dc "$usr/share/man/man1/$page.1.gz" >"$TMP/page"
    grep -q "^\.TH .*\"$page $version\"" "$TMP/page" || fail "man page $page lacks version $version"
    grep -q "^\.SH SYNOPSIS" "$TMP/page" || fail "man page $page has no synopsis"
done
# The installed demo command finds the records beside it.
"$usr/bin/qrn-demo-catalogue" --help | grep -q "^Usage: qrn-demo-catalogue " ||
    fail "qrn-demo-catalogue --help"
[ ! -e "$TMP/home" ] || fail "a --version wrote into the home folder"

exit $failed
