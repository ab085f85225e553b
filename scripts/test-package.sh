#!/bin/sh
# CI: builds the Debian package and tries it as installed. Unpacked into a temporary root, the
# unpacked korvel-batch runs the unpacked dummy.kori and korvel composes the PDF report, from
# another folder and with HOME an empty folder; what they write by themselves goes to the user's
# data folder, never into the package's folders. The desktop entry, the AppStream metainfo and the
# file types validate, and lintian reports no errors.
set -eu
cd "$(dirname "$0")/.."
scripts/package.sh
deb=$(ls build/korvel_*_amd64.deb)
version=$(dpkg-deb -f "$deb" Version)
here=$(pwd)

work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
root="$work/root"
home="$work/home"
mkdir -p "$root" "$home" "$work/elsewhere"
dpkg-deb -x "$deb" "$root"
chmod -R a-w "$root/usr" # installed, the program folder is read-only
fail() {
    echo "test-package: $*" >&2
    exit 1
}
# The programs run as from a menu: a bare environment, only HOME and PATH set.
run() { (cd "$work/elsewhere" && env -i PATH=/usr/bin:/bin HOME="$home" "$@"); }

for program in "$root"/usr/bin/*; do
    name=$(basename "$program")
    [ "$(run "$program" --version)" = "$name $version" ] || fail "$name --version does not say $name $version"
    [ -f "$root/usr/share/man/man1/$name.1.gz" ] || fail "no manual page for $name"
done

share="$root/usr/share/korvel"
run "$root/usr/bin/korvel-batch" "$share/dummy.kori" -o "$home/dummy-run.koro"
build/bin/korvel-batch build/bin/dummy.kori -o "$work/expected.koro" 2>/dev/null
cmp "$work/expected.koro" "$home/dummy-run.koro" || fail "the installed korvel-batch gives another table than the build"

run "$root/usr/bin/korvel-batch"
[ -f "$home/.local/share/korvel/dummy.koro" ] || fail "korvel-batch wrote no dummy.koro into ~/.local/share/korvel"

if [ -x "$root/usr/bin/korvel" ]; then
    run "$root/usr/bin/korvel" --pdf "$home/report.pdf"
    [ "$(head -c 4 "$home/report.pdf")" = "%PDF" ] || fail "korvel --pdf wrote no PDF"
    desktop-file-validate "$root"/usr/share/applications/*.desktop
    appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml
    # The file types compile into a MIME database that knows a project by its name.
    mkdir -p "$work/mime/packages"
    cp "$root"/usr/share/mime/packages/*.xml "$work/mime/packages/"
    update-mime-database "$work/mime" >/dev/null 2>&1 || fail "update-mime-database refuses the file types"
    grep -q 'application/x-korvel-project:\*\.korvp' "$work/mime/globs" || fail "the MIME database does not know *.korvp"
fi
# The Python module, where the package holds it, finds the unpacked tables and runs dummy.kori.
site="$root/usr/lib/python3/dist-packages"
if [ -d "$site/korvel" ]; then
    run env PYTHONPATH="$site" /usr/bin/python3 -c "import korvel, os, sys
assert korvel.data_folder() == os.path.join(sys.argv[1], 'usr/share/korvel'), korvel.data_folder()
results = korvel.assess_frame(korvel.read_kori(os.path.join(korvel.data_folder(), 'dummy.kori')))
assert results['error'].isna().all() and results['verdict'].notna().all()" "$root" || fail "the Python module does not run"
fi
[ -z "$(find "$root" -name dummy.koro)" ] || fail "a program wrote into the package's folders"

lintian --fail-on error "$here/$deb"
echo "test-package: $deb installs, runs from an unpacked root and validates"
