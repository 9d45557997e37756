#!/bin/sh
# `cmake --install` into a temporary prefix, then the installed programs started from there:
# the CLI reads a simulated chip, and the window starts through its desktop entry.
# Usage: install_test.sh BUILD_FOLDER
set -eu
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

cmake --install "$build" --prefix "$prefix" >/dev/null

for file in bin/burnlab bin/burnlab-cli \
    share/burnlab/init.wav share/burnlab/ok.wav share/burnlab/error.wav \
    share/burnlab/done.wav share/burnlab/slide.wav share/burnlab/burnlab5.hlp \
    share/applications/burnlab.desktop share/icons/hicolor/scalable/apps/burnlab.svg \
    share/man/man1/burnlab.1 share/man/man1/burnlab-cli.1; do
  [ -s "$prefix/$file" ] || fail "cmake --install did not install $file"
done

entry=$prefix/share/applications/burnlab.desktop
grep -qx "Exec=$prefix/bin/burnlab" "$entry" || fail "the desktop entry does not start $prefix/bin/burnlab"
grep -qx "Icon=burnlab" "$entry" || fail "the desktop entry does not name the icon"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$entry" || fail "the desktop entry is not valid"
fi
for page in burnlab burnlab-cli; do
  if command -v groff >/dev/null; then
    warnings=$(groff -man -Tutf8 -ww -z "$prefix/share/man/man1/$page.1" 2>&1)
    [ -z "$warnings" ] || fail "$page.1: $warnings"
  fi
done

# The manual pages are made from the programs' own --help: every option and command that --help
# lists has its entry in the installed page, as man shows it.
for program in burnlab burnlab-cli; do
  shown=$(LC_ALL=C MANWIDTH=1000 man -l "$prefix/share/man/man1/$program.1" 2>/dev/null) ||
    fail "man -l cannot show $program.1"
  help=$("$prefix/bin/$program" --help)
  options=$(printf '%s\n' "$help" | grep -o -- '--[a-z][a-z-]*' | sort -u)
  commands=$(printf '%s\n' "$help" | sed -n '/^Commands:/,/^$/p' | awk 'NR > 1 && /^  [a-z]/ {print $1}')
  for option in $options; do
    printf '%s\n' "$shown" | grep -qE -- "^ +(-[A-Za-z], )?$option" ||
      fail "$program.1 has no entry for $option"
  done
  for command in $commands; do
    printf '%s\n' "$shown" | grep -qE "^ +$command( |$)" || fail "$program.1 has no entry for $command"
  done
done
[ -n "$commands" ] || fail "burnlab-cli --help lists no commands"

# A staged install (DESTDIR, as packagers make one) puts the same files under the staging folder,
# and the entry names the program where it will be, not where it was staged.
staged=$prefix/staged
DESTDIR=$staged cmake --install "$build" --prefix /opt/burnlab >/dev/null
[ -x "$staged/opt/burnlab/bin/burnlab-cli" ] || fail "DESTDIR: burnlab-cli is not under the staging folder"
grep -qx "Exec=/opt/burnlab/bin/burnlab" "$staged/opt/burnlab/share/applications/burnlab.desktop" ||
  fail "DESTDIR: the desktop entry does not start /opt/burnlab/bin/burnlab"

# The programs run with a home of their own: their settings and state go there.
export HOME="$prefix/home"
unset XDG_CONFIG_HOME XDG_STATE_HOME
mkdir -p "$HOME"
cd "$HOME"

"$prefix/bin/burnlab-cli" --version | grep -q "^burnlab-cli " || fail "burnlab-cli --version"
"$prefix/bin/burnlab-cli" -q -d 27C256 --simulate=27C256 read -o chip.bin ||
  fail "the installed burnlab-cli could not read a simulated 27C256"
[ "$(wc -c < chip.bin)" -eq 32768 ] || fail "the installed burnlab-cli read a short chip"

# The window, as the desktop starts it: it comes up and runs until it is ended.
command=$(sed -n 's/^Exec=//p' "$entry")
status=0
QT_QPA_PLATFORM=offscreen timeout 5 $command --simulate >window.out 2>&1 || status=$?
[ "$status" -eq 124 ] || fail "the window started from the desktop entry ended with $status: $(cat window.out)"
echo "installed into $prefix and started from there"
